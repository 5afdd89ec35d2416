#pragma once

#include <array>
#include <optional>
#include <string>

namespace syncward {

// One ready-made set of RPC credentials: the user name, its password, and
// the node's "user:salt$hash" line for rpcauth=, where hash is the hex
// HMAC-SHA256 of the password keyed with the salt.
struct RpcCredentials {
    const char* user;
    const char* password;
    const char* auth;
};

// Ten published sets for trying a node quickly; never for a node that
// holds anything of value. Made by scripts/make_rpcauth_presets.py.
extern const std::array<RpcCredentials, 10> rpcTestPresets;

// The preset (0 to 9) whose user name, or whose rpcauth value, this is;
// exact and case-sensitive.
std::optional<std::size_t> presetWithUser(const std::string& user);
std::optional<std::size_t> presetWithAuth(const std::string& auth);

// The rpcauth value is a preset's, but the password is not that preset's:
// the node would accept the typed password through rpcpassword and the
// published one through rpcauth.
bool passwordLeavesPresetAuthOpen(const std::string& password, const std::string& auth);

}  // namespace syncward
