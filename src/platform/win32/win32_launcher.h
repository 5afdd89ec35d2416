#pragma once

#include <string>
#include <vector>

#include "core/platform/launcher.h"

namespace syncward {

// Starts a command file as "cmd.exe /c FILE", with the command interpreter
// from the system folder (never one that happens to lie in the current
// folder), hidden and without a console window of its own; the programs
// the file calls share that hidden console. Nothing is waited for and no
// handle of this program is handed on; the started process's handles are
// closed at once, so nothing is left to collect.
class Win32Launcher : public Launcher {
public:
    bool runCommandFile(const std::string& path) override;
    // argv[0] is a path, or a name looked up in the folders of PATH (".exe"
    // added when it has no extension). The arguments are quoted so that the
    // started program's C runtime reads each back as it was given. The
    // power commands run this way, as their profile spells them.
    bool runProgram(const std::vector<std::string>& argv) override;
    // The viewer of a report or a log: shown in a normal window (a viewer
    // started hidden would be a file opened for nobody) and left open when
    // this program ends. Not waited for: its status reads unknown once it
    // started.
    std::shared_ptr<const ProgramExit> runProgramWatched(const std::vector<std::string>& argv) override;

    // One argument as a command line spells it for the C runtime's reader.
    static std::wstring quoteArgument(const std::wstring& argument);
};

}  // namespace syncward
