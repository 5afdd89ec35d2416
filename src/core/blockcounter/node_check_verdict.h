#pragma once

#include <optional>
#include <string>

#include "core/blockcounter/node_check_answer.h"
#include "core/state/run_facts.h"

namespace syncward {

class NodeAnswers;

// What the node's answers say about four agreeing block counts.
struct NodeCheckVerdict {
    bool confirmed = false;
    // Why not, in the block counter's words ("NO PEERS", "HEADERS AHEAD
    // (BLOCKS 10 / HEADERS 17010)"), and whether the node failed a condition
    // ("NOT CAUGHT UP") or could not be asked at all ("NOT CONFIRMED").
    std::string reason;
    bool notCaughtUp = false;
    // The conditions left out because the node's version does not report
    // their fields, comma separated; empty for a full check.
    std::string unchecked;
    // What the answers told of the node, as far as they were read before
    // the verdict was reached.
    NodeSeen seen;

    std::string status() const;
};

// The limit on the age of the best block's own time, when one is set.
struct TipAgeLimit {
    long long limitSeconds = 0;
    long long nowSeconds = 0;
};

// The node confirms the chain only when a peer is connected, the headers
// are known and equal the block count, no peer has sent a header above the
// block count, the node is out of its initial block download and, with a
// tip age limit, its best block is young enough. Fields are judged by
// their presence: a condition whose field the node does not report is
// left out and named in `unchecked`.
NodeCheckVerdict judgeNodeCheck(const NodeCheckAnswer& answer, NodeAnswers& reader,
                                const std::optional<TipAgeLimit>& tipAge);

}  // namespace syncward
