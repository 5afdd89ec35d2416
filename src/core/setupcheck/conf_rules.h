#pragma once

#include <string>
#include <vector>

namespace syncward {

// A line of a node configuration file that the node will refuse or ignore.
struct ConfProblem {
    int lineNumber = 0;  // from 1
    std::string line;
    bool refused = false;  // the node will not start; otherwise it ignores the line
    std::string why;
};

// Reads the file as Bitcoin Core's nodes do: "key=value" lines, "#"
// comments, "[main]" / "[test]" / "[regtest]" / "[signet]" sections. On a
// test network ("regtest=1", "testnet=1" or "signet=1" before any
// section) the network's own settings belong in its section: "wallet="
// outside it stops the node at its start, the ports and addresses are
// ignored there. A line without "=" stops the node too.
std::vector<ConfProblem> confProblems(const std::string& text);

// Whether the file sets an RPC password (rpcpassword= with a value).
bool confHoldsPassword(const std::string& text);

}  // namespace syncward
