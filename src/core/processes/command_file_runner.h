#pragma once

#include <string>

#include "core/processes/command_file.h"

namespace syncward {

struct AppContext;

// The command file a run starts: in the main window's home folder. The
// command views show this same path.
std::string runPath(const AppContext& app, CommandFile file);

// Runs one of the six command files of the main window's home folder,
// hidden and without waiting. The result only says whether it could be
// started; whether the program did its work is learnt from the process
// watch and the files it writes.
bool runCommandFile(AppContext& app, CommandFile file);

}  // namespace syncward
