#pragma once

#include <string>
#include <vector>

namespace syncward {

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
};

}  // namespace syncward
