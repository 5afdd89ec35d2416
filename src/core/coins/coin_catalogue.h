#pragma once

#include <string>

namespace syncward {

// Everything the program knows of a coin, in one row: what its button in
// the presets window writes into the configuration generator, its row in
// the block times window, and the tip age limit the node check suggests
// for it. A coin added here gets its button, its row and its limit.
struct Coin {
    const char* ticker;      // "BTC": the preset button's caption, the start of the controls' names
    const char* name;        // "Bitcoin", in one word as the coin writes it
    const char* tableLabel;  // "BITCOIN (BTC)": its row in the block times window
    int peerPort;
    int rpcPort;
    int blockSeconds;     // the average time between two blocks
    int intervalSeconds;  // the block counter interval that suits it
    int tipAgeSeconds;    // the tip age limit suggested for it
    bool vertcoinNodes;   // its preset fills the node list instead of emptying it
    bool oldWallet;       // its preset ticks "OLD Wallet Support" and "Daemon"
};

// In the order of the preset buttons and of the block times rows. Ten-minute
// chains get a two-hour tip age, the faster ones one hour.
inline constexpr Coin coinCatalogue[] = {
    {.ticker = "BTC", .name = "Bitcoin", .tableLabel = "BITCOIN (BTC)", .peerPort = 8333, .rpcPort = 8332,
     .blockSeconds = 600, .intervalSeconds = 60, .tipAgeSeconds = 7200, .vertcoinNodes = false, .oldWallet = false},
    {.ticker = "NMC", .name = "Namecoin", .tableLabel = "NAMECOIN (NMC)", .peerPort = 8334, .rpcPort = 8336,
     .blockSeconds = 150, .intervalSeconds = 30, .tipAgeSeconds = 3600, .vertcoinNodes = false, .oldWallet = true},
    {.ticker = "LTC", .name = "Litecoin", .tableLabel = "LITECOIN (LTC)", .peerPort = 9333, .rpcPort = 9332,
     .blockSeconds = 150, .intervalSeconds = 30, .tipAgeSeconds = 3600, .vertcoinNodes = false, .oldWallet = false},
    {.ticker = "DASH", .name = "Dash", .tableLabel = "DASH (DASH)", .peerPort = 9999, .rpcPort = 9998,
     .blockSeconds = 150, .intervalSeconds = 30, .tipAgeSeconds = 3600, .vertcoinNodes = false, .oldWallet = false},
    {.ticker = "VTC", .name = "Vertcoin", .tableLabel = "VERTCOIN (VTC)", .peerPort = 5889, .rpcPort = 5888,
     .blockSeconds = 150, .intervalSeconds = 30, .tipAgeSeconds = 3600, .vertcoinNodes = true, .oldWallet = false},
    // The same RPC port as Bitcoin: the presets window says so.
    {.ticker = "BTG", .name = "BitcoinGold", .tableLabel = "BitcoinGold (BTG)", .peerPort = 8338, .rpcPort = 8332,
     .blockSeconds = 600, .intervalSeconds = 60, .tipAgeSeconds = 7200, .vertcoinNodes = false, .oldWallet = false},
};

// "BTC - Bitcoin": the crypto name the coin's preset writes.
std::string cryptoName(const Coin& coin);

}  // namespace syncward
