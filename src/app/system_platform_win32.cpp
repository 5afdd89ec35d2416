#include "app/system_platform.h"

#include <windows.h>

#include <cstdio>

#include "app/close_request.h"
#include "app/command_line.h"
#include "gui/shell/qt_clipboard.h"
#include "gui/shell/qt_dialogs.h"
#include "gui/shell/qt_event_loop.h"
#include "gui/shell/qt_window_host.h"
#include "core/foldersize/threaded_folder_measurer.h"
#include "core/platform/command_power_switch.h"
#include "platform/qt/qt_node_answers.h"
#include "platform/win32/execution_state_sleep_inhibitor.h"
#include "platform/win32/folder_walk.h"
#include "platform/win32/registry_settings_store.h"
#include "platform/win32/snapshot_process_table.h"
#include "platform/win32/topmost_window.h"
#include "platform/win32/win32_environment.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_launcher.h"
#include "platform/win32/win32_lock_keys.h"
#include "platform/win32/win32_setup_probe.h"
#include "platform/win32/win32_single_instance.h"

namespace syncward {

namespace {

// The weekly task is the Task Scheduler's on Windows (SchTasks command
// lines); the crontab and the desktop autostart folder are never asked.
class NoCrontab : public Crontab {
public:
    Read read() override { return {Read::Outcome::Failed, {}, "no crontab on Windows"}; }
    Written write(const std::string&) override { return {false, "no crontab on Windows"}; }
    Program program() override { return {}; }
};

class NoAutostart : public Autostart {
public:
    Done write(const std::string&, const std::string&) override { return {false, "no autostart folder on Windows"}; }
    Done remove(const std::string&) override { return {true, {}}; }
    bool exists(const std::string&) override { return false; }
};

}  // namespace

struct SystemPlatform::Parts {
    explicit Parts(QtWindowHost& host) : dialogs(host) {}

    RegistrySettingsStore store;
    SnapshotProcessTable processes;
    Win32Launcher launcher;
    Win32FileSystem files;
    Win32Environment environment;
    QtDialogs dialogs;
    QtEventLoop loop;
    PlatformProfile profile = PlatformProfile::windows();
    Win32LockKeys lockKeys;
    ExecutionStateSleepInhibitor sleepInhibitor;
    NoCrontab crontab;
    QtNodeAnswers nodeAnswers;
    QtClipboard clipboard;
    // Links are not followed here, so nothing is left out unread: a folder
    // that cannot be read gives no size at all.
    ThreadedFolderMeasurer folderMeasurer{loop, [](const std::string& folder, const std::atomic<bool>* stop) {
                                              return FolderWalk{sumRegularFileSizes(folder, stop), {}};
                                          }};
    NoAutostart autostart;
    Win32SetupProbe setupProbe;
    CommandPowerSwitch powerSwitch{loop, setupProbe, profile, environment};
};

// The executable's name comes from the running module, not from argv[0].
SystemPlatform::SystemPlatform(const std::string&) : windowHost_(std::make_unique<QtWindowHost>()) {
    windowHost_->setForeground({foregroundWindow, [](QWidget& window) { takeTopmostFromForeground(window.winId()); }});
    parts_ = std::make_unique<Parts>(*windowHost_);
    platform_ = std::make_unique<Platform>(Platform{parts_->store, parts_->processes, parts_->launcher, parts_->files,
                                                    parts_->environment, parts_->dialogs, *windowHost_, parts_->loop,
                                                    parts_->profile, parts_->lockKeys, parts_->sleepInhibitor,
                                                    parts_->crontab, parts_->nodeAnswers, parts_->clipboard,
                                                    parts_->folderMeasurer, parts_->autostart,
                                                    parts_->setupProbe, parts_->powerSwitch});
}

SystemPlatform::~SystemPlatform() = default;

// Files that may hold passwords are created owner-only by the file layer
// itself (an access list of the user alone); there is no mask to set.
void SystemPlatform::keepCreatedFilesPrivate() {}

// Whatever a started program starts in turn stays in the launcher's job.
void SystemPlatform::keepStartedProgramsInTheFamily() {}

void SystemPlatform::answerOnCallersConsole() {
    const auto unset = [](DWORD which) {
        const HANDLE handle = GetStdHandle(which);
        return handle == nullptr || handle == INVALID_HANDLE_VALUE;
    };
    // What was redirected (to a file, a pipe, Wine's terminal) stays there.
    const bool out = unset(STD_OUTPUT_HANDLE);
    const bool err = unset(STD_ERROR_HANDLE);
    if ((!out && !err) || !AttachConsole(ATTACH_PARENT_PROCESS)) return;
    const auto toConsole = [](std::FILE* stream) { return std::freopen("CONOUT$", "w", stream) != nullptr; };
    if (out && !toConsole(stdout)) return;
    if (err) toConsole(stderr);
}

// A Windows session always has its desktop.
void SystemPlatform::describeDisplay(DisplayEnvironment& display) {
    if (display.display.isEmpty()) display.display = QStringLiteral("desktop");
    display.opens = true;
}

struct DisplayHold::Probe {};

DisplayHold::DisplayHold() = default;

DisplayHold::~DisplayHold() = default;

bool DisplayHold::opens() const { return true; }

struct CopyLock::Lock : Win32SingleInstance {
    using Win32SingleInstance::Win32SingleInstance;
};

// Named from the running module, as the settings are: a start as "LTC1"
// and one as "LTC1.exe" are the same copy.
CopyLock::CopyLock(const std::string&)
    : name_(Win32Environment::runningExecutableName()), lock_(std::make_unique<Lock>(name_)) {}

CopyLock::~CopyLock() = default;

std::string CopyLock::problem() const { return lock_->problem(); }

bool CopyLock::first() const { return lock_->first(); }

bool CopyLock::takeOver() { return lock_->askHolderToGiveWay(std::chrono::seconds(20)); }

void CopyLock::acceptGiveWayRequests(CloseRequests& requests) {
    lock_->acceptGiveWayRequests([&requests] { requests.giveWayRequested(); });
}

}  // namespace syncward
