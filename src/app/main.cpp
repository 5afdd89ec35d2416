#include <QApplication>
#include <cstdio>
#include <optional>
#include <vector>

#include "core/run/application.h"
#include "app/close_request.h"
#include "app/command_line.h"
#include "app/system_platform.h"
#include "app/setup_check_command.h"
#include "gui/shell/qt_messages.h"
#include "gui/shell/qt_window_host.h"
#include "gui/views.h"

#ifndef SYNCWARD_VERSION
#error "SYNCWARD_VERSION comes from the project version in CMakeLists.txt"
#endif

namespace {

// The name desktops match the running window against (the desktop entry's
// file name), so the window gets the menu entry's icon and name.
constexpr const char* desktopId = "io.github.syncward.Syncward";

void print(std::FILE* stream, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stream);
}

}  // namespace

int main(int argc, char* argv[]) {
    syncward::SystemPlatform::keepCreatedFilesPrivate();
    syncward::SystemPlatform::keepStartedProgramsInTheFamily();

    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    syncward::DisplayEnvironment display = syncward::DisplayEnvironment::fromProcess();
    syncward::SystemPlatform::describeDisplay(display);
    syncward::CommandLine commandLine = syncward::readCommandLine(arguments, display, QStringLiteral(SYNCWARD_VERSION));
    if (commandLine.action != syncward::CommandLine::Action::Run || commandLine.checkSetup)
        syncward::SystemPlatform::answerOnCallersConsole();
    switch (commandLine.action) {
        case syncward::CommandLine::Action::ShowHelp:
        case syncward::CommandLine::Action::ShowVersion: print(stdout, commandLine.text); return 0;
        case syncward::CommandLine::Action::Refuse:
            print(stderr, commandLine.text);
            return syncward::commandLineRefused;
        case syncward::CommandLine::Action::Run: break;
    }
    if (commandLine.checkSetup) return syncward::runSetupCheckCommand(argc, argv);

    // A timed start of a copy that is already open would run a second
    // unattended run beside the first: the second start ends here, unless
    // the open copy has no run under way and gives way to it.
    syncward::CopyLock copyLock(argc > 0 ? argv[0] : "syncward");
    const QString copyName = QString::fromStdString(copyLock.name());
    if (const std::string problem = copyLock.problem(); !problem.empty()) {
        print(stderr, QStringLiteral("SYNCWARD - %1 cannot take its lock: %2. Without it a second start of this copy "
                                     "could run beside this one; this start ends.\n")
                          .arg(copyName, QString::fromStdString(problem)));
        return syncward::lockUnusable;
    }
    if (!copyLock.first() && !copyLock.takeOver()) {
        print(stderr,
              QStringLiteral("SYNCWARD - %1 is already running for this user; this start ends.\n").arg(copyName));
        return syncward::alreadyRunning;
    }

    // Asked only now, so that --help, --version, --check and a second start
    // never wait for a display that does not answer.
    std::optional<syncward::DisplayHold> displayHold;
    if (commandLine.asksDisplay) {
        displayHold.emplace();
        if (!displayHold->opens()) {
            display.opens = false;
            commandLine = syncward::readCommandLine(arguments, display, QStringLiteral(SYNCWARD_VERSION));
        }
    }

    // The platform goes to Qt as its own option, last so that it wins,
    // rather than through QT_QPA_PLATFORM: the environment would pass on to
    // a node's own window (bitcoin-qt) started by the run and hide it too.
    static char platformOption[] = "-platform";
    QByteArray platform = commandLine.platform.toLocal8Bit();
    std::vector<char*> toolkitArguments(argv, argv + argc);
    if (!platform.isEmpty()) {
        toolkitArguments.push_back(platformOption);
        toolkitArguments.push_back(platform.data());
    }
    print(stderr, commandLine.text);  // "no display": no window will appear
    int toolkitArgc = static_cast<int>(toolkitArguments.size());
    toolkitArguments.push_back(nullptr);

    syncward::keepStandardErrorForTheUser();
    QApplication qtApp(toolkitArgc, toolkitArguments.data());
    displayHold.reset();  // Qt holds its own connection now
    if (!commandLine.offscreen && QGuiApplication::platformName() == QLatin1String("offscreen"))
        print(stderr, commandLine.fallbackText);
    QApplication::setApplicationVersion(QStringLiteral(SYNCWARD_VERSION));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(desktopId));
    // The settings section is the executable's own name, whatever the options.
    syncward::SystemPlatform system(argc > 0 ? argv[0] : "syncward");
    syncward::registerViews(system.windowHost());
    syncward::Application app(system.platform());

    // A close request stores what the close box stores, then ends the
    // program; like the close box, it leaves running nodes alone.
    const auto close = [&app] {
        if (app.main().isOpen()) app.main().close();
        QCoreApplication::quit();
    };
    // A second start of this copy asks it to give way: only a copy with no
    // run under way does.
    syncward::CloseRequests closeRequests(close, [&app, close] {
        if (!app.runUnderWay()) close();
    });
    copyLock.acceptGiveWayRequests(closeRequests);

    if (!commandLine.catchUp) {
        app.start();
    } else {
        const syncward::CatchUpStart check = app.startCatchingUp();
        print(stdout, QString::fromStdString(check.line));
        std::fflush(stdout);  // said now, not when a run started here ends
        if (!check.run) return 0;  // nothing was shown
    }
    const int status = qtApp.exec();
    system.windowHost().deleteViews();  // while the models they show still exist
    return status;
}
