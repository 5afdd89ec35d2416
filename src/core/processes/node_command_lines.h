#pragma once

#include <string>
#include <vector>

namespace syncward {

class FileSystem;
class PlatformProfile;

// What the four node command lines are made of: the crypto settings'
// fields as they stand, the three start options the tick boxes chose, and
// the latest block-count file the client's answer goes into.
struct NodeCommandFields {
    std::string qtFolder;
    std::string qtName;
    std::string daemonCliFolder;  // the daemon and the client live side by side
    std::string daemonName;
    std::string cliName;
    std::string confFile;
    std::string dataFolder;
    std::string qtOption;      // "", "-disablewallet=0" or "-disablewallet=1"
    std::string daemonOption;  // the same three
    std::string cliOption;     // "", "-daemon=1" or "-daemon=0"
    std::string blockCountFile;
    std::string clientErrorFile;  // what the client says on failure (POSIX only)
    std::string nodeCheckFile;    // the node's answers to the node check
    std::string nodeLogFile;      // what the node prints while it starts (POSIX only)
};

// The lines are plain concatenations of the fields. An empty option keeps
// its separating blank, so the QT and daemon lines then end in a blank and
// the stop line has two blanks before "stop". Under the Windows profile
// only the program path is quoted; under POSIX every inserted value is
// escaped, so the shell hands it over literally. The options are fixed
// texts and are never quoted: an empty one stays nothing, not an empty
// argument. Under POSIX the QT and daemon lines send the node's own output
// into the node log, so a node that refuses to start leaves its reason.
std::string qtRunCommand(const PlatformProfile& profile, const NodeCommandFields& fields);
std::string daemonRunCommand(const PlatformProfile& profile, const NodeCommandFields& fields);
std::string cliStopCommand(const PlatformProfile& profile, const NodeCommandFields& fields);
// Only the client's standard output goes into the block-count file; a
// failing client leaves it empty. Under POSIX both client lines also name
// the data folder (where the node keeps its login cookie), and the client's
// error output goes into its own file.
std::string blockCountCommand(const PlatformProfile& profile, const NodeCommandFields& fields);
// The node check: the client asked, one call after the other, for the chain
// state, the peers, the connection count and the best block's header. Each
// answer, error text included, goes into the node-check file under a line
// naming its call, and a last line "end" says the file is whole.
std::string nodeCheckCommand(const PlatformProfile& profile, const NodeCommandFields& fields);

// The home folder's sub-folders that the lines send output into, as full
// paths, of which none exists: the shell refuses a whole line whose
// redirection has no folder, so the node never starts and every poll
// leaves nothing.
std::vector<std::string> missingOutputFolders(FileSystem& files, const PlatformProfile& profile,
                                              const std::string& home);

}  // namespace syncward
