#include "core/confgen/rpc_credentials.h"

namespace syncward {

std::optional<std::size_t> presetWithUser(const std::string& user) {
    for (std::size_t n = 0; n < rpcTestPresets.size(); ++n)
        if (user == rpcTestPresets[n].user) return n;
    return std::nullopt;
}

std::optional<std::size_t> presetWithAuth(const std::string& auth) {
    for (std::size_t n = 0; n < rpcTestPresets.size(); ++n)
        if (auth == rpcTestPresets[n].auth) return n;
    return std::nullopt;
}

bool passwordLeavesPresetAuthOpen(const std::string& password, const std::string& auth) {
    const auto preset = presetWithAuth(auth);
    return preset && password != rpcTestPresets[*preset].password;
}

}  // namespace syncward
