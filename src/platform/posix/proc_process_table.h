#pragma once

#include <optional>
#include <string>

#include "core/platform/process_table.h"
#include "platform/posix/proc_census.h"

namespace syncward {

// The process list read from /proc, once per query. A process this
// program started is told by its descent (own_descendants.h), or else by
// the mark in its environment (started_here.h). A process has name N
// when N equals, letter case ignored, the base name of its executable, the
// base name of its argv[0] or of the first blank-separated word of its
// argv[0] (a program that rewrote its title to its whole command line, as
// the packaged mailer does), or its thread name (comm). A node renames its
// main thread while it flushes and shuts down, so the thread name alone
// would call it stopped while it is still writing. The kernel cuts the
// thread name to 15 characters; a longer N matches those only when neither
// the executable nor argv[0] can be read. A zombie has exited and does not
// count, nor does a process whose real user id (the first "Uid:" field of
// /proc/PID/status) is not the program's: the owner of /proc/PID is the
// effective user, or root for a process with mixed ids.
//
// The watch asks four times a second. What a look costs depends on what
// changed since the last one, not on how many processes run (see
// ProcCensus): a process is judged again only when it is new or its thread
// name changed (running another program, exec, as a command file's shell
// does, sets the thread name from the new program's file name; so does the
// mailer's renaming of itself); its command line and executable link are
// kept in between. Not noticed: an exec of a program with the same file
// name under a different argv[0].
class ProcProcessTable : public ProcessTable {
public:
    explicit ProcProcessTable(std::string procRoot = "/proc") : procRoot_(procRoot), census_(std::move(procRoot)) {}

    std::optional<std::vector<NamedProcesses>> look(const std::vector<std::string>& names) override;
    // Only processes look() would count are ended, at once (SIGKILL), and
    // of those started through a link only the ones started under that
    // name: the other copies of this program are not ended with this one.
    void terminate(const std::string& name) override;
    void terminateOurs(const std::string& name) override;
    // SIGTERM, never to this program.
    void askOursToShutDown(const std::string& name) override;
    // A process is on the folder when it holds the node's lock file there
    // (see /proc/PID/fd), with links resolved.
    void claimNodesOnDataFolder(const std::string& folder) override;
    // Our own process looked at with the rule terminate() ends by: a copy
    // started under a link's name answers to that name only.
    bool namesThisProgram(const std::string& name) override;

private:
    // Sends the signal to the processes look() would count under that name
    // (and only to those this program started, when asked); SIGKILL reaches
    // this program itself last, any other signal never.
    void signal(const std::string& name, int signal, bool onlyOurs);

    std::string procRoot_;
    ProcCensus census_;                // what look() keeps from one look to the next
    std::vector<std::string> wanted_;  // the names the census's verdicts answer
    std::string claimedAs_;            // the claimed data folder as given
    std::string claimedFolder_;        // and with its links resolved
};

}  // namespace syncward
