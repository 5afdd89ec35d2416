#include "app/setup_check_command.h"

#include <QApplication>
#include <cstdio>
#include <string>
#include <vector>

#include "core/run/application.h"
#include "core/run/startup.h"
#include "core/setupcheck/check_line.h"
#include "core/setupcheck/setup_check_texts.h"
#include "core/setupcheck/setup_check_windows.h"
#include "app/system_platform.h"

namespace syncward {

int runSetupCheckCommand(int argc, char* argv[]) {
    static char platformOption[] = "-platform";
    static char offscreenPlatform[] = "offscreen";
    std::vector<char*> toolkitArguments(argv, argv + argc);
    toolkitArguments.push_back(platformOption);
    toolkitArguments.push_back(offscreenPlatform);
    int toolkitArgc = static_cast<int>(toolkitArguments.size());
    toolkitArguments.push_back(nullptr);
    QApplication qtApp(toolkitArgc, toolkitArguments.data());

    SystemPlatform system(argc > 0 ? argv[0] : "syncward");
    Application app(system.platform());
    // The main window's settings as a start loads them; nothing is shown
    // and the loop never runs, so no countdown starts.
    runStartUp(app.context());
    const CheckLines lines = app.setupCheck().checkNow();

    std::string text = "SYNCWARD - CHECK SETUP - " + app.context().executableName + "\n";
    for (const CheckLine& line : lines) text += plainText(line) + "\n";
    const bool failing = anyFailing(lines);
    const bool doubtful = countOf(lines, CheckLevel::Doubtful) > 0;
    text += std::string(failing ? setup_check_texts::someFail
                                : doubtful ? setup_check_texts::onlyDoubts : setup_check_texts::allFine) +
            "\n";
    std::fputs(text.c_str(), stdout);
    std::fflush(stdout);
    return failing ? setupCheckFailed : 0;
}

}  // namespace syncward
