#pragma once

#include <string>

#include "core/processes/node_command_lines.h"

namespace syncward::testing {

// Writes small shell scripts that act as a coin's daemon and command-line
// client: the daemon serves a block height from a file until it is asked to
// stop, then takes a while to "flush" before it exits; the client answers
// getblockcount and stop. Enough to drive a whole run without a real node.
struct StandinNode {
    // A client without the node check's calls answers them as an older
    // node does: "Method not found".
    explicit StandinNode(const std::string& folder, int flushSeconds = 2, bool knowsNodeCheck = true);

    // The fields the crypto settings hold for this node: the daemon and the
    // client in its folder, no QT program.
    NodeCommandFields commandFields(const std::string& confFile, const std::string& dataFolder) const;

    std::string folder;
    // Names of this node alone (the process id and a count), so that
    // end-to-end runs side by side never watch or end each other's nodes.
    std::string daemonName;
    std::string cliName;
    std::string heightFile;    // the chain height the "network" offers
    std::string exitTimeFile;  // the daemon writes the time it exited, in ms since the epoch
};

}  // namespace syncward::testing
