// The override: a hard limit on a whole block-counting phase. It counts
// down beside the reading chain and, when it reaches zero, ends the phase
// whatever stage it is in and lets the run go on.
#include "core/blockcounter/block_counter.h"
#include "core/blockcounter/block_counter_texts.h"
#include "core/blockcounter/chain_stages.h"
#include "core/blockcounter/intervals.h"
#include "core/blockcounter/node_check.h"
#include "core/blockcounter/phase_limit.h"
#include "core/state/app_context.h"
#include "core/state/main_window_painter.h"
#include "core/state/main_window_settings.h"
#include "core/time/clock_text.h"

namespace syncward {

namespace {

// Switching the override off also switches off the run's limit, which runs
// on the same timer (phase_limit.h). A run that started by itself keeps
// its limit, since nobody may be there to end it; one started by hand
// loses it, and the user is told. False: the timer keeps running.
bool letRunLimitGo(AppContext& app) {
    MainWindow& w = app.main;
    if (!w.PHASE_LIMIT) return true;
    if (w.AUTOSTART_TICKBOX.ticked()) {
        app.status(block_texts::runLimitKept);
        return false;
    }
    w.PHASE_LIMIT = false;
    app.status(block_texts::runLimitOff);
    return true;
}

void enableClick(AppContext& app) {
    MainWindow& w = app.main;
    if (w.OVERRIDE_TIMER_ENABLE_TICKBOX.ticked()) {
        w.USER_OVERRIDE_TIME_TEXTBOX.setLocked(false);
        w.OVERRIDE_TIMER_TEXTBOX.setEnabled(true);
        w.AUTOSTART_OVERRIDE_TIMER_TICKBOX.setEnabled(true);
        w.USER_OVERRIDE_TIME_TEXTBOX.setEnabled(true);
        w.START_OVERRIDE_BUTTON.setEnabled(true);
    } else {
        const bool stop = letRunLimitGo(app);
        w.USER_OVERRIDE_TIME_TEXTBOX.setLocked(true);
        w.OVERRIDE_TIMER_TEXTBOX.setEnabled(!stop);  // a kept limit still counts down there
        w.AUTOSTART_OVERRIDE_TIMER_TICKBOX.setEnabled(false);
        if (stop) w.OVERRIDE_TIMER.stop();
        w.USER_OVERRIDE_TIME_TEXTBOX.setEnabled(false);
        w.START_OVERRIDE_BUTTON.setEnabled(false);
        w.AUTOSTART_OVERRIDE_TIMER_TICKBOX.setValue(0);  // its own click saves "0"
        setOverrideSwitch(w, false);
    }
    app.settings.saveTick(w.OVERRIDE_TIMER_ENABLE_TICKBOX);
}

// Stopping does not reload the remaining time: a stopped override resumes
// where it stood.
void startStopClick(AppContext& app) {
    MainWindow& w = app.main;
    if (!w.run.switches.override) {
        setOverrideSwitch(w, true);
        w.OVERRIDE_TIMER.start();
        w.USER_OVERRIDE_TIME_TEXTBOX.setLocked(true);
        w.START_OVERRIDE_BUTTON.setTooltip("STOP BLOCKCOUNTER OVERRIDE TIMER");
    } else if (letRunLimitGo(app)) {
        setOverrideSwitch(w, false);
        w.OVERRIDE_TIMER.stop();
        w.USER_OVERRIDE_TIME_TEXTBOX.setLocked(false);
        w.START_OVERRIDE_BUTTON.setTooltip("START BLOCKCOUNTER OVERRIDE TIMER");
    }
}

void overrideTick(AppContext& app) {
    MainWindow& w = app.main;
    w.OVERRIDE_REMAINING -= 1;
    const std::string shown = formatHms(w.OVERRIDE_REMAINING);
    w.OVERRIDE_TIMER_TEXTBOX.setText(shown);
    if (shown != block_texts::zeroTime) return;

    // More blocks than time: end the phase wherever it stands.
    w.OVERRIDE_TIMER_TEXTBOX.setText(block_texts::noReading);
    for (Timer* stage : chainStageTimers(w)) stage->stop();
    w.COMPLETED_TIMER.stop();
    app.status("!!! BLOCKCOUNTER - MORE BLOCKS THAN TIME !!!");
    // When the chain was not confirmed, the last run says so and why, on red.
    explainFiredOverride(w);
    endPhaseLimit(w);
    w.BLOCKCOUNTER_LAST_RUN_TEXTBOX.setText(overrideOutcome(w));
    if (!w.facts.nodeCheck.failure.empty()) w.BLOCKCOUNTER_LAST_RUN_TEXTBOX.setBackground(colours::red);
    saveMainSetting(app.settings, w.BLOCKCOUNTER_LAST_RUN_TEXTBOX);
    setStep(w, RunStep::waitForBlockCounter, StepState::done);
    w.taskTimer(RunStep::waitForBlockCounter).start();
    w.OVERRIDE_TIMER.stop();
    // The spent value would make the next start count past zero and never
    // fire again; a fired override starts its next phase with a full
    // interval.
    if (const auto seconds = parseInterval(w.USER_OVERRIDE_TIME_TEXTBOX.text())) w.OVERRIDE_REMAINING = *seconds;
}

// While the override runs, a double-click restarts it from its text box.
void restartFromTextBox(AppContext& app) {
    MainWindow& w = app.main;
    if (!w.OVERRIDE_TIMER.enabled() || !w.USER_OVERRIDE_TIME_TEXTBOX.locked()) return;
    const auto seconds = parseInterval(w.USER_OVERRIDE_TIME_TEXTBOX.text());
    if (!seconds) {
        app.status(block_texts::invalidOverrideTime);
        return;
    }
    w.OVERRIDE_REMAINING = *seconds;
    saveIntervals(app);
}

}  // namespace

void installOverrideTimer(AppContext& app) {
    MainWindow& w = app.main;
    w.OVERRIDE_TIMER_ENABLE_TICKBOX.onClick.connect([&app] { enableClick(app); });
    w.START_OVERRIDE_BUTTON.onClick.connect([&app] { startStopClick(app); });
    w.OVERRIDE_TIMER.onTick.connect([&app] { overrideTick(app); });
    w.USER_OVERRIDE_TIME_TEXTBOX.onDoubleClick.connect([&app] { restartFromTextBox(app); });
    w.AUTOSTART_OVERRIDE_TIMER_TICKBOX.onClick.connect([&app] {
        app.settings.saveTick(app.main.AUTOSTART_OVERRIDE_TIMER_TICKBOX);
    });
}

}  // namespace syncward
