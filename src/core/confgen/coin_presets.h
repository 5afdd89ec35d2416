#pragma once

#include <string>

namespace syncward {

// What the program knows of six coins: the values a coin button of the
// presets window puts into the configuration generator.
struct CoinPreset {
    const char* button;      // "BTC", also the start of the button's name
    const char* cryptoName;  // "BTC - Bitcoin"
    const char* peerPort;
    const char* rpcPort;
    bool vertcoinNodes;  // fills the node list instead of emptying it
    bool oldWallet;      // ticks "OLD Wallet Support" and "Daemon"
};

inline constexpr CoinPreset coinPresets[] = {
    {"BTC", "BTC - Bitcoin", "8333", "8332", false, false},
    {"NMC", "NMC - Namecoin", "8334", "8336", false, true},
    {"LTC", "LTC - Litecoin", "9333", "9332", false, false},
    {"DASH", "DASH - Dash", "9999", "9998", false, false},
    {"VTC", "VTC - Vertcoin", "5889", "5888", true, false},
    // The same RPC port as Bitcoin: the presets window says so.
    {"BTG", "BTG - BitcoinGold", "8338", "8332", false, false},
};

// "BASIC SETTINGS": a sensible start for any coin.
namespace basic_settings {
inline constexpr const char* walletFile = "wallet.dat";
inline constexpr const char* timeout = "3000";
inline constexpr const char* rpcTimeout = "3000";
inline constexpr const char* maxConnections = "20";
}  // namespace basic_settings

// A coin's average block time and the block counter interval that suits it.
struct BlockTime {
    const char* coin;            // "BTC", also the start of the controls' names
    const char* label;           // "BITCOIN (BTC)"
    const char* averageMinutes;  // "10"
    const char* clockTime;       // "00:10:00"
    const char* recommended;     // "00:01:00"
};

inline constexpr BlockTime blockTimes[] = {
    {"BTC", "BITCOIN (BTC)", "10", "00:10:00", "00:01:00"},
    {"NMC", "NAMECOIN (NMC)", "2.5", "00:02:30", "00:00:30"},
    {"LTC", "LITECOIN (LTC)", "2.5", "00:02:30", "00:00:30"},
    {"DASH", "DASH (DASH)", "2.5", "00:02:30", "00:00:30"},
    {"VTC", "VERTCOIN (VTC)", "2.5", "00:02:30", "00:00:30"},
    {"BTG", "BitcoinGold (BTG)", "10", "00:10:00", "00:01:00"},
};

// The Vertcoin peer list: 66 "addnode=" lines, 38 on the coin's port 5889,
// 26 on other ports and 2 without a port, each ended by lineEnd.
std::string vertcoinNodeList(const std::string& lineEnd);

}  // namespace syncward
