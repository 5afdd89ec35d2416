#pragma once

#include <memory>

#include "core/run/catch_up_start.h"
#include "core/platform/platform.h"
#include "core/state/app_context.h"
#include "core/state/main_window.h"

namespace syncward {

struct PowerActionEntry;
class ConfGenWindows;
class FolderSizer;
class PowerAutotimer;
class RunHistoryRecorder;
class ReportsWindows;
class SettingsWindows;
class SetupCheckWindows;
class ProcessWindows;
class InfoWindows;

// The whole program without its views: the main window, with every
// subsystem's behaviour attached to it before start-up runs (start-up
// loads tick boxes, and a loaded tick box runs its click reaction).
class Application {
public:
    explicit Application(Platform& platform);
    ~Application();

    MainWindow& main() { return main_; }
    AppContext& context() { return context_; }
    PowerAutotimer& powerAutotimer() { return *powerAutotimer_; }
    SettingsWindows& settingsWindows() { return *settingsWindows_; }
    ConfGenWindows& confGenWindows() { return *confGenWindows_; }
    ReportsWindows& reportsWindows() { return *reportsWindows_; }
    ProcessWindows& processWindows() { return *processWindows_; }
    InfoWindows& infoWindows() { return *infoWindows_; }
    SetupCheckWindows& setupCheck() { return *setupCheck_; }

    // Loads the main window and shows it.
    void start();
    // A start with --catch-up: as start(), with the run's countdown, when a
    // scheduled run was missed; otherwise nothing is shown.
    CatchUpStart startCatchingUp();

    // Whether closing now would cut a run short: the run's steps, the
    // block counter, the autostart countdown or the power countdown.
    bool runUnderWay();

private:
    void tellUnreadSettingsLines();
    void tellPowerActionRefused(const PowerActionEntry& action, const PowerAnswer& answer);
    Platform& platform_;
    MainWindow main_;
    AppContext context_;
    std::unique_ptr<PowerAutotimer> powerAutotimer_;
    std::unique_ptr<SettingsWindows> settingsWindows_;
    std::unique_ptr<ConfGenWindows> confGenWindows_;
    std::unique_ptr<ReportsWindows> reportsWindows_;
    std::unique_ptr<ProcessWindows> processWindows_;
    std::unique_ptr<InfoWindows> infoWindows_;
    std::unique_ptr<FolderSizer> folderSizer_;
    std::unique_ptr<SetupCheckWindows> setupCheck_;
    std::unique_ptr<RunHistoryRecorder> runHistory_;
};

}  // namespace syncward
