#include "core/run/mail_step.h"

#include <string>

#include "core/processes/command_file_runner.h"
#include "core/state/app_context.h"
#include "core/state/home_layout.h"

namespace syncward {

namespace {

// Adds a line to the log the mailer itself writes. A log that cannot be
// read whole is left alone rather than replaced by this one line.
void addToMailerLog(AppContext& app, const std::string& line) {
    FileSystem& files = app.platform.files;
    const std::string path =
        home_layout::mailerLogFile(app.profile(), app.main.SYNCWARD_HOME_TEXTBOX.text(), app.executableName);
    const TextRead before = files.readText(path, read_limits::shownInWindow);
    if (!before.text && before.failure != ReadFailure::missing) return;
    Environment& env = app.platform.environment;
    files.writeText(path, before.text.value_or("") + env.dateText() + " " + env.timeText() + " SYNCWARD: " + line +
                              app.profile().lineEnd());
}

}  // namespace

bool startMail(AppContext& app, CommandFile file) {
    const PlatformProfile& profile = app.profile();
    const std::string what = file == CommandFile::StartEmail ? "START EMAIL" : "REPORT EMAIL";
    const std::string mailer = profile.join(app.main.SE_HOME_TEXTBOX.text(), profile.mailerName());
    std::string reason;
    if (app.platform.files.readText(mailer, 0).failure == ReadFailure::missing)
        reason = "MAILER NOT FOUND: " + mailer;
    else if (!runCommandFile(app, file))
        reason = "COMMAND FILE COULD NOT BE STARTED: " + runPath(app, file);
    if (reason.empty()) return true;
    const std::string status = "!!! " + what + " NOT SENT - " + reason + " !!!";
    app.status(status);
    addToMailerLog(app, status);
    return false;
}

}  // namespace syncward
