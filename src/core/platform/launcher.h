#pragma once

#include <atomic>
#include <memory>
#include <string>
#include <vector>

namespace syncward {

// How a program started by Launcher::runProgramWatched ended, as the part
// of the platform that waits for it learns it; read from the loop's thread.
class ProgramExit {
public:
    static constexpr int running = -1;  // not ended yet
    static constexpr int unknown = -2;  // ended by a signal, or the system does not tell
    int status() const { return status_.load(); }
    void set(int status) { status_.store(status); }

private:
    std::atomic<int> status_{running};
};

// Starts outside programs without waiting for them.
class Launcher {
public:
    virtual ~Launcher() = default;
    // Runs a command file hidden, in the background. False when it could
    // not even be started (missing file, no shell); what it then does is
    // learnt only from the process list and the files it writes.
    virtual bool runCommandFile(const std::string& path) = 0;
    // Starts a program with these arguments (argv[0] is looked up on the
    // PATH), hidden and without waiting. False when it could not be started.
    virtual bool runProgram(const std::vector<std::string>& argv) = 0;
    // A program the user is to see (the viewer of a report or a log), in a
    // normal window where the system has windows, and its exit status once
    // it ends (a viewer that starts but cannot open the file says so by it);
    // nullptr when it could not be started.
    virtual std::shared_ptr<const ProgramExit> runProgramWatched(const std::vector<std::string>& argv) = 0;
};

}  // namespace syncward
