#include "core/app/run_sequence.h"

#include <string>
#include <vector>

#include "core/app/end_report.h"
#include "core/app/mail_step.h"
#include "core/app/node_shutdown.h"
#include "core/app/run_outcome.h"
#include "core/keepawake/heartbeat.h"
#include "core/blockcounter/node_check.h"
#include "core/blockcounter/phase_limit.h"
#include "core/keepawake/folder_sizer.h"
#include "core/power/power_autotimer.h"
#include "core/processes/command_file_runner.h"
#include "core/scheduler/catch_up_record.h"
#include "core/state/app_context.h"
#include "core/time/clock_text.h"

namespace syncward {

namespace {

void next(MainWindow& w, int step) {
    w.taskTimer(step + 1).start();
    w.taskTimer(step).stop();
}

// Most steps first show the step before them done and themselves running.
void handOver(MainWindow& w, int doneStep, int runningStep) {
    w.taskLight(doneStep).setBackground(colours::green);
    w.taskLight(runningStep).setBackground(colours::cyan);
}

void logDateTimeAndComputer(AppContext& app) {
    MainWindow& w = app.main;
    Environment& env = app.platform.environment;
    w.taskLight(1).setBackground(colours::cyan);
    app.status("LOGGING - DATE / TIME / PC NAME");
    w.REPORT_NOT_WRITTEN = false;
    app.settings.forgetFailedSaves();
    forgetNodeCheck(w);
    w.START_TIME_TEXTBOX.setText(env.timeText());
    w.DATE_TEXTBOX.setText(env.dateText());
    w.COMPUTER_NAME = env.computerName();
    w.PC_NAME_TEXTBOX.setText("PC Name = " + w.COMPUTER_NAME);
    markRunUnderWay(app);
    storeRunStart(app);
    next(w, 1);
}

void startHeartbeat(AppContext& app) {
    MainWindow& w = app.main;
    handOver(w, 1, 2);
    if (w.TASK_2_ENABLE_TICKBOX.ticked()) {
        app.settings.loadTime(w.HEARTBEAT_COUNTDOWN_TIME_TEXTBOX, main_defaults::heartbeatInterval);
        app.status("STARTING KITT HEARTBEAT");
        // A refused interval says so and the run goes on without it.
        w.taskLight(2).setBackground(startHeartbeatForRun(app) ? colours::green : colours::red);
    } else {
        app.status("SKIPPING KITT HEARTBEAT");
        w.KITT_START_BUTTON.setCaption("START KITT");
        w.taskLight(2).setBackground(colours::red);
    }
    next(w, 2);
}

// Each run counts its own time: the report's "MINIMUM RUN TIME" of a second
// run in the same session starts from that run's own start.
void startRuntimeClock(AppContext& app) {
    MainWindow& w = app.main;
    w.taskLight(3).setBackground(colours::cyan);
    app.status("STARTING RUNTIME-TIMER");
    w.RUNTIME_ELAPSED = 0;
    w.RUNTIME_LABEL.setCaption(formatClock(0));
    w.RUNTIME_TIMER.start();
    next(w, 3);
}

// A mail step: runs its command file when its switch is ticked. A mail
// that could not even be started is not reported as sent; the run goes on.
void mailStep(AppContext& app, int step, int previousLight, const TickBox& enabled, CommandFile file,
              const char* running, const char* skipping) {
    MainWindow& w = app.main;
    handOver(w, previousLight, step);
    if (enabled.ticked()) {
        app.status(running);
        const bool started = startMail(app, file);
        w.taskLight(step).setBackground(started ? colours::green : colours::red);
    } else {
        app.status(skipping);
        w.taskLight(step).setBackground(colours::red);
    }
    next(w, step);
}

void measureFolderBefore(AppContext& app) {
    MainWindow& w = app.main;
    w.taskLight(5).setBackground(colours::cyan);
    app.status("BLOCKCHAIN FOLDER SIZE - BEFORE");
    w.FOLDER_SIZER_BEFORE_TIMER.start();
    next(w, 5);
}

// The folder is walked off the interface thread. The step after each
// measurement waits, ticking again, until the figures are in: the node is
// not started while the "before" walk still reads the folder, the end time
// and the report follow the "after" figures, and the lights and status
// show the measurement until then.
bool folderStillMeasured(AppContext& app) { return app.folderSizer && app.folderSizer->busy(); }

void logStartBlock(AppContext& app) {
    MainWindow& w = app.main;
    if (folderStillMeasured(app)) return;
    handOver(w, 5, 6);
    app.status("LOGGING START BLOCK NUMBER");
    w.BLOCKCOUNT_LOG_START_TEXTBOX.setText(w.LAST_BLOCKCOUNT_TEXTBOX.text());
    next(w, 6);
}

// The launcher's answer counts: a node whose command file could not even
// be started is said so at once, and the phase that follows ends as a
// node that never ran.
void runNodeProgram(AppContext& app, CommandFile file, const char* which) {
    MainWindow& w = app.main;
    app.status(std::string("RUNNING ") + which + "...");
    w.RUN_QT_OR_D_TEXTBOX.setText(which);
    if (runCommandFile(app, file)) {
        w.taskLight(7).setBackground(colours::green);
        return;
    }
    w.NODE_START_FAILURE = std::string(which) + " COMMAND FILE COULD NOT BE STARTED";
    app.status("!!! " + w.NODE_START_FAILURE + " - SAVE THE CRYPTO SETTINGS !!!");
    w.taskLight(7).setBackground(colours::red);
}

void startNodeProgram(AppContext& app) {
    MainWindow& w = app.main;
    handOver(w, 6, 7);
    // Whether the node ran is learnt afresh for each run.
    w.NODE_SEEN_RUNNING = false;
    w.NODE_RUNNING_LOOKS = 0;
    w.NODE_START_FAILURE.clear();
    if (w.RUN_QT_TICKBOX.ticked()) runNodeProgram(app, CommandFile::RunQt, "QT");
    if (w.RUN_DAEMON_TICKBOX.ticked()) runNodeProgram(app, CommandFile::RunDaemon, "DAEMON");
    if (!w.RUN_QT_TICKBOX.ticked() && !w.RUN_DAEMON_TICKBOX.ticked()) {
        app.status("SKIPPING QT / DAEMON STARTUP");
        w.taskLight(7).setBackground(colours::red);
    }
    next(w, 7);
}

// An unattended run never stalls on a "Run Every" typed wrong before it:
// the stored interval, or else the default, is used instead, and the
// status says so. The countdown then starts from a full interval.
void useAValidCountInterval(AppContext& app) {
    MainWindow& w = app.main;
    if (!parseInterval(w.USER_COUNT_TIME_TEXTBOX.text())) {
        const std::string stored = app.settings.get(w.USER_COUNT_TIME_TEXTBOX.name(), main_defaults::countInterval);
        const std::string usable = parseInterval(stored) ? stored : main_defaults::countInterval;
        w.USER_COUNT_TIME_TEXTBOX.setText(usable);
        w.COUNTDOWN_REMAINING = *parseInterval(usable);
        app.status("!!! 'RUN EVERY' WAS NOT A VALID TIME - USING " + usable + " !!!");
    }
}

// Starts the block counter and leaves the hand-over to step 9 to it.
void startBlockCounter(AppContext& app) {
    MainWindow& w = app.main;
    w.taskLight(8).setBackground(colours::cyan);
    if (w.TASK_8_ENABLE_TICKBOX.ticked()) {
        w.taskLight(9).setBackground(colours::cyan);
        app.status("RUNNING BLOCKCOUNTER...");
        forgetNodeCheck(w);
        useAValidCountInterval(app);
        w.BLOCKCOUNTER_COUNTDOWN_TIMER.start();
        w.START_STOP_TIMER_BUTTON.setCaption("STOP");
        w.USER_COUNT_TIME_TEXTBOX.setLocked(true);
        w.FINISH_BLOCKCOUNTER_BUTTON.setEnabled(true);
        if (w.AUTOSTART_OVERRIDE_TIMER_TICKBOX.ticked()) {
            w.USER_OVERRIDE_TIME_TEXTBOX.setLocked(true);
            w.OVERRIDE_TIMER.start();
            w.START_OVERRIDE_BUTTON.setCaption("STOP");
            w.START_OVERRIDE_BUTTON.setTooltip("STOP BLOCKCOUNTER OVERRIDE TIMER");
        } else {
            w.USER_OVERRIDE_TIME_TEXTBOX.setLocked(false);
            w.OVERRIDE_TIMER.stop();
            w.START_OVERRIDE_BUTTON.setCaption("START");
            w.START_OVERRIDE_BUTTON.setTooltip("START BLOCKCOUNTER OVERRIDE TIMER");
            if (w.FINISH_WHEN_IDENTICAL_TICKBOX.ticked()) startPhaseLimit(app);
        }
        w.taskLight(8).setBackground(colours::pink);
    } else {
        app.status("SKIPPING BLOCKCOUNTER");
        w.taskLight(8).setBackground(colours::red);
        w.taskLight(9).setBackground(colours::red);
        w.BLOCKCOUNTER_COUNTDOWN_TIMER.stop();
        w.START_STOP_TIMER_BUTTON.setCaption("START");
        w.USER_COUNT_TIME_TEXTBOX.setLocked(false);
        w.taskTimer(10).start();  // step 9 is skipped
    }
    w.taskTimer(8).stop();
}

void waitForBlockCounter(AppContext& app) {
    MainWindow& w = app.main;
    if (w.taskLight(9).background() == colours::green) {
        app.status("!!! BLOCKCOUNTER ENDED !!!");
        w.taskLight(10).setBackground(colours::cyan);
        next(w, 9);
    } else {
        app.status("SKIPPED BLOCKCOUNTER");
        w.taskLight(9).setBackground(colours::red);
    }
}

void logEndBlock(AppContext& app) {
    MainWindow& w = app.main;
    endHangingClient(app);
    app.status("LOGGING END BLOCK NUMBER");
    w.BLOCKCOUNT_LOG_END_TEXTBOX.setText(w.LAST_BLOCKCOUNT_TEXTBOX.text());
    next(w, 10);
}

void requestNodeStop(AppContext& app) {
    MainWindow& w = app.main;
    handOver(w, 10, 11);
    w.SHUTDOWN_WAIT_ELAPSED = 0;
    w.SHUTDOWN_REQUESTED = false;
    if (w.TASK_11_ENABLE_TICKBOX.ticked()) {
        app.status("SENDING CLI-STOP REQUEST...");
        sendStopRequest(app);  // the light stays cyan until the node has stopped
    } else {
        app.status("SKIPPING CLI-STOP REQUEST");
        w.taskLight(11).setBackground(colours::red);
    }
    next(w, 11);
}

// Waits, without limit, until the process watch shows every named node
// program stopped: a node flushing its database must not be reported,
// mailed or powered off while it still writes.
void waitForNodeShutdown(AppContext& app) {
    MainWindow& w = app.main;
    w.taskLight(12).setBackground(colours::cyan);
    if (!w.TASK_11_ENABLE_TICKBOX.ticked()) {
        app.status("SKIPPING QT / DAEMON SHUTDOWN");
        w.taskLight(12).setBackground(colours::red);
        next(w, 12);
        return;
    }
    if (const auto running = nodeProgramsStillRunning(w); !running.empty()) {
        keepAskingTheNodeToStop(app, running);
        return;
    }
    if (w.RUN_QT_TICKBOX.ticked()) {
        app.status("!!! QT SHUTDOWN COMPLETE !!!");
        w.taskLight(11).setBackground(colours::green);
    }
    if (w.RUN_DAEMON_TICKBOX.ticked()) {
        app.status("!!! DAEMON SHUTDOWN COMPLETE !!!");
        w.taskLight(11).setBackground(colours::green);
    }
    next(w, 12);
}

void measureFolderAfter(AppContext& app) {
    MainWindow& w = app.main;
    handOver(w, 12, 13);
    app.status("BLOCKCHAIN FOLDER SIZE - AFTER");
    w.FOLDER_SIZER_AFTER_TIMER.start();
    next(w, 13);
}

void logEndTime(AppContext& app) {
    MainWindow& w = app.main;
    if (folderStillMeasured(app)) return;
    handOver(w, 13, 14);
    app.status("LOGGING END TIME");
    w.END_TIME_TEXTBOX.setText(app.platform.environment.timeText());
    next(w, 14);
}

void logTotalRuntime(AppContext& app) {
    MainWindow& w = app.main;
    handOver(w, 14, 15);
    app.status("LOGGING TOTAL RUNTIME");
    w.TOTAL_RUNTIME_TEXTBOX.setText(w.RUNTIME_LABEL.caption());
    next(w, 15);
}

void createEndReport(AppContext& app) {
    MainWindow& w = app.main;
    // A measurement asked for by hand meanwhile is in the report too.
    if (folderStillMeasured(app)) return;
    handOver(w, 15, 16);
    app.status("CREATING END REPORT");
    // A report that cannot be written stays in the window; the run goes on
    // and says so at its end.
    w.REPORT_NOT_WRITTEN = !createAndWriteEndReport(app);
    if (w.REPORT_NOT_WRITTEN) app.status(main_texts::reportNotWritten);
    next(w, 16);
}

void stopHeartbeat(AppContext& app) {
    MainWindow& w = app.main;
    w.taskLight(18).setBackground(colours::cyan);
    if (w.TASK_18_ENABLE_TICKBOX.ticked()) {
        app.status("STOPPING KITT HEARTBEAT");
        stopHeartbeatForRun(app);
        w.taskLight(18).setBackground(colours::green);
    } else {
        app.status("SKIPPING KITT HEARTBEAT STOP");
        w.taskLight(18).setBackground(colours::red);
    }
    next(w, 18);
}

void startFinalAction(AppContext& app) {
    MainWindow& w = app.main;
    w.END_LOG_BUTTON.setEnabled(true);
    w.taskLight(19).setBackground(colours::cyan);
    if (w.TASK_19_ENABLE_TICKBOX.ticked()) {
        app.status("!!! AUTOCLOSE STARTING !!!");
        w.AUTOCLOSE_OR_POWER_AUTOTIMER_TEXTBOX.setText("AUTOCLOSE");
        w.AUTOTIMER_ACTION_TEXTBOX.setText("");
        w.AUTOCLOSE_START_BUTTON.setEnabled(true);
        w.AUTOCLOSE_TIMER.start();
        w.taskLight(19).setBackground(colours::green);
    } else {
        w.taskLight(19).setBackground(colours::red);
    }
    if (w.TASK_20_ENABLE_TICKBOX.ticked()) {
        app.status("!!! RUNNING POWER AUTOTIMER !!!");
        w.AUTOCLOSE_OR_POWER_AUTOTIMER_TEXTBOX.setText("POWER AUTOTIMER");
        app.powerAutotimer->showCountdownWindow();
        w.taskLight(19).setBackground(colours::green);
    }
    if (!w.TASK_19_ENABLE_TICKBOX.ticked() && !w.TASK_20_ENABLE_TICKBOX.ticked()) {
        app.status("SKIPPING AUTOCLOSE / POWER AUTOTIMER");
        w.taskLight(19).setBackground(colours::red);
        app.status("!!! COMPLETED - FINISHED - DONE !!!");
    }
    // A run that marked itself under way at step 1 overwrites the mark.
    if (w.RUN_UNDER_WAY)
        storeRunOutcome(app);
    else if (!runOutcomeWritten(app))
        app.status(runOutcomeNotWrittenText(app));
    w.taskTimer(19).stop();  // the chain is idle; the start/stop caption stays "STOP"
}

void startStopClicked(AppContext& app) {
    MainWindow& w = app.main;
    if (w.MULTILOADER_START_STOP_BUTTON.caption() == "START") {
        w.MULTILOADER_START_STOP_BUTTON.setCaption("STOP");
        w.AUTOSTART_START_BUTTON.setEnabled(false);
        // A running autostart countdown would start a second pass of the
        // chain beside this one when it fires: pause it (it resumes from
        // where it stood when started again).
        w.AUTOSTART_TIMER.stop();
        w.AUTOSTART_START_BUTTON.setCaption("START");
        w.taskTimer(1).start();
        w.MULTILOADER_START_STOP_BUTTON.setTooltip("STOP MULTILOADER");
    } else {
        // Only the chain stops: the block counter, the heartbeat, the clock
        // and any program already started go on. The run is no longer
        // under way, though its stored outcome still says it did not end.
        w.RUN_UNDER_WAY = false;
        w.MULTILOADER_START_STOP_BUTTON.setCaption("START");
        w.AUTOSTART_START_BUTTON.setEnabled(true);
        w.MULTILOADER_START_STOP_BUTTON.setTooltip("START MULTILOADER");
        for (int step = 1; step <= MainWindow::stepCount; ++step) w.taskTimer(step).stop();
    }
}

}  // namespace

void installRunSequence(AppContext& app) {
    MainWindow& w = app.main;
    w.MULTILOADER_START_STOP_BUTTON.onClick = [&app] { startStopClicked(app); };

    w.taskTimer(1).onTick = [&app] { logDateTimeAndComputer(app); };
    w.taskTimer(2).onTick = [&app] { startHeartbeat(app); };
    w.taskTimer(3).onTick = [&app] { startRuntimeClock(app); };
    w.taskTimer(4).onTick = [&app, &w] {
        mailStep(app, 4, 3, w.TASK_4_ENABLE_TICKBOX, CommandFile::StartEmail, "SENDING START EMAIL",
                 "SKIPPING START EMAIL");
    };
    w.taskTimer(5).onTick = [&app] { measureFolderBefore(app); };
    w.taskTimer(6).onTick = [&app] { logStartBlock(app); };
    w.taskTimer(7).onTick = [&app] { startNodeProgram(app); };
    w.taskTimer(8).onTick = [&app] { startBlockCounter(app); };
    w.taskTimer(9).onTick = [&app] { waitForBlockCounter(app); };
    w.taskTimer(10).onTick = [&app] { logEndBlock(app); };
    w.taskTimer(11).onTick = [&app] { requestNodeStop(app); };
    w.taskTimer(12).onTick = [&app] { waitForNodeShutdown(app); };
    w.taskTimer(13).onTick = [&app] { measureFolderAfter(app); };
    w.taskTimer(14).onTick = [&app] { logEndTime(app); };
    w.taskTimer(15).onTick = [&app] { logTotalRuntime(app); };
    w.taskTimer(16).onTick = [&app] { createEndReport(app); };
    w.taskTimer(17).onTick = [&app, &w] {
        mailStep(app, 17, 16, w.TASK_17_ENABLE_TICKBOX, CommandFile::EndReportEmail, "SENDING REPORT EMAIL",
                        "SKIPPING REPORT EMAIL");
    };
    w.taskTimer(18).onTick = [&app] { stopHeartbeat(app); };
    w.taskTimer(19).onTick = [&app] { startFinalAction(app); };
}

}  // namespace syncward
