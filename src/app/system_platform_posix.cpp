#include "app/system_platform.h"

#include <sys/stat.h>

#include <QGuiApplication>
#include <QWindow>

#include "app/command_line.h"
#include "core/foldersize/threaded_folder_measurer.h"
#include "gui/shell/qt_clipboard.h"
#include "gui/shell/qt_dialogs.h"
#include "gui/shell/qt_event_loop.h"
#include "gui/shell/qt_window_host.h"
#include "platform/posix/display_probe.h"
#include "platform/posix/folder_walk.h"
#include "platform/posix/desktop_inhibitors.h"
#include "platform/posix/login1_sleep_inhibitor.h"
#include "platform/posix/own_descendants.h"
#include "platform/posix/posix_crontab.h"
#include "platform/posix/posix_environment.h"
#include "platform/posix/posix_file_system.h"
#include "platform/posix/posix_launcher.h"
#include "platform/posix/posix_setup_probe.h"
#include "platform/posix/proc_process_table.h"
#include "platform/qt/qt_node_answers.h"
#include "platform/posix/qt_settings_store.h"
#include "platform/posix/single_instance.h"
#include "platform/posix/session_power_switch.h"
#include "platform/posix/sleep_inhibitor_set.h"
#include "platform/posix/x11_lock_keys.h"
#include "platform/posix/xdg_autostart.h"

namespace syncward {

namespace {

// The window opened on a display (not offscreen).
bool onDisplay() { return QGuiApplication::platformName() != QLatin1String("offscreen"); }

// Lock keys are pressed through X11, and only in an X11 session: in a
// Wayland session XTest would reach the compatibility server alone.
std::string x11DisplayName() {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) return {};
    if (!qgetenv("WAYLAND_DISPLAY").isEmpty() || qgetenv("XDG_SESSION_TYPE") == "wayland") return {};
    return qgetenv("DISPLAY").toStdString();
}

// The main window's X11 id, which GNOME's session manager shows beside an
// inhibitor; 0 offscreen, on Wayland, or before the window is shown.
std::uint32_t mainWindowX11Id() {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) return 0;
    for (QWindow* window : QGuiApplication::topLevelWindows())
        if (window->isVisible() && !window->transientParent()) return static_cast<std::uint32_t>(window->winId());
    return 0;
}

}  // namespace

struct SystemPlatform::Parts {
    explicit Parts(const std::string& argv0, QtWindowHost& host)
        : store(QtSettingsStore::defaultFilePath()),
          environment(argv0),
          dialogs(host),
          profile(PlatformProfile::posix(PosixEnvironment::homeDirectory())),
          lockKeys(x11DisplayName()),
          loginInhibitor(Login1SleepInhibitor::systemBusAddress()),
          desktopInhibitors(DesktopInhibitors::sessionBusAddress(), PosixEnvironment::executableNameOf(argv0),
                            mainWindowX11Id),
          crontab(PosixCrontab::programOf(argv0, onDisplay())) {}

    QtSettingsStore store;
    ProcProcessTable processes;
    PosixLauncher launcher;
    PosixFileSystem files;
    PosixEnvironment environment;
    QtDialogs dialogs;
    QtEventLoop loop;
    PlatformProfile profile;
    X11LockKeys lockKeys;
    Login1SleepInhibitor loginInhibitor;
    DesktopInhibitors desktopInhibitors;
    SleepInhibitorSet sleepInhibitor{&desktopInhibitors, &loginInhibitor};
    PosixCrontab crontab;
    QtNodeAnswers nodeAnswers;
    QtClipboard clipboard;
    ThreadedFolderMeasurer folderMeasurer{loop, measureFolder};
    XdgAutostart autostart{XdgAutostart::defaultFolder()};
    PosixSetupProbe setupProbe;
    SessionPowerSwitch powerSwitch{loop, setupProbe, profile, environment};
};

SystemPlatform::SystemPlatform(const std::string& argv0) : windowHost_(std::make_unique<QtWindowHost>()) {
    parts_ = std::make_unique<Parts>(argv0, *windowHost_);
    platform_ = std::make_unique<Platform>(Platform{parts_->store, parts_->processes, parts_->launcher, parts_->files,
                                                    parts_->environment, parts_->dialogs, *windowHost_, parts_->loop,
                                                    parts_->profile, parts_->lockKeys, parts_->sleepInhibitor,
                                                    parts_->crontab, parts_->nodeAnswers, parts_->clipboard,
                                                    parts_->folderMeasurer, parts_->autostart,
                                                    parts_->setupProbe, parts_->powerSwitch});
}

SystemPlatform::~SystemPlatform() = default;

struct CopyLock::Lock : SingleInstance {
    using SingleInstance::SingleInstance;
};

CopyLock::CopyLock(const std::string& argv0)
    : name_(PosixEnvironment::executableNameOf(argv0)),
      lock_(std::make_unique<Lock>(SingleInstance::defaultFolder(), name_)) {}

CopyLock::~CopyLock() = default;

std::string CopyLock::problem() const { return lock_->problem(); }

bool CopyLock::first() const { return lock_->first(); }

// A copy that gives way stores what its close box stores and ends, which
// takes a moment with a settings file on a slow disk.
bool CopyLock::takeOver() { return lock_->askHolderToGiveWay(std::chrono::seconds(20)); }

void CopyLock::acceptGiveWayRequests(CloseRequests&) { lock_->acceptGiveWayRequests(); }

// Qt tries Wayland first where its socket is named, then X11. Whether the
// display opens is asked by DisplayHold, and only once the options want a
// window: --help, --version and --check never wait for it.
void SystemPlatform::describeDisplay(DisplayEnvironment& display) {
    display.platforms = display.waylandDisplay.isEmpty() ? QStringLiteral("xcb") : QStringLiteral("wayland;xcb");
}

// Long enough for a display forwarded over a slow ssh link; a server that
// has not answered by then is taken as gone.
struct DisplayHold::Probe : DisplayProbe {
    Probe() : DisplayProbe(std::chrono::seconds(5)) {}
};

DisplayHold::DisplayHold() : probe_(std::make_unique<Probe>()) {}

DisplayHold::~DisplayHold() = default;

bool DisplayHold::opens() const { return probe_->opens(); }

// A terminal's program already has its standard streams.
void SystemPlatform::answerOnCallersConsole() {}

void SystemPlatform::keepCreatedFilesPrivate() { PosixLauncher::rememberUserMask(::umask(077)); }

// A kernel without child reapers still leaves the environment's mark.
void SystemPlatform::keepStartedProgramsInTheFamily() { adoptOrphanedDescendants(); }

}  // namespace syncward
