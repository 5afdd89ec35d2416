#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

#include "core/platform/launcher.h"

namespace syncward {

// Starts a command file as "/bin/sh FILE" in a session of its own, with
// standard input and output on /dev/null (the file's own redirections still
// apply), without waiting, under the file-creation mask 077. Other programs
// get the user's own mask. The program starts clean: no blocked or ignored
// signal and no open descriptor of this program is handed on. A small
// thread waits for each started program and reaps it when it ends, so no
// zombie is left behind even where the system's first process does not
// reap orphans (as in many containers).
class PosixLauncher : public Launcher {
public:
    bool runCommandFile(const std::string& path) override;
    bool runProgram(const std::vector<std::string>& argv) override;
    std::shared_ptr<const ProgramExit> runProgramWatched(const std::vector<std::string>& argv) override;

    // The file-creation mask the user had before the program tightened its
    // own; started programs get it back.
    static void rememberUserMask(mode_t mask);

    // Starts argv detached under the user's mask; false when it could not
    // be started at all.
    static bool startDetached(const std::vector<std::string>& argv);
};

}  // namespace syncward
