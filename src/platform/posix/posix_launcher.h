#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

#include "core/platform/launcher.h"

namespace syncward {

// Starts a command file as "/bin/sh FILE" in a session of its own, with
// standard input and output on /dev/null (the file's own redirections still
// apply), without waiting and without leaving a zombie behind: the started
// program is handed to the system's reaper by a short-lived middle process.
class PosixLauncher : public Launcher {
public:
    bool runCommandFile(const std::string& path) override;
    bool openForReading(const std::string& path) override;
    bool runProgram(const std::vector<std::string>& argv) override;

    // The file-creation mask the user had before the program tightened its
    // own; started programs get it back.
    static void rememberUserMask(mode_t mask);

    // Starts argv detached; false when it could not be started at all.
    static bool startDetached(const std::vector<std::string>& argv);
};

}  // namespace syncward
