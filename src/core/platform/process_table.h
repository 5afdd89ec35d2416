#pragma once

#include <optional>
#include <string>
#include <vector>

namespace syncward {

// The system's list of processes, queried by executable name (letter case
// ignored). One query answers several names from one look at the list.
// Only processes of the user the program runs as are seen, by their real
// user: the program starts and stops its node as that user, and another
// user's node of the same coin must neither keep a run waiting nor be
// ended by it.
class ProcessTable {
public:
    virtual ~ProcessTable() = default;
    // For each name, whether at least one of this user's processes has it;
    // nullopt when the list could not be read.
    virtual std::optional<std::vector<bool>> running(const std::vector<std::string>& names) = 0;
    // Ends, at once, every process of this user with that name: the same
    // processes running() counts.
    virtual void terminate(const std::string& name) = 0;
    // Asks every process of this user with that name to shut down cleanly
    // (SIGTERM: a node flushes its database and exits); it ends in its own
    // time. Where the system has no such request, nothing happens.
    virtual void askToShutDown(const std::string& name) = 0;
    // Whether a process of that name, by the rule running() and terminate()
    // match with, would be this program itself: ending it by that name
    // would end us too. A table that knows a process only by its executable
    // file name needs nothing here: the program checks that name itself.
    virtual bool namesThisProgram(const std::string& name) {
        (void)name;
        return false;
    }
};

}  // namespace syncward
