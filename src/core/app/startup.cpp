#include "core/app/startup.h"

#include "core/app/app_context.h"
#include "core/time/clock_text.h"

namespace syncward {

namespace {

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

void showLastRun(TextBox& box) {
    box.setColours(colours::black, box.text() == texts::completedSuccessfully ? colours::green : colours::red);
}

long long secondsOf(const TextBox& box, const char* fallback) {
    return parseTimeOfDay(box.text()).value_or(*parseTimeOfDay(fallback));
}

}  // namespace

void runStartUp(AppContext& app) {
    MainWindow& w = app.main;
    const SectionSettings& s = app.settings;

    // 1-2: place and name the window.
    s.loadPlacement(w, "MAIN-", 15825, 6750);
    w.APP_EXE_NAME_LABEL.setCaption(app.executableName);
    w.setCaption("SYNCWARD - " + app.executableName);

    // 3: always on top.
    s.loadTick(w.ALWAYS_ON_TOP_TICKBOX, 1);
    w.AlwaysOnTopTimer.setInterval(1000);
    w.AlwaysOnTopTimer.setEnabled(w.ALWAYS_ON_TOP_TICKBOX.ticked());

    // 4: timers, countdown values, the heartbeat at rest.
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

    // 5: the stored settings, in this order.
    s.loadTick(w.AUTOSTART_TICKBOX, 0);
    s.loadTime(w.USER_COUNT_TIME_TEXTBOX, "00:05:00");
    s.loadText(w.AUTOSTART_TIMER_TEXTBOX, "11");
    s.loadText(w.AUTOCLOSE_TIMER_TEXTBOX, "11");
    s.loadText(w.QV_QT_COMMAND_TEXTBOX, "");
    s.loadText(w.QV_D_COMMAND_TEXTBOX, "");
    s.loadText(w.QVCLI_STOP_COMMAND_TEXTBOX, "");
    s.loadText(w.GETBLOCKCOUNT_COMMAND_SETTINGS_TEXTBOX, "");
    s.loadTime(w.USER_OVERRIDE_TIME_TEXTBOX, "01:00:00");
    s.loadTick(w.OVERRIDE_TIMER_ENABLE_TICKBOX, 0);
    s.loadTick(w.AUTOSTART_OVERRIDE_TIMER_TICKBOX, 0);
    s.loadTick(w.FINISH_WHEN_IDENTICAL_TICKBOX, 0);
    s.loadText(w.SYNCWARD_HOME_TEXTBOX, "");
    s.loadText(w.BLOCKCHAIN_HOME_TEXTBOX, "");
    s.loadText(w.SE_HOME_TEXTBOX, "");
    s.loadText(w.CRYPTO_NAME_TEXTBOX, "");
    s.loadText(w.QT_NAME_TEXTBOX, "");
    s.loadText(w.DAEMON_NAME_TEXTBOX, "DAEMOND_NAME_TEXTBOX", "");
    s.loadText(w.CLI_NAME_TEXTBOX, "DAEMONCLI_NAME_SETTINGS_TEXTBOX", "");
    s.loadText(w.EMAIL_OUTPUT_START_COMMAND_TEXTBOX, "");
    s.loadText(w.EMAIL_OUTPUT_END_COMMAND_TEXTBOX, "");
    s.loadText(w.AUTOCLOSE_OR_POWER_AUTOTIMER_TEXTBOX, texts::noActionSet);
    s.loadText(w.RUN_QT_OR_D_TEXTBOX, "");
    s.loadTick(w.RUN_QT_TICKBOX, 0);
    s.loadTick(w.RUN_DAEMON_TICKBOX, 0);
    s.loadText(w.CONF_FILE_LOCATION_TEXTBOX, "");
    s.loadTime(w.HEARTBEAT_COUNTDOWN_TIME_TEXTBOX, "00:05:00");

    // 6: the process boxes name the programs they watch.
    w.processBox(1).setTooltip(w.QT_NAME_TEXTBOX.text());
    w.processBox(2).setTooltip(w.DAEMON_NAME_TEXTBOX.text());
    w.processBox(3).setTooltip(w.CLI_NAME_TEXTBOX.text());

    // 7: countdown values from the interval texts.
    w.COUNTDOWN_REMAINING = secondsOf(w.USER_COUNT_TIME_TEXTBOX, "00:05:00");
    w.OVERRIDE_REMAINING = secondsOf(w.USER_OVERRIDE_TIME_TEXTBOX, "01:00:00");
    w.HEARTBEAT_REMAINING = secondsOf(w.HEARTBEAT_COUNTDOWN_TIME_TEXTBOX, "00:05:00");

    // 8: a fresh run record.
    for (TextBox* box : {&w.RUN_QT_OR_D_TEXTBOX, &w.DOWNLOADED_BLOCKS_TEXTBOX, &w.DATE_TEXTBOX,
                         &w.TOTAL_RUNTIME_TEXTBOX, &w.START_TIME_TEXTBOX, &w.END_TIME_TEXTBOX,
                         &w.BLOCK_VERIFIER_TEXTBOX, &w.BLOCK_TRIPLE_CHECK_TEXTBOX, &w.BLOCKCOUNT_LOG_END_TEXTBOX,
                         &w.FILE_SIZE_BYTES_TEXTBOX, &w.FILE_SIZE_KILOBYTES_TEXTBOX, &w.FILE_SIZE_MEGABYTES_TEXTBOX,
                         &w.FILE_SIZE_GIGABYTES_TEXTBOX, &w.FILE_SIZE_TERABYTES_TEXTBOX,
                         &w.FILE_SIZE_PETABYTES_TEXTBOX})
        box->setText("");
    w.BC_FOLDER_SIZE_BEFORE.setText(texts::stillToRun);
    w.BC_FOLDER_SIZE_AFTER.setText(texts::stillToRun);
    w.BLOCKCOUNT_LOG_START_TEXTBOX.setText("0");

    // 9: how the last run and the last block-counting phase ended.
    s.loadText(w.MULTILOADER_LAST_RUN_TEXTBOX, "");
    showLastRun(w.MULTILOADER_LAST_RUN_TEXTBOX);
    s.loadText(w.BLOCKCOUNTER_LAST_RUN_TEXTBOX, "BLOCKCOUNTER_LAST_RUN", "");
    showLastRun(w.BLOCKCOUNTER_LAST_RUN_TEXTBOX);

    // 10: the last known block count. A missing or unreadable file leaves
    // the box empty, as if no count were known yet.
    s.loadTick(w.AUTOLOAD_BLOCKCOUNT_FILE_TICKBOX, 1);
    if (w.AUTOLOAD_BLOCKCOUNT_FILE_TICKBOX.ticked()) {
        s.loadText(w.GETBLOCKCOUNT_LOG_LOCATION_TEXTBOX, "");
        const std::string& path = w.GETBLOCKCOUNT_LOG_LOCATION_TEXTBOX.text();
        if (!path.empty()) w.LAST_BLOCKCOUNT_TEXTBOX.setText(app.platform.files.readText(path).value_or(""));
    }

    // 11: the step switches.
    for (TickBox* box : w.stepSwitches()) s.loadTick(*box, 0);

    // 12: one node program at most.
    if (w.RUN_QT_TICKBOX.ticked()) {
        w.RUN_DAEMON_TICKBOX.setEnabled(false);
        w.RUN_DAEMON_TICKBOX.setValue(0);
    } else {
        w.RUN_DAEMON_TICKBOX.setEnabled(true);
    }
    if (w.RUN_DAEMON_TICKBOX.ticked()) {
        w.RUN_QT_TICKBOX.setEnabled(false);
        w.RUN_QT_TICKBOX.setValue(0);
    } else {
        w.RUN_QT_TICKBOX.setEnabled(true);
    }

    // 13: one final action at most.
    if (w.TASK_19_ENABLE_TICKBOX.ticked()) {
        w.TASK_20_ENABLE_TICKBOX.setEnabled(false);
        w.TASK_20_ENABLE_TICKBOX.setValue(0);
        w.AUTOCLOSE_OR_POWER_AUTOTIMER_TEXTBOX.setText("AUTOCLOSE");
        w.AUTOTIMER_ACTION_TEXTBOX.setText("");
    } else {
        w.TASK_20_ENABLE_TICKBOX.setEnabled(true);
    }
    if (w.TASK_20_ENABLE_TICKBOX.ticked()) {
        w.TASK_19_ENABLE_TICKBOX.setEnabled(false);
        w.TASK_19_ENABLE_TICKBOX.setValue(0);
        w.AUTOCLOSE_OR_POWER_AUTOTIMER_TEXTBOX.setText("POWER AUTOTIMER");
        s.loadText(w.AUTOTIMER_ACTION_TEXTBOX, texts::noActionSet);
    } else {
        w.TASK_19_ENABLE_TICKBOX.setEnabled(true);
    }

    // 14-15: the process watch, and the autostart countdown when asked for.
    w.MULTI_PROCESS_WATCHER_TIMER.start();
    if (w.AUTOSTART_TICKBOX.ticked()) {
        w.AUTOSTART_START_BUTTON.setCaption("STOP");
        w.AUTOSTART_TIMER.start();
    } else {
        w.AUTOSTART_START_BUTTON.setCaption("START");
    }
}

}  // namespace syncward
