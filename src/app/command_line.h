#pragma once

#include <QString>
#include <QStringList>

namespace syncward {

// What the environment says about a display to show windows on.
struct DisplayEnvironment {
    QString display;         // DISPLAY
    QString waylandDisplay;  // WAYLAND_DISPLAY
    QString qpaPlatform;     // QT_QPA_PLATFORM
    // Whether the display named there can be opened now.
    bool opens = true;
    // The toolkit's platforms for that display, in the order Qt tries them
    // on this system ("wayland;xcb"); empty to leave the choice to Qt.
    QString platforms{};

    static DisplayEnvironment fromProcess();
};

// The command line, read before the toolkit starts: --help and --version
// must work where no window can be opened, and running offscreen has to be
// decided before QApplication picks its platform. Nothing here chooses the
// settings section; that is always the executable's own name.
struct CommandLine {
    enum class Action { Run, ShowHelp, ShowVersion, Refuse };
    Action action = Action::Run;
    bool offscreen = false;
    // Offscreen because there is no display to open, not because asked for.
    bool offscreenWithoutDisplay = false;
    // Run only when a scheduled run was missed; otherwise end at once.
    bool catchUp = false;
    // Check the set-up, print the lines and end: no window, no run.
    bool checkSetup = false;
    // The help or version text for standard output; for standard error, why
    // the command line was refused, or (running) that no window will appear.
    QString text;
    // The display comes from the environment alone (DISPLAY or
    // WAYLAND_DISPLAY): ask whether it opens before the toolkit starts, and
    // read the command line again with the answer.
    bool asksDisplay = false;
    // The toolkit's platform to ask for ("-platform"), empty to leave the
    // choice to the toolkit and the user. On a display from the environment
    // it is the platforms Qt itself would try there, then offscreen: a
    // display that fails after all runs the program offscreen instead of
    // ending it.
    QString platform;
    // For standard error, when the toolkit took that offscreen fallback.
    QString fallbackText;
};

// Whose words the help uses: where a copy's settings are kept and what
// closes the program differ between the two systems.
enum class HelpSystem { Linux, Windows };
#ifdef _WIN32
inline constexpr HelpSystem thisHelpSystem = HelpSystem::Windows;
#else
inline constexpr HelpSystem thisHelpSystem = HelpSystem::Linux;
#endif

// arguments as the program received them, argv[0] first.
CommandLine readCommandLine(const QStringList& arguments, const DisplayEnvironment& environment,
                            const QString& version, HelpSystem system = thisHelpSystem);

// Exit status for a refused command line.
inline constexpr int commandLineRefused = 2;
// Exit status when this copy of the program is already running.
inline constexpr int alreadyRunning = 3;
// Exit status when this copy's lock cannot be taken at all (a link or a
// folder where its lock file belongs).
inline constexpr int lockUnusable = 4;

}  // namespace syncward
