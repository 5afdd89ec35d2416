#include "core/run/startup.h"

#include "core/run/run_outcome.h"
#include "core/blockcounter/node_check.h"
#include "core/state/app_context.h"
#include "core/state/main_window_painter.h"
#include "core/state/main_window_settings.h"
#include "core/time/clock_text.h"

namespace syncward {

namespace {

void placeWindow(AppContext& app) {
    MainWindow& w = app.main;
    app.settings.loadPlacement(w, mainWindowPlacement);
    w.APP_EXE_NAME_LABEL.setCaption(app.executableName);
    w.setCaption("SYNCWARD - " + app.executableName);
}

void applyAlwaysOnTop(AppContext& app) {
    MainWindow& w = app.main;
    loadMainSettings(w, app.settings, LoadGroup::alwaysOnTop);
    w.AlwaysOnTopTimer.setInterval(1000);
    w.AlwaysOnTopTimer.setEnabled(w.ALWAYS_ON_TOP_TICKBOX.ticked());
}

void giveTimersTheirIntervals(MainWindow& w) {
    for (int step = 1; step <= MainWindow::stepCount; ++step) w.taskTimer(step).setInterval(1000);
    for (Timer* t : {&w.AUTOSTART_TIMER, &w.AUTOCLOSE_TIMER, &w.COMPLETED_TIMER, &w.RUNTIME_TIMER,
                     &w.BLOCKCOUNTER_COUNTDOWN_TIMER, &w.GETBLOCKCOUNT_TIMER, &w.BLOCKCOUNT_TEXTBOX_UPDATER_TIMER,
                     &w.OVERRIDE_TIMER, &w.TOOLTIP_TIMER, &w.ZERO_EMPTY_TEXTBOX_CHECKER_TIMER,
                     &w.IDENTICAL_CHECKER_TIMER, &w.VERIFY_TIMER, &w.TRIPLE_CHECK_TIMER, &w.HEARTBEAT_TIMER,
                     &w.FOLDER_SIZER_BEFORE_TIMER, &w.FOLDER_SIZER_AFTER_TIMER})
        t->setInterval(1000);
    w.CLI_PROCESS_WATCHER_TIMER.setInterval(250);
    w.CHECKER_TIMER.setInterval(3000);
    w.MULTI_PROCESS_WATCHER_TIMER.setInterval(250);
    w.NCS_TIMER.setInterval(100);
    for (int n = 1; n <= MainWindow::kittTimerCount; ++n) w.kittTimer(n).setInterval(100);
    w.NUMLOCK_TIMER_1.setInterval(750);
    w.NUMLOCK_TIMER_2.setInterval(750);
}

// The lock-key lights and the tooltips run from the start; the heartbeat
// rests until a run or its button starts it.
void prepareTimers(MainWindow& w) {
    giveTimersTheirIntervals(w);
    w.NCS_TIMER.start();
    w.TOOLTIP_TIMER.start();
    w.RUNTIME_ELAPSED = 0;
    w.AUTOSTART_REMAINING = 11;
    w.AUTOCLOSE_REMAINING = 11;
    for (int n = 1; n <= MainWindow::kittTimerCount; ++n) w.kittTimer(n).stop();
    w.NUMLOCK_TIMER_1.stop();
    w.NUMLOCK_TIMER_2.stop();
    for (int n = 1; n <= MainWindow::kittLabelCount; ++n) w.kittLabel(n).setBackground(colours::red);
}

void nameWatchedPrograms(MainWindow& w) {
    w.processBox(WatchedProgram::qt).setTooltip(w.QT_NAME_TEXTBOX.text());
    w.processBox(WatchedProgram::daemon).setTooltip(w.DAEMON_NAME_TEXTBOX.text());
    w.processBox(WatchedProgram::client).setTooltip(w.CLI_NAME_TEXTBOX.text());
}

long long secondsOf(const TextBox& box, const char* fallback) {
    return parseTimeOfDay(box.text()).value_or(*parseTimeOfDay(fallback));
}

void loadCountdownValues(MainWindow& w) {
    w.COUNTDOWN_REMAINING = secondsOf(w.USER_COUNT_TIME_TEXTBOX, main_defaults::countInterval);
    w.OVERRIDE_REMAINING = secondsOf(w.USER_OVERRIDE_TIME_TEXTBOX, main_defaults::overrideInterval);
    w.HEARTBEAT_REMAINING = secondsOf(w.HEARTBEAT_COUNTDOWN_TIME_TEXTBOX, main_defaults::heartbeatInterval);
}

void resetRunRecord(MainWindow& w) {
    w.facts = RunFacts{};
    showRunFacts(w);
    w.run.readings.verifierReference.clear();
    w.run.readings.tripleCheckReference.clear();
    w.RUN_QT_OR_D_TEXTBOX.setText("");
}

void showLastRun(TextBox& box) {
    box.setColours(colours::black, isSuccessOutcome(box.text()) ? colours::green : colours::red);
}

// How the last run and the last block-counting phase ended.
void loadLastRuns(AppContext& app) {
    MainWindow& w = app.main;
    loadMainSettings(w, app.settings, LoadGroup::lastRuns);
    w.MULTILOADER_LAST_RUN_TEXTBOX.setText(shownLastRun(w.MULTILOADER_LAST_RUN_TEXTBOX.text()));
    showLastRun(w.MULTILOADER_LAST_RUN_TEXTBOX);
    showLastRun(w.BLOCKCOUNTER_LAST_RUN_TEXTBOX);
}

// The last known block count. A missing or unreadable file leaves the box
// empty, as if no count were known yet.
void loadLastBlockCount(AppContext& app) {
    MainWindow& w = app.main;
    loadMainSettings(w, app.settings, LoadGroup::autoloadSwitch);
    if (!w.AUTOLOAD_BLOCKCOUNT_FILE_TICKBOX.ticked()) return;
    loadMainSettings(w, app.settings, LoadGroup::blockCountFile);
    const std::string& path = w.GETBLOCKCOUNT_LOG_LOCATION_TEXTBOX.text();
    if (!path.empty())
        setReading(w, &BlockReadings::lastAccepted,
                   app.platform.files.readText(path, read_limits::blockCount).text.value_or(""));
}

// Of two tick boxes that exclude each other, a ticked one greys out and
// clears the other.
void excludeOther(const TickBox& box, TickBox& other) {
    if (box.ticked()) {
        other.setEnabled(false);
        other.setValue(0);
    } else {
        other.setEnabled(true);
    }
}

void applyNodeProgramChoice(MainWindow& w) {
    excludeOther(w.RUN_QT_TICKBOX, w.RUN_DAEMON_TICKBOX);
    excludeOther(w.RUN_DAEMON_TICKBOX, w.RUN_QT_TICKBOX);
}

void applyFinalActionChoice(AppContext& app) {
    MainWindow& w = app.main;
    excludeOther(w.TASK_19_ENABLE_TICKBOX, w.TASK_20_ENABLE_TICKBOX);
    if (w.TASK_19_ENABLE_TICKBOX.ticked()) {
        w.AUTOCLOSE_OR_POWER_AUTOTIMER_TEXTBOX.setText("AUTOCLOSE");
        w.AUTOTIMER_ACTION_TEXTBOX.setText("");
    }
    excludeOther(w.TASK_20_ENABLE_TICKBOX, w.TASK_19_ENABLE_TICKBOX);
    if (w.TASK_20_ENABLE_TICKBOX.ticked()) {
        w.AUTOCLOSE_OR_POWER_AUTOTIMER_TEXTBOX.setText("POWER AUTOTIMER");
        loadMainSettings(w, app.settings, LoadGroup::autotimerAction);
    }
}

void startWatchAndAutostart(MainWindow& w) {
    w.MULTI_PROCESS_WATCHER_TIMER.start();
    if (w.AUTOSTART_TICKBOX.ticked()) {
        setAutostartSwitch(w, true);
        w.AUTOSTART_TIMER.start();
    } else {
        setAutostartSwitch(w, false);
    }
}

}  // namespace

void runStartUp(AppContext& app) {
    MainWindow& w = app.main;
    placeWindow(app);
    applyAlwaysOnTop(app);
    prepareTimers(w);
    loadMainSettings(w, app.settings, LoadGroup::runSettings);
    nameWatchedPrograms(w);
    loadCountdownValues(w);
    resetRunRecord(w);
    loadLastRuns(app);
    loadLastBlockCount(app);
    loadMainSettings(w, app.settings, LoadGroup::stepSwitches);
    applyNodeProgramChoice(w);
    applyFinalActionChoice(app);
    startWatchAndAutostart(w);
}

}  // namespace syncward
