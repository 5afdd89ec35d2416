#include "core/processes/command_file_runner.h"

#include "core/state/app_context.h"

namespace syncward {

bool runCommandFile(AppContext& app, CommandFile file) {
    const std::string path =
        commandFilePath(app.profile(), app.main.SYNCWARD_HOME_TEXTBOX.text(), app.executableName, file);
    return app.platform.launcher.runCommandFile(path);
}

}  // namespace syncward
