// The end of a block-counting phase: the completion checks (or a node that
// is not running) enable COMPLETED_TIMER, and its tick either hands the run
// on to step 9 or, without "Finish When Identical", keeps polling.
#include "core/blockcounter/block_counter.h"
#include "core/blockcounter/block_counter_texts.h"
#include "core/blockcounter/info_only_readings.h"
#include "core/blockcounter/node_check.h"
#include "core/blockcounter/phase_limit.h"
#include "core/state/app_context.h"
#include "core/state/main_window_painter.h"
#include "core/state/main_window_settings.h"

namespace syncward {

namespace {

void completedTick(AppContext& app) {
    MainWindow& w = app.main;
    saveInfoOnlyReadings(app);
    if (w.FINISH_WHEN_IDENTICAL_TICKBOX.ticked()) {
        w.BLOCKCOUNTER_COUNTDOWN_TIMER.stop();
        w.BLOCKCOUNT_TEXTBOX_UPDATER_TIMER.stop();
        w.OVERRIDE_TIMER.stop();
        endPhaseLimit(w);
        setCounterSwitch(w, false);
        setOverrideSwitch(w, false);
        app.status("!!! BLOCKCOUNTER FINISHED !!!");
        // A node that was asked and never confirmed (it stopped before it
        // could) is not a success, whatever ended the phase.
        const std::string outcome = completedOutcome(w);
        w.BLOCKCOUNTER_LAST_RUN_TEXTBOX.setText(outcome);
        saveMainSetting(app.settings, w.BLOCKCOUNTER_LAST_RUN_TEXTBOX);
        w.BLOCKCOUNTER_LAST_RUN_TEXTBOX.setBackground(isSuccessOutcome(outcome) ? colours::green : colours::red);
        setStep(w, RunStep::startBlockCounter, StepState::done);
        setStep(w, RunStep::waitForBlockCounter, StepState::done);
        w.taskTimer(RunStep::waitForBlockCounter).start();
    } else {
        // Polling goes on; a node that is not there has updated nothing.
        w.run.chainUpToDate = w.facts.runFailure.empty();
        app.status(w.run.chainUpToDate ? block_texts::blockchainUpdated
                                         : "!!! BLOCKCOUNTER - " + w.facts.runFailure + " - POLLING ON !!!");
        w.BLOCKCOUNTER_COUNTDOWN_TIMER.start();
        setCounterSwitch(w, false);
        setOverrideSwitch(w, false);
    }
    w.COMPLETED_TIMER.stop();
}

}  // namespace

void installCompletionHandover(AppContext& app) {
    app.main.COMPLETED_TIMER.onTick.connect([&app] { completedTick(app); });
}

}  // namespace syncward
