#include "core/processes/command_file_runner.h"

#include "core/state/app_context.h"

namespace syncward {

std::string runPath(const AppContext& app, CommandFile file) {
    return commandFilePath(app.profile(), app.main.SYNCWARD_HOME_TEXTBOX.text(), app.executableName, file);
}

bool runCommandFile(AppContext& app, CommandFile file) { return app.platform.launcher.runCommandFile(runPath(app, file)); }

}  // namespace syncward
