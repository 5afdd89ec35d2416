#pragma once

#include <string>

#include "core/processes/command_file.h"

namespace syncward {

struct AppContext;

// How a start by hand went: a window that runs a command file on a click
// tells the user when nothing could have run.
enum class CommandFileStart { started, missing, notStarted };

// Runs the command file as the run does, after checking that it is there.
CommandFileStart startCommandFileByHand(AppContext& app, CommandFile file);

// The house-style status line for a start that failed; empty when it started.
std::string commandFileStartStatus(CommandFileStart result);

}  // namespace syncward
