#include "core/processes/command_file_start.h"

#include "core/processes/command_file_runner.h"
#include "core/state/app_context.h"

namespace syncward {

namespace {

// A command file is one line; anything that reads at all shows it is there.
constexpr std::size_t enoughToSeeItExists = 64 * 1024;

}  // namespace

CommandFileStart startCommandFileByHand(AppContext& app, CommandFile file) {
    const std::string path =
        commandFilePath(app.profile(), app.main.SYNCWARD_HOME_TEXTBOX.text(), app.executableName, file);
    if (app.platform.files.readText(path, enoughToSeeItExists).failure == ReadFailure::missing)
        return CommandFileStart::missing;
    return runCommandFile(app, file) ? CommandFileStart::started : CommandFileStart::notStarted;
}

std::string commandFileStartStatus(CommandFileStart result) {
    switch (result) {
        case CommandFileStart::started: return "";
        case CommandFileStart::missing: return "!!! COMMAND FILE NOT FOUND - SAVE THE CRYPTO SETTINGS FIRST !!!";
        case CommandFileStart::notStarted: return "!!! COMMAND FILE COULD NOT BE STARTED !!!";
    }
    return "";
}

}  // namespace syncward
