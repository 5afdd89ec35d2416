#pragma once

#include <optional>
#include <string>

namespace syncward {

// What the node said about its chain (getblockchaininfo). A field the
// node's version does not report stays empty: older coins lack
// "initialblockdownload", very old ones "headers".
struct ChainState {
    std::optional<long long> blocks;
    std::optional<long long> headers;
    std::optional<bool> initialBlockDownload;
};

// What the node said about its peers (getpeerinfo): how many are
// connected, and the best header height any of them has sent, when the
// node reports one ("synced_headers"; -1 means none yet).
struct PeerState {
    int connected = 0;
    std::optional<long long> bestPeerHeader;
};

// Reads the client's JSON answers into plain values. Each call gets one
// answer as the client printed it; an answer that is not the expected JSON
// (an error text, nothing at all) gives no value.
class NodeAnswers {
public:
    virtual ~NodeAnswers() = default;
    virtual std::optional<ChainState> chainState(const std::string& answer) = 0;
    virtual std::optional<PeerState> peers(const std::string& answer) = 0;
    // The block header's own "time", seconds since 1970.
    virtual std::optional<long long> blockTime(const std::string& answer) = 0;
};

}  // namespace syncward
