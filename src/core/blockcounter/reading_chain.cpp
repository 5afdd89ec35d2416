// The reading chain of the block counter: the manual start and stop, the
// countdown, the block-count command, the wait for the client, the load of
// the latest block-count file, "Run Now", the manual finish and the saving
// of the intervals. Each stage runs on its timer's tick, enables the next
// stage and disables itself.
#include "core/blockcounter/block_boxes.h"
#include "core/blockcounter/block_counter.h"
#include "core/blockcounter/block_counter_texts.h"
#include "core/blockcounter/chain_stages.h"
#include "core/blockcounter/client_wait.h"
#include "core/blockcounter/intervals.h"
#include "core/blockcounter/node_check.h"
#include "core/blockcounter/node_presence.h"
#include "core/blockcounter/phase_limit.h"
#include "core/processes/command_file_runner.h"
#include "core/state/app_context.h"
#include "core/state/main_window_painter.h"
#include "core/state/home_layout.h"
#include "core/state/main_window_settings.h"
#include "core/time/clock_text.h"

namespace syncward {

namespace {

void setLastRun(AppContext& app, const char* text, const Colour* background, bool save) {
    TextBox& lastRun = app.main.BLOCKCOUNTER_LAST_RUN_TEXTBOX;
    lastRun.setText(text);
    if (background) lastRun.setBackground(*background);
    if (save) saveMainSetting(app.settings, lastRun);
}

void startByHand(AppContext& app) {
    MainWindow& w = app.main;
    // A "Run Every" text that is not a time starts nothing: the button,
    // the timers and the last-run box stay as they are.
    const auto seconds = parseInterval(w.USER_COUNT_TIME_TEXTBOX.text());
    if (!seconds) {
        app.status(block_texts::invalidCountTime);
        return;
    }
    w.COUNTDOWN_REMAINING = *seconds;
    forgetNodeCheck(w);
    setCounterSwitch(w, true);
    w.USER_COUNT_TIME_TEXTBOX.setLocked(true);
    w.SETTINGS_BUTTON.setEnabled(false);
    w.BLOCKCOUNTER_COUNTDOWN_TIMER.start();
    w.RUN_NOW_BUTTON.setEnabled(true);
    setLastRun(app, "!!! MANUAL START !!!", &colours::green, true);
    w.START_STOP_TIMER_BUTTON.setTooltip("STOP BLOCKCOUNTER");
}

void stopByHand(AppContext& app) {
    MainWindow& w = app.main;
    setCounterSwitch(w, false);
    w.USER_COUNT_TIME_TEXTBOX.setLocked(false);
    w.SETTINGS_BUTTON.setEnabled(true);
    // The completion hand-over and the override are left as they are.
    for (Timer* stage : chainStageTimers(w)) stage->stop();
    w.RUN_NOW_BUTTON.setEnabled(false);
    setLastRun(app, "!!! MANUAL STOP !!!", &colours::red, true);
    w.START_STOP_TIMER_BUTTON.setTooltip("START BLOCKCOUNTER");
    resetAgreement(w);
}

// After a decision at zero the countdown's value is spent. It is loaded
// again here (not shown), so that the run's next start of the block
// counter, which continues from the value left behind, counts a full
// interval instead of running past zero for good.
void rechargeCountdown(MainWindow& w) {
    if (const auto seconds = parseInterval(w.USER_COUNT_TIME_TEXTBOX.text())) w.COUNTDOWN_REMAINING = *seconds;
}

// Only node programs that have a name decide: a program without one is
// never watched. Past zero without a decision (the watch has not looked
// at a named program yet) the countdown keeps counting and shows the
// overdue time with a minus sign, "-00:00:05": it can never read
// "00:00:00" again, so no late decision is taken behind the user's back.
// The override, a stop or a finish ends it.
void countdownTick(AppContext& app) {
    MainWindow& w = app.main;
    w.run.chainUpToDate = false;  // said until the countdown goes on
    app.status(block_texts::countingDown);
    w.COUNTDOWN_REMAINING -= 1;
    const std::string shown = formatHms(w.COUNTDOWN_REMAINING);
    w.BLOCKCOUNT_TIMER_TEXTBOX.setText(shown);
    if (shown != block_texts::zeroTime) return;

    switch (namedNodePresence(w)) {
        case NodePresence::running:
            w.BLOCKCOUNT_TIMER_TEXTBOX.setText(block_texts::noReading);
            app.status("!!! BLOCKCOUNTER - AUTO GETBLOCKCOUNT !!!");
            paintBlockBoxes(w, colours::black, colours::lightCyan);
            w.GETBLOCKCOUNT_TIMER.start();
            break;
        case NodePresence::stopped:
            // No chain to judge: the phase ends, and never as a success.
            w.BLOCKCOUNT_TIMER_TEXTBOX.setText(block_texts::noReading);
            w.facts.runFailure = nodeGoneReason(app);
            app.status(w.NODE_SEEN_RUNNING ? "!!! BC - QT / DAEMON ERROR - CONTINUING... !!!"
                                           : "!!! BC - QT / DAEMON ERROR - " + w.facts.runFailure + " !!!");
            w.CURRENT_STATUS_LABEL.setBackground(colours::red);  // stays red until the program ends
            w.COMPLETED_TIMER.start();
            break;
        case NodePresence::notSeenYet: return;
    }
    w.BLOCKCOUNTER_COUNTDOWN_TIMER.stop();
    rechargeCountdown(w);
}

void getBlockCountTick(AppContext& app) {
    MainWindow& w = app.main;
    app.status("!!! BLOCKCOUNTER - RUNNING GETBLOCKCOUNT !!!");
    w.GETBLOCKCOUNT_TIMER.stop();
    if (!runCommandFile(app, CommandFile::BlockCounter)) {
        // Without the command the file still holds an old answer, which the
        // checks would take for a fresh, identical reading. Start over
        // after a full countdown instead.
        app.status("!!! BLOCKCOUNTER - GETBLOCKCOUNT COMMAND FILE COULD NOT BE STARTED !!!");
        resetAgreement(w);
        paintBlockBoxes(w, colours::green, colours::black);
        restartCountdown(app);
        return;
    }
    paintBlockBoxes(w, colours::black, colours::yellow);
    startClientWait(app);
    w.CLI_PROCESS_WATCHER_TIMER.start();
}

void clientWaitTick(AppContext& app) {
    MainWindow& w = app.main;
    if (w.run.programs.oursRunning(WatchedProgram::client)) {
        if (endClientThatHangs(app)) {
            // What it may have left in the file is no answer: an empty
            // reading, which the checks discard.
            app.status("!!! BLOCKCOUNTER - CLIENT HUNG - ENDED AFTER 2 MINUTES - NO READING !!!");
            setReading(w, &BlockReadings::current, "");
            w.CLI_PROCESS_WATCHER_TIMER.stop();
            w.ZERO_EMPTY_TEXTBOX_CHECKER_TIMER.start();
            return;
        }
        paintBlockBoxes(w, colours::black, colours::red);
        app.status("!!! CLI PROCESS RUNNING - WAITING !!!");
        w.RUN_NOW_BUTTON.setEnabled(false);
        return;
    }
    paintBlockBoxes(w, colours::green, colours::black);
    app.status("GOOD - CLI PROCESS NOT RUNNING");
    w.RUN_NOW_BUTTON.setEnabled(true);
    w.BLOCKCOUNT_TEXTBOX_UPDATER_TIMER.start();
    w.CLI_PROCESS_WATCHER_TIMER.stop();
}

// The client's complaint names the likely cause of a missing number.
std::string likelyClientCause(const std::string& complaint) {
    auto says = [&](const char* words) { return complaint.find(words) != std::string::npos; };
    if (says("uthoriz") || says("cookie") || says("credentials") || says("rpcpassword"))
        return "CLIENT CANNOT LOG IN TO THE NODE";
    if (says("connect") || says("refused")) return "NODE NOT REACHABLE - NOT RUNNING OR WRONG PORT";
    if (says("Loading") || says("Verifying") || says("-28")) return "NODE STILL STARTING";
    return "CLIENT GAVE NO NUMBER";
}

std::string loadStatus(AppContext& app, const TextRead& read) {
    switch (read.failure) {
        case ReadFailure::missing: return "!!! BLOCKCOUNTER - BLOCKCOUNT FILE NOT FOUND !!!";
        case ReadFailure::notRegularFile: return "!!! BLOCKCOUNTER - BLOCKCOUNT FILE IS NOT A PLAIN FILE - NOT READ !!!";
        case ReadFailure::tooLarge: return "!!! BLOCKCOUNTER - BLOCKCOUNT FILE TOO LARGE FOR A BLOCK COUNT - NOT READ !!!";
        case ReadFailure::unreadable: return "!!! BLOCKCOUNTER - BLOCKCOUNT FILE COULD NOT BE READ !!!";
        case ReadFailure::none: break;
    }
    if (!read.text->empty() && *read.text != app.profile().lineEnd()) return "!!! BLOCKCOUNTER - BLOCKCOUNT UPDATED !!!";
    const std::string errors =
        home_layout::clientErrorFile(app.profile(), app.main.SYNCWARD_HOME_TEXTBOX.text(), app.executableName);
    const std::string complaint = app.platform.files.readText(errors, read_limits::blockCount).text.value_or("");
    return "!!! BLOCKCOUNTER - " + likelyClientCause(complaint) + " - SEE " + errors + " !!!";
}

void loadTick(AppContext& app) {
    MainWindow& w = app.main;
    paintBlockBoxes(w, colours::black, colours::magenta);
    app.status("!!! BLOCKCOUNTER - UPDATING BLOCKCOUNT !!!");
    // Read whole, line end included; the checks compare texts, never numbers.
    // A missing file is an empty reading, which the checks discard.
    const std::string path =
        home_layout::blockCountFile(app.profile(), w.SYNCWARD_HOME_TEXTBOX.text(), app.executableName);
    const TextRead read = app.platform.files.readText(path, read_limits::blockCount);
    setReading(w, &BlockReadings::current, read.text.value_or(""));
    app.status(loadStatus(app, read));
    w.ZERO_EMPTY_TEXTBOX_CHECKER_TIMER.start();
    w.BLOCKCOUNT_TEXTBOX_UPDATER_TIMER.stop();
}

void runNow(AppContext& app) {
    MainWindow& w = app.main;
    // A second reading on top of one already under way would leave two
    // stages of the chain running side by side.
    if (readingUnderWay(w)) {
        app.status("!!! BLOCKCOUNTER - A READING IS ALREADY UNDER WAY !!!");
        return;
    }
    paintBlockBoxes(w, colours::black, colours::magenta);
    w.run.chainUpToDate = false;
    app.status("GETBLOCKCOUNT - MANUAL RUN STARTED");
    w.BLOCKCOUNTER_COUNTDOWN_TIMER.stop();
    w.GETBLOCKCOUNT_TIMER.start();
}

void finishByHand(AppContext& app) {
    MainWindow& w = app.main;
    if (w.run.chainUpToDate) {
        // The chain is known to be up to date; only say how the phase ended.
        w.run.chainUpToDate = false;
        app.status(block_texts::manualFinish);
        setLastRun(app, "!!! MANUAL FINISH - UP-TO-DATE !!!", &colours::green, false);
        return;
    }
    for (Timer* stage : chainStageTimers(w)) stage->stop();
    w.COMPLETED_TIMER.stop();
    w.OVERRIDE_TIMER.stop();
    endPhaseLimit(w);
    w.taskTimer(RunStep::waitForBlockCounter).start();
    setCounterSwitch(w, false);
    setOverrideSwitch(w, false);
    app.status(block_texts::manualFinish);
    setLastRun(app, "!!! MANUAL FINISH !!!", &colours::red, false);
    setStep(w, RunStep::startBlockCounter, StepState::done);
    setStep(w, RunStep::waitForBlockCounter, StepState::done);
}

}  // namespace

void installReadingChain(AppContext& app) {
    MainWindow& w = app.main;
    w.START_STOP_TIMER_BUTTON.onClick.connect([&app] {
        if (!app.main.run.switches.counter)
            startByHand(app);
        else
            stopByHand(app);
    });
    w.BLOCKCOUNTER_COUNTDOWN_TIMER.onTick.connect([&app] { countdownTick(app); });
    w.GETBLOCKCOUNT_TIMER.onTick.connect([&app] { getBlockCountTick(app); });
    w.CLI_PROCESS_WATCHER_TIMER.onTick.connect([&app] { clientWaitTick(app); });
    w.BLOCKCOUNT_TEXTBOX_UPDATER_TIMER.onTick.connect([&app] { loadTick(app); });
    w.RUN_NOW_BUTTON.onClick.connect([&app] { runNow(app); });
    w.FINISH_BLOCKCOUNTER_BUTTON.onClick.connect([&app] { finishByHand(app); });
    // A changed interval takes effect at the next restart of the countdown.
    w.USER_COUNT_TIME_TEXTBOX.onDoubleClick.connect([&app] { saveIntervals(app); });
}

}  // namespace syncward
