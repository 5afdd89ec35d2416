#include "core/confgen/coin_presets.h"

namespace syncward {

// The addresses come from the three IPv4 ranges set aside for
// documentation (192.0.2.0/24, 198.51.100.0/24, 203.0.113.0/24): they have
// the form of a peer list but reach no real host, so a node started with
// this list never dials a stranger on the program's behalf. A user who
// wants real peers puts them into the user defined settings.
std::string vertcoinNodeList(const std::string& lineEnd) {
    constexpr const char* ranges[] = {"192.0.2.", "198.51.100.", "203.0.113."};
    constexpr int perRange = 22;
    constexpr int onCoinPort = 38;
    constexpr int onOtherPort = 26;
    std::string list;
    for (int n = 0; n < 3 * perRange; ++n) {
        list += "addnode=";
        list += ranges[n / perRange];
        list += std::to_string(10 + (n % perRange) * 11);
        if (n < onCoinPort)
            list += ":5889";
        else if (n < onCoinPort + onOtherPort)
            list += ":" + std::to_string(15889 + (n - onCoinPort) * 7);
        list += lineEnd;
    }
    return list;
}

}  // namespace syncward
