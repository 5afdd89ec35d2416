#include "core/run/application.h"

#include "core/run/always_on_top.h"
#include "core/run/main_window_close.h"
#include "core/run/run_choices.h"
#include "core/run/run_history_recorder.h"
#include "core/run/run_sequence.h"
#include "core/run/start_close_timers.h"
#include "core/run/startup.h"
#include "core/blockcounter/block_counter.h"
#include "core/blockcounter/chain_stages.h"
#include "core/confgen/confgen_windows.h"
#include "core/info/info_windows.h"
#include "core/foldersize/folder_sizer.h"
#include "core/keepawake/heartbeat.h"
#include "core/power/power_autotimer.h"
#include "core/power/power_actions.h"
#include "core/power/power_autotimer_window.h"
#include "core/platform/power_refusal.h"
#include "core/run/run_outcome.h"
#include "core/processes/process_watch.h"
#include "core/reports/reports_windows.h"
#include "core/processes/process_windows.h"
#include "core/settings/settings_windows.h"
#include "core/setupcheck/setup_check_windows.h"

namespace syncward {

Application::Application(Platform& platform)
    : platform_(platform),
      main_(platform.loop, platform.profile),
      context_(platform, main_),
      powerAutotimer_(std::make_unique<PowerAutotimer>(context_)) {
    context_.powerAutotimer = powerAutotimer_.get();
    installAlwaysOnTop(context_);
    installRunChoices(context_);
    installMainWindowClose(context_);
    installRunSequence(context_);
    installStartCloseTimers(context_);
    folderSizer_ = std::make_unique<FolderSizer>(context_);
    context_.folderSizer = folderSizer_.get();
    installProcessWatch(context_);
    installBlockCounter(context_);
    installHeartbeat(context_);

    settingsWindows_ = std::make_unique<SettingsWindows>(context_);
    context_.writeStoredNodeCheckFile = [this] { return settingsWindows_->writeStoredNodeCheckFile(); };
    main_.SETTINGS_BUTTON.onClick.connect([this] { settingsWindows_->openMainSettings(); });
    confGenWindows_ = std::make_unique<ConfGenWindows>(context_, *settingsWindows_);
    settingsWindows_->openConfManager = [this] { confGenWindows_->openGenerator(); };
    main_.BLOCK_TIMES_WINDOW_BUTTON.onClick.connect([this] { confGenWindows_->openBlockTimes(); });
    reportsWindows_ = std::make_unique<ReportsWindows>(context_);
    main_.END_LOG_BUTTON.onClick.connect([this] { reportsWindows_->openReportsLogs(main_); });
    settingsWindows_->openReportsLogs = [this](Form& owner, const std::string& home) {
        reportsWindows_->openReportsLogs(owner, home);
    };

    processWindows_ = std::make_unique<ProcessWindows>(context_);
    main_.MANUAL_RUN_BUTTON.onClick.connect([this] { processWindows_->openManualRun(); });
    main_.TERMINATOR_BUTTON.onClick.connect([this] { processWindows_->openTerminator(); });
    infoWindows_ = std::make_unique<InfoWindows>(context_);
    main_.ABOUT_BUTTON.onClick.connect([this] { infoWindows_->openAbout(); });
    main_.HELP_BUTTON.onClick.connect([this] { infoWindows_->openHelp(); });
    main_.BOX_INFO_BUTTON.onClick.connect([this] { infoWindows_->openBoxInfo(); });
    setupCheck_ = std::make_unique<SetupCheckWindows>(context_, *settingsWindows_);
    settingsWindows_->openSetupCheck = [this](Form& owner) { setupCheck_->open(owner); };
    main_.HISTORY_BUTTON.onClick.connect([this] { reportsWindows_->openHistory(main_); });
    runHistory_ = std::make_unique<RunHistoryRecorder>(context_);
    runHistory_->install();
    powerAutotimer_->countdownWindow().actionRefused.connect(
        [this](const PowerActionEntry& action, const PowerAnswer& answer) { tellPowerActionRefused(action, answer); });
}

Application::~Application() = default;

bool Application::runUnderWay() {
    MainWindow& w = main_;
    for (const Timer* timer : {&w.AUTOSTART_TIMER, &w.BLOCKCOUNTER_COUNTDOWN_TIMER, &w.OVERRIDE_TIMER})
        if (timer->enabled()) return true;
    return w.RUN_UNDER_WAY || readingUnderWay(w) || powerAutotimer_->countdownWindow().isOpen();
}

void Application::start() {
    runStartUp(context_);
    runHistory_->recordInterruptedRun();
    tellUnreadSettingsLines();
    platform_.windows.showModeless(main_);
}

// A settings file edited by hand loses what is not a setting at the next
// save; the user hears it once, in the window and on standard error, which
// a scheduled start's log keeps after the status line has moved on.
void Application::tellUnreadSettingsLines() {
    const std::string notice = platform_.store.takeUnreadLinesNotice();
    if (notice.empty()) return;
    context_.status("!!! " + notice + " !!!");
    platform_.environment.tellStandardError(notice);
}

// Said wherever the night is read later: the status line, standard error
// (a scheduled start's log), the stored last run and the run's history row.
void Application::tellPowerActionRefused(const PowerActionEntry& action, const PowerAnswer& answer) {
    context_.status("!!! " + refusedFinalAction(std::string("POWER AUTOTIMER - ") + action.text, answer.reason) +
                    " !!!");
    const std::string refusal = refusedAction(action.text, answer.reason);
    platform_.environment.tellStandardError("SYNCWARD - " + context_.executableName + ": " + refusal + " - ASKED OF " +
                                            answer.route);
    if (!runHistory_->finalActionRefused(answer.reason)) return;
    if (!storePowerActionRefused(context_, refusal))
        context_.status("!!! " + refusal + " - AND THAT COULD NOT BE STORED AS THE LAST RUN - CHECK THE DISK !!!");
}

CatchUpStart Application::startCatchingUp() {
    CatchUpStart check = checkCatchUp(context_);
    if (!check.run) return check;
    start();
    if (!startCatchUpCountdown(context_)) check.line = missedRunLine(context_.executableName, check.missedWhen, false);
    return check;
}

}  // namespace syncward
