#pragma once

#include <optional>
#include <string>
#include <vector>

namespace syncward {

// What one look at the process list saw of the processes with one name.
struct NamedProcesses {
    // At least one of this user's processes has the name: what the process
    // boxes show and what the user can end by name.
    bool running = false;
    // At least one of them is the run's own: started by this program
    // (through its launcher, or by a program it started: a command file's
    // node, also after the node has put itself in the background, or the
    // mailer after it has rewritten its title), or a node running on the
    // data folder claimed for the run (claimNodesOnDataFolder). Only these
    // does a run wait for, ask to stop or end: a second node of the same
    // coin, the user's own client in a terminal or another copy's mailer
    // are not its business.
    bool ours = false;
    // One of its own was not started by this program: a node on the
    // claimed data folder that someone else, as a rule an earlier run cut
    // short, left running there.
    bool foundOnDataFolder = false;
};

// The system's list of processes, queried by executable name (letter case
// ignored). One query answers several names from one look at the list.
// Only processes of the user the program runs as are seen, by their real
// user: the program starts and stops its node as that user, and another
// user's node of the same coin must neither keep a run waiting nor be
// ended by it.
class ProcessTable {
public:
    virtual ~ProcessTable() = default;
    // For each name, what one look saw of it; nullopt when the list could
    // not be read.
    virtual std::optional<std::vector<NamedProcesses>> look(const std::vector<std::string>& names) = 0;
    // Ends, at once, every process of this user with that name: what the
    // user asks for by name.
    virtual void terminate(const std::string& name) = 0;
    // Ends, at once, the processes with that name that this program started
    // (see NamedProcesses::ours).
    virtual void terminateOurs(const std::string& name) = 0;
    // Asks the processes with that name that this program started to shut
    // down cleanly (SIGTERM: a node flushes its database and exits); they
    // end in their own time. Where the system has no such request, nothing
    // happens.
    virtual void askOursToShutDown(const std::string& name) = 0;
    // The copy's data folder while its run is under way, empty otherwise:
    // the node that runs on it is the run's own, whoever started it. Two
    // nodes cannot share a data folder, so a run that finds the node an
    // earlier run left there goes on with it instead of failing to start a
    // second one. Where the system cannot tell a node's data folder, only
    // what this program started is its own.
    virtual void claimNodesOnDataFolder(const std::string& folder) { (void)folder; }

    // Whether a process of that name, by the rule terminate() ends by,
    // would be this program itself: ending it by that name would end us
    // too. A table that knows a process only by its executable
    // file name needs nothing here: the program checks that name itself.
    virtual bool namesThisProgram(const std::string& name) {
        (void)name;
        return false;
    }

    // For each name, whether any of this user's processes has it.
    std::optional<std::vector<bool>> running(const std::vector<std::string>& names) {
        const auto seen = look(names);
        if (!seen) return std::nullopt;
        std::vector<bool> running;
        for (const NamedProcesses& named : *seen) running.push_back(named.running);
        return running;
    }
};

}  // namespace syncward
