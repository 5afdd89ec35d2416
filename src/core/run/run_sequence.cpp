#include "core/run/run_sequence.h"

#include <functional>
#include <string>
#include <vector>

#include "core/reports/end_report.h"
#include "core/run/mail_step.h"
#include "core/run/node_shutdown.h"
#include "core/run/run_outcome.h"
#include "core/keepawake/heartbeat.h"
#include "core/blockcounter/node_check.h"
#include "core/blockcounter/phase_limit.h"
#include "core/foldersize/folder_sizer.h"
#include "core/power/power_autotimer.h"
#include "core/processes/command_file_runner.h"
#include "core/scheduler/catch_up_record.h"
#include "core/state/app_context.h"
#include "core/state/main_window_painter.h"
#include "core/time/clock_text.h"

namespace syncward {

namespace {

void next(MainWindow& w, RunStep step) {
    w.taskTimer(stepAfter(step)).start();
    w.taskTimer(step).stop();
}

// Most steps first show the step before them done and themselves running.
void handOver(MainWindow& w, RunStep doneStep, RunStep runningStep) {
    setStep(w, doneStep, StepState::done);
    setStep(w, runningStep, StepState::running);
}

StepState doneIf(bool succeeded) { return succeeded ? StepState::done : StepState::skippedOrFailed; }

void logDateTimeAndComputer(AppContext& app) {
    MainWindow& w = app.main;
    Environment& env = app.platform.environment;
    setStep(w, RunStep::logDateTimeAndComputer, StepState::running);
    app.status("LOGGING - DATE / TIME / PC NAME");
    app.settings.forgetFailedSaves();
    forgetNodeCheck(w);
    beginRunFacts(w.facts, env.dateText(), env.timeText());
    showRunFacts(w);
    w.COMPUTER_NAME = env.computerName();
    w.PC_NAME_TEXTBOX.setText("PC Name = " + w.COMPUTER_NAME);
    markRunUnderWay(app);
    storeRunStart(app);
    next(w, RunStep::logDateTimeAndComputer);
}

void startHeartbeat(AppContext& app) {
    MainWindow& w = app.main;
    handOver(w, RunStep::logDateTimeAndComputer, RunStep::startHeartbeat);
    if (w.TASK_2_ENABLE_TICKBOX.ticked()) {
        app.settings.loadTime(w.HEARTBEAT_COUNTDOWN_TIME_TEXTBOX, main_defaults::heartbeatInterval);
        app.status("STARTING KITT HEARTBEAT");
        // A refused interval says so and the run goes on without it.
        setStep(w, RunStep::startHeartbeat, doneIf(startHeartbeatForRun(app)));
    } else {
        app.status("SKIPPING KITT HEARTBEAT");
        setHeartbeatSwitch(w, false);
        setStep(w, RunStep::startHeartbeat, StepState::skippedOrFailed);
    }
    next(w, RunStep::startHeartbeat);
}

// Each run counts its own time: the report's "MINIMUM RUN TIME" of a second
// run in the same session starts from that run's own start.
void startRuntimeClock(AppContext& app) {
    MainWindow& w = app.main;
    setStep(w, RunStep::startRuntimeClock, StepState::running);
    app.status("STARTING RUNTIME-TIMER");
    w.RUNTIME_ELAPSED = 0;
    w.RUNTIME_LABEL.setCaption(formatClock(0));
    w.RUNTIME_TIMER.start();
    next(w, RunStep::startRuntimeClock);
}

// A mail step: runs its command file when its switch is ticked. A mail
// that could not even be started is not reported as sent; the run goes on.
void mailStep(AppContext& app, RunStep step, RunStep previousLight, const TickBox& enabled, CommandFile file,
              const char* running, const char* skipping) {
    MainWindow& w = app.main;
    handOver(w, previousLight, step);
    if (enabled.ticked()) {
        app.status(running);
        const bool started = startMail(app, file);
        setStep(w, step, doneIf(started));
    } else {
        app.status(skipping);
        setStep(w, step, StepState::skippedOrFailed);
    }
    next(w, step);
}

void measureFolderBefore(AppContext& app) {
    MainWindow& w = app.main;
    setStep(w, RunStep::measureFolderBefore, StepState::running);
    app.status("BLOCKCHAIN FOLDER SIZE - BEFORE");
    w.FOLDER_SIZER_BEFORE_TIMER.start();
    next(w, RunStep::measureFolderBefore);
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
    handOver(w, RunStep::measureFolderBefore, RunStep::logStartBlock);
    app.status("LOGGING START BLOCK NUMBER");
    w.facts.startBlock = {w.run.readings.lastAccepted};
    showRunFacts(w);
    next(w, RunStep::logStartBlock);
}

// The launcher's answer counts: a node whose command file could not even
// be started is said so at once, and the phase that follows ends as a
// node that never ran.
void runNodeProgram(AppContext& app, CommandFile file, const char* which) {
    MainWindow& w = app.main;
    app.status(std::string("RUNNING ") + which + "...");
    w.RUN_QT_OR_D_TEXTBOX.setText(which);
    if (runCommandFile(app, file)) {
        if (!w.facts.nodeStartedAt) w.facts.nodeStartedAt = app.platform.environment.secondsSinceEpoch();
        setStep(w, RunStep::startNode, StepState::done);
        return;
    }
    w.NODE_START_FAILURE = std::string(which) + " COMMAND FILE COULD NOT BE STARTED";
    app.status("!!! " + w.NODE_START_FAILURE + " - SAVE THE CRYPTO SETTINGS !!!");
    setStep(w, RunStep::startNode, StepState::skippedOrFailed);
}

void startNodeProgram(AppContext& app) {
    MainWindow& w = app.main;
    handOver(w, RunStep::logStartBlock, RunStep::startNode);
    // Whether the node ran is learnt afresh for each run.
    w.NODE_SEEN_RUNNING = false;
    w.NODE_RUNNING_LOOKS = 0;
    w.NODE_START_FAILURE.clear();
    if (w.RUN_QT_TICKBOX.ticked()) runNodeProgram(app, CommandFile::RunQt, "QT");
    if (w.RUN_DAEMON_TICKBOX.ticked()) runNodeProgram(app, CommandFile::RunDaemon, "DAEMON");
    if (!w.RUN_QT_TICKBOX.ticked() && !w.RUN_DAEMON_TICKBOX.ticked()) {
        app.status("SKIPPING QT / DAEMON STARTUP");
        setStep(w, RunStep::startNode, StepState::skippedOrFailed);
    }
    next(w, RunStep::startNode);
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
    setStep(w, RunStep::startBlockCounter, StepState::running);
    if (w.TASK_8_ENABLE_TICKBOX.ticked()) {
        setStep(w, RunStep::waitForBlockCounter, StepState::running);
        app.status("RUNNING BLOCKCOUNTER...");
        forgetNodeCheck(w);
        useAValidCountInterval(app);
        w.BLOCKCOUNTER_COUNTDOWN_TIMER.start();
        setCounterSwitch(w, true);
        w.USER_COUNT_TIME_TEXTBOX.setLocked(true);
        w.FINISH_BLOCKCOUNTER_BUTTON.setEnabled(true);
        if (w.AUTOSTART_OVERRIDE_TIMER_TICKBOX.ticked()) {
            w.USER_OVERRIDE_TIME_TEXTBOX.setLocked(true);
            w.OVERRIDE_TIMER.start();
            setOverrideSwitch(w, true);
            w.START_OVERRIDE_BUTTON.setTooltip("STOP BLOCKCOUNTER OVERRIDE TIMER");
        } else {
            w.USER_OVERRIDE_TIME_TEXTBOX.setLocked(false);
            w.OVERRIDE_TIMER.stop();
            setOverrideSwitch(w, false);
            w.START_OVERRIDE_BUTTON.setTooltip("START BLOCKCOUNTER OVERRIDE TIMER");
            if (w.FINISH_WHEN_IDENTICAL_TICKBOX.ticked()) startPhaseLimit(app);
        }
        setStep(w, RunStep::startBlockCounter, StepState::counting);
    } else {
        app.status("SKIPPING BLOCKCOUNTER");
        setStep(w, RunStep::startBlockCounter, StepState::skippedOrFailed);
        setStep(w, RunStep::waitForBlockCounter, StepState::skippedOrFailed);
        w.BLOCKCOUNTER_COUNTDOWN_TIMER.stop();
        setCounterSwitch(w, false);
        w.USER_COUNT_TIME_TEXTBOX.setLocked(false);
        w.taskTimer(RunStep::logEndBlock).start();  // step 9 is skipped
    }
    w.taskTimer(RunStep::startBlockCounter).stop();
}

void waitForBlockCounter(AppContext& app) {
    MainWindow& w = app.main;
    if (w.run.step(RunStep::waitForBlockCounter) == StepState::done) {
        app.status("!!! BLOCKCOUNTER ENDED !!!");
        setStep(w, RunStep::logEndBlock, StepState::running);
        next(w, RunStep::waitForBlockCounter);
    } else {
        app.status("SKIPPED BLOCKCOUNTER");
        setStep(w, RunStep::waitForBlockCounter, StepState::skippedOrFailed);
    }
}

void logEndBlock(AppContext& app) {
    MainWindow& w = app.main;
    endHangingClient(app);
    app.status("LOGGING END BLOCK NUMBER");
    w.facts.endBlock = {w.run.readings.lastAccepted};
    showRunFacts(w);
    next(w, RunStep::logEndBlock);
}

void requestNodeStop(AppContext& app) {
    MainWindow& w = app.main;
    handOver(w, RunStep::logEndBlock, RunStep::requestNodeStop);
    w.SHUTDOWN_WAIT_ELAPSED = 0;
    w.SHUTDOWN_REQUESTED = false;
    if (w.TASK_11_ENABLE_TICKBOX.ticked()) {
        app.status("SENDING CLI-STOP REQUEST...");
        // The node's exit time counts from a request it was there to hear;
        // a node already gone has none.
        if (!nodeProgramsStillRunning(w).empty())
            w.facts.stopRequestedAt = app.platform.environment.secondsSinceEpoch();
        sendStopRequest(app);  // the light stays cyan until the node has stopped
    } else {
        app.status("SKIPPING CLI-STOP REQUEST");
        setStep(w, RunStep::requestNodeStop, StepState::skippedOrFailed);
    }
    next(w, RunStep::requestNodeStop);
}

// Waits, without limit, until the process watch shows every named node
// program stopped: a node flushing its database must not be reported,
// mailed or powered off while it still writes.
void waitForNodeShutdown(AppContext& app) {
    MainWindow& w = app.main;
    setStep(w, RunStep::waitForNodeShutdown, StepState::running);
    if (!w.TASK_11_ENABLE_TICKBOX.ticked()) {
        app.status("SKIPPING QT / DAEMON SHUTDOWN");
        setStep(w, RunStep::waitForNodeShutdown, StepState::skippedOrFailed);
        next(w, RunStep::waitForNodeShutdown);
        return;
    }
    if (const auto running = nodeProgramsStillRunning(w); !running.empty()) {
        keepAskingTheNodeToStop(app, running);
        return;
    }
    w.facts.exitSeenAt = app.platform.environment.secondsSinceEpoch();
    if (w.RUN_QT_TICKBOX.ticked()) {
        app.status("!!! QT SHUTDOWN COMPLETE !!!");
        setStep(w, RunStep::requestNodeStop, StepState::done);
    }
    if (w.RUN_DAEMON_TICKBOX.ticked()) {
        app.status("!!! DAEMON SHUTDOWN COMPLETE !!!");
        setStep(w, RunStep::requestNodeStop, StepState::done);
    }
    next(w, RunStep::waitForNodeShutdown);
}

void measureFolderAfter(AppContext& app) {
    MainWindow& w = app.main;
    handOver(w, RunStep::waitForNodeShutdown, RunStep::measureFolderAfter);
    app.status("BLOCKCHAIN FOLDER SIZE - AFTER");
    w.FOLDER_SIZER_AFTER_TIMER.start();
    next(w, RunStep::measureFolderAfter);
}

void logEndTime(AppContext& app) {
    MainWindow& w = app.main;
    if (folderStillMeasured(app)) return;
    handOver(w, RunStep::measureFolderAfter, RunStep::logEndTime);
    app.status("LOGGING END TIME");
    w.facts.endTime = app.platform.environment.timeText();
    showRunFacts(w);
    next(w, RunStep::logEndTime);
}

void logTotalRuntime(AppContext& app) {
    MainWindow& w = app.main;
    handOver(w, RunStep::logEndTime, RunStep::logTotalRuntime);
    app.status("LOGGING TOTAL RUNTIME");
    w.facts.totalRuntime = formatClock(w.RUNTIME_ELAPSED);
    showRunFacts(w);
    next(w, RunStep::logTotalRuntime);
}

void createEndReport(AppContext& app) {
    MainWindow& w = app.main;
    // A measurement asked for by hand meanwhile is in the report too.
    if (folderStillMeasured(app)) return;
    handOver(w, RunStep::logTotalRuntime, RunStep::createEndReport);
    app.status("CREATING END REPORT");
    // A report that cannot be written stays in the window; the run goes on
    // and says so at its end.
    w.facts.reportNotWritten = !createAndWriteEndReport(app);
    if (w.facts.reportNotWritten) app.status(main_texts::reportNotWritten);
    next(w, RunStep::createEndReport);
}

void stopHeartbeat(AppContext& app) {
    MainWindow& w = app.main;
    setStep(w, RunStep::stopHeartbeat, StepState::running);
    if (w.TASK_18_ENABLE_TICKBOX.ticked()) {
        app.status("STOPPING KITT HEARTBEAT");
        stopHeartbeatForRun(app);
        setStep(w, RunStep::stopHeartbeat, StepState::done);
    } else {
        app.status("SKIPPING KITT HEARTBEAT STOP");
        setStep(w, RunStep::stopHeartbeat, StepState::skippedOrFailed);
    }
    next(w, RunStep::stopHeartbeat);
}

void startFinalAction(AppContext& app) {
    MainWindow& w = app.main;
    w.END_LOG_BUTTON.setEnabled(true);
    setStep(w, RunStep::finalAction, StepState::running);
    // A caught-up run closes where the night's run would power off: its
    // box already says so.
    const bool closeInstead = w.run.caughtUp && w.TASK_20_ENABLE_TICKBOX.ticked();
    if (closeInstead) app.status("!!! " + w.AUTOCLOSE_OR_POWER_AUTOTIMER_TEXTBOX.text() + " !!!");
    if (w.TASK_19_ENABLE_TICKBOX.ticked() || closeInstead) {
        if (!closeInstead) {
            app.status("!!! AUTOCLOSE STARTING !!!");
            w.AUTOCLOSE_OR_POWER_AUTOTIMER_TEXTBOX.setText("AUTOCLOSE");
        }
        w.AUTOTIMER_ACTION_TEXTBOX.setText("");
        w.AUTOCLOSE_START_BUTTON.setEnabled(true);
        w.AUTOCLOSE_TIMER.start();
        setStep(w, RunStep::finalAction, StepState::done);
    } else {
        setStep(w, RunStep::finalAction, StepState::skippedOrFailed);
    }
    if (w.TASK_20_ENABLE_TICKBOX.ticked() && !closeInstead) {
        app.status("!!! RUNNING POWER AUTOTIMER !!!");
        w.AUTOCLOSE_OR_POWER_AUTOTIMER_TEXTBOX.setText("POWER AUTOTIMER");
        app.powerAutotimer->showCountdownWindow();
        setStep(w, RunStep::finalAction, StepState::done);
    }
    if (!w.TASK_19_ENABLE_TICKBOX.ticked() && !w.TASK_20_ENABLE_TICKBOX.ticked()) {
        app.status("SKIPPING AUTOCLOSE / POWER AUTOTIMER");
        setStep(w, RunStep::finalAction, StepState::skippedOrFailed);
        app.status("!!! COMPLETED - FINISHED - DONE !!!");
    }
    // A run that marked itself under way at step 1 overwrites the mark.
    if (w.RUN_UNDER_WAY)
        storeRunOutcome(app);
    else if (!runOutcomeWritten(app))
        app.status(runOutcomeNotWrittenText(app));
    w.taskTimer(RunStep::finalAction).stop();  // the chain is idle; the start/stop caption stays "STOP"
}

void startStopClicked(AppContext& app) {
    MainWindow& w = app.main;
    if (!w.run.switches.chain) {
        setChainSwitch(w, true);
        w.AUTOSTART_START_BUTTON.setEnabled(false);
        // A running autostart countdown would start a second pass of the
        // chain beside this one when it fires: pause it (it resumes from
        // where it stood when started again).
        w.AUTOSTART_TIMER.stop();
        setAutostartSwitch(w, false);
        w.taskTimer(RunStep::logDateTimeAndComputer).start();
        w.MULTILOADER_START_STOP_BUTTON.setTooltip("STOP MULTILOADER");
    } else {
        // Only the chain stops: the block counter, the heartbeat, the clock
        // and any program already started go on. A run under way ends here,
        // and its stored outcome says so.
        const bool runUnderWay = w.RUN_UNDER_WAY;
        if (runUnderWay) storeRunStopped(app);
        setChainSwitch(w, false);
        w.AUTOSTART_START_BUTTON.setEnabled(true);
        w.MULTILOADER_START_STOP_BUTTON.setTooltip("START MULTILOADER");
        for (int step = 1; step <= MainWindow::stepCount; ++step) w.taskTimer(step).stop();
        // Told once the chain stands still and the outcome is stored.
        if (runUnderWay) w.runEvents.stoppedByHand.notify();
    }
}

// A step's tick does the step's work; once the step has handed on (its
// timer stopped: a step that waits keeps ticking) the run says it is done,
// so whoever follows the steps sees each one's outcome.
void onStepTick(AppContext& app, RunStep step, std::function<void()> work) {
    Timer& timer = app.main.taskTimer(step);
    timer.onTick.connect([&app, &timer, step, work = std::move(work)] {
        work();
        if (!timer.enabled()) app.main.runEvents.stepDone.notify(step);
    });
}

}  // namespace

void installRunSequence(AppContext& app) {
    MainWindow& w = app.main;
    w.MULTILOADER_START_STOP_BUTTON.onClick.connect([&app] { startStopClicked(app); });

    onStepTick(app, RunStep::logDateTimeAndComputer, [&app] { logDateTimeAndComputer(app); });
    onStepTick(app, RunStep::startHeartbeat, [&app] { startHeartbeat(app); });
    onStepTick(app, RunStep::startRuntimeClock, [&app] { startRuntimeClock(app); });
    onStepTick(app, RunStep::sendStartMail, [&app, &w] {
        mailStep(app, RunStep::sendStartMail, RunStep::startRuntimeClock, w.TASK_4_ENABLE_TICKBOX, CommandFile::StartEmail, "SENDING START EMAIL",
                 "SKIPPING START EMAIL");
    });
    onStepTick(app, RunStep::measureFolderBefore, [&app] { measureFolderBefore(app); });
    onStepTick(app, RunStep::logStartBlock, [&app] { logStartBlock(app); });
    onStepTick(app, RunStep::startNode, [&app] { startNodeProgram(app); });
    onStepTick(app, RunStep::startBlockCounter, [&app] { startBlockCounter(app); });
    onStepTick(app, RunStep::waitForBlockCounter, [&app] { waitForBlockCounter(app); });
    onStepTick(app, RunStep::logEndBlock, [&app] { logEndBlock(app); });
    onStepTick(app, RunStep::requestNodeStop, [&app] { requestNodeStop(app); });
    onStepTick(app, RunStep::waitForNodeShutdown, [&app] { waitForNodeShutdown(app); });
    onStepTick(app, RunStep::measureFolderAfter, [&app] { measureFolderAfter(app); });
    onStepTick(app, RunStep::logEndTime, [&app] { logEndTime(app); });
    onStepTick(app, RunStep::logTotalRuntime, [&app] { logTotalRuntime(app); });
    onStepTick(app, RunStep::createEndReport, [&app] { createEndReport(app); });
    onStepTick(app, RunStep::sendEndReportMail, [&app, &w] {
        mailStep(app, RunStep::sendEndReportMail, RunStep::createEndReport, w.TASK_17_ENABLE_TICKBOX, CommandFile::EndReportEmail, "SENDING REPORT EMAIL",
                        "SKIPPING REPORT EMAIL");
    });
    onStepTick(app, RunStep::stopHeartbeat, [&app] { stopHeartbeat(app); });
    onStepTick(app, RunStep::finalAction, [&app] { startFinalAction(app); });
}

}  // namespace syncward
