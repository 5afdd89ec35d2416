#pragma once

#include <string>

namespace syncward {

// What the presets window writes that is no one coin's own; a coin's name
// and ports are in the coin catalogue.

// "BASIC SETTINGS": a sensible start for any coin.
namespace basic_settings {
inline constexpr const char* walletFile = "wallet.dat";
inline constexpr const char* timeout = "3000";
inline constexpr const char* rpcTimeout = "3000";
inline constexpr const char* maxConnections = "20";
}  // namespace basic_settings

// The Vertcoin peer list: 66 "addnode=" lines, 38 on the coin's port 5889,
// 26 on other ports and 2 without a port, each ended by lineEnd.
std::string vertcoinNodeList(const std::string& lineEnd);

}  // namespace syncward
