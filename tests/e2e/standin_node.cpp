#include "e2e/standin_node.h"

#include <sys/stat.h>
#include <unistd.h>

#include <fstream>

namespace syncward::testing {

namespace {

void writeScript(const std::string& path, const std::string& body) {
    std::ofstream(path) << "#!/bin/sh\n" << body;
    ::chmod(path.c_str(), 0700);
}

}  // namespace

StandinNode::StandinNode(const std::string& dir, int flushSeconds, bool knowsNodeCheck)
    : folder(dir), heightFile(dir + "/height"), exitTimeFile(dir + "/daemon-exited") {
    static int made = 0;
    const std::string own = std::to_string(::getpid()) + "-" + std::to_string(++made);
    daemonName = "fcd" + own;  // at most 15 characters, the length of a thread name
    cliName = "fcli" + own;
    std::ofstream(heightFile) << "120\n";
    // The daemon runs until the stop flag appears, then flushes.
    writeScript(folder + "/" + daemonName,
                "rm -f '" + folder + "/stop'\n"
                "while [ ! -e '" + folder + "/stop' ]; do sleep 0.1; done\n"
                "sleep " + std::to_string(flushSeconds) + "\n"
                "date +%s%3N > '" + exitTimeFile + "'\n");
    // The client: "getblockcount" prints the height while the daemon runs,
    // "stop" raises the flag. Errors go to standard error, as a real client's do.
    writeScript(folder + "/" + cliName,
                "last=''; for a in \"$@\"; do last=$a; done\n"
                "case $last in\n"
                "  getblockcount) if pgrep -x " + daemonName + " >/dev/null; then cat '" + heightFile +
                    "'; else echo 'error: could not connect' >&2; exit 1; fi ;;\n"
                "  stop) touch '" + folder + "/stop'; echo 'node stopping' ;;\n" +
                (knowsNodeCheck ? std::string()
                                : "  *) echo 'error code: -32601'; echo 'error message:'; echo 'Method not found'; "
                                  "exit 1 ;;\n") +
                // The node check: a node with one peer at its own height.
                "  getblockchaininfo) h=$(cat '" + heightFile +
                    "'); echo \"{ \\\"blocks\\\": $h, \\\"headers\\\": $h, \\\"initialblockdownload\\\": false }\" ;;\n"
                "  getpeerinfo) echo \"[ { \\\"synced_headers\\\": $(cat '" + heightFile + "') } ]\" ;;\n"
                "  getconnectioncount) echo 1 ;;\n"
                "  getbestblockhash) echo 00 ;;\n"
                "  *) echo \"{ \\\"time\\\": $(date +%s) }\" ;;\n"
                "esac\n");
}

NodeCommandFields StandinNode::commandFields(const std::string& confFile, const std::string& dataFolder) const {
    NodeCommandFields fields;
    fields.qtFolder = folder;
    fields.daemonCliFolder = folder;
    fields.daemonName = daemonName;
    fields.cliName = cliName;
    fields.confFile = confFile;
    fields.dataFolder = dataFolder;
    return fields;
}

}  // namespace syncward::testing
