#include "core/run/start_close_timers.h"

#include "core/reports/end_report.h"
#include "core/run/run_outcome.h"
#include "core/blockcounter/node_check.h"
#include "core/state/app_context.h"
#include "core/state/main_window_painter.h"
#include "core/state/main_window_settings.h"
#include "core/time/clock_text.h"

namespace syncward {

namespace {

constexpr long long countdownStart = 11;

// One second off a countdown that shows only its seconds field; true when
// that field reads "00", the moment the countdown fires. A countdown is
// not reset when it fires, so one started again runs on below zero.
bool countDown(long long& remaining, TextBox& display) {
    --remaining;
    const std::string field = formatSecondsField(remaining);
    display.setText(field);
    return field == "00";
}

// The START/STOP buttons of both countdowns pause and resume.
void toggleCountdown(MainWindow& w, bool on, void (*setSwitch)(MainWindow&, bool), Timer& timer) {
    setSwitch(w, !on);
    if (on)
        timer.stop();
    else
        timer.start();
}

void autostartTick(AppContext& app) {
    MainWindow& w = app.main;
    setAutostartSwitch(w, true);
    app.status("!!! AUTOSTARTING !!!");
    w.AUTOSTART_TIMER_TEXTBOX.setBackground(colours::green);
    if (!countDown(w.AUTOSTART_REMAINING, w.AUTOSTART_TIMER_TEXTBOX)) return;
    w.AUTOSTART_TIMER_TEXTBOX.setText("-- --");
    setAutostartSwitch(w, false);
    w.taskTimer(RunStep::logDateTimeAndComputer).start();
    setChainSwitch(w, true);
    w.AUTOSTART_START_BUTTON.setEnabled(false);
    w.AUTOSTART_TIMER.stop();
}

void autocloseTick(AppContext& app) {
    MainWindow& w = app.main;
    // Green only for a success: the outcome is already in the box.
    w.MULTILOADER_LAST_RUN_TEXTBOX.setColours(
        colours::black, isSuccessOutcome(w.MULTILOADER_LAST_RUN_TEXTBOX.text()) ? colours::green : colours::red);
    if (w.TASK_19_ENABLE_TICKBOX.ticked() || w.run.caughtUp) {
        setStep(w, RunStep::finalAction, StepState::done);
        w.AUTOCLOSE_TIMER_TEXTBOX.setBackground(colours::green);
        setAutocloseSwitch(w, true);
        w.AUTOCLOSE_START_BUTTON.setEnabled(true);
        if (!countDown(w.AUTOCLOSE_REMAINING, w.AUTOCLOSE_TIMER_TEXTBOX)) return;
        w.AUTOCLOSE_TIMER_TEXTBOX.setText("-- --");
        app.status("!!! AUTOCLOSING !!!");
        w.AUTOCLOSE_TIMER.stop();
        // The outcome is stored once the report's write is known: a run
        // whose report or settings did not reach the disk stays open, red,
        // for whoever looks next, its report still in the window. It gives
        // way to the next start of this copy.
        const bool outcomeStored = storeRunOutcome(app);
        saveOnClose(w, app.settings, ClosedBy::autoclose);  // the close then stores its own set
        if (!outcomeStored || !runOutcomeWritten(app)) {
            w.MULTILOADER_LAST_RUN_TEXTBOX.setText(runOutcomeNotWrittenText(app));
            // The success stored a moment ago must not stay behind the red
            // the window shows, or the next start would show it green.
            app.settings.saveText(w.MULTILOADER_LAST_RUN_TEXTBOX);
            w.MULTILOADER_LAST_RUN_TEXTBOX.setColours(colours::black, colours::red);
            app.status(runOutcomeNotWrittenText(app));
            setAutocloseSwitch(w, false);
            return;
        }
        w.close();
    } else {
        // Autoclose was cleared during the countdown: the program stays open.
        setAutocloseSwitch(w, false);
        setChainSwitch(w, false);
        storeRunOutcome(app);
        w.AUTOCLOSE_START_BUTTON.setEnabled(false);
        w.AUTOSTART_START_BUTTON.setEnabled(true);
        w.AUTOCLOSE_TIMER.stop();
    }
}

}  // namespace

void installStartCloseTimers(AppContext& app) {
    MainWindow& w = app.main;

    w.AUTOSTART_TIMER.onTick.connect([&app] { autostartTick(app); });
    w.AUTOSTART_START_BUTTON.onClick.connect([&w] {
        toggleCountdown(w, w.run.switches.autostart, setAutostartSwitch, w.AUTOSTART_TIMER);
    });
    w.AUTOSTART_TIMER_TEXTBOX.onDoubleClick.connect([&w] {
        w.AUTOSTART_REMAINING = countdownStart;
        w.AUTOSTART_TIMER_TEXTBOX.setText(std::to_string(countdownStart));
    });

    w.AUTOCLOSE_TIMER.onTick.connect([&app] { autocloseTick(app); });
    w.AUTOCLOSE_START_BUTTON.onClick.connect([&w] {
        toggleCountdown(w, w.run.switches.autoclose, setAutocloseSwitch, w.AUTOCLOSE_TIMER);
    });
    w.AUTOCLOSE_TIMER_TEXTBOX.onDoubleClick.connect([&w] {
        w.AUTOCLOSE_REMAINING = countdownStart;
        w.AUTOCLOSE_TIMER_TEXTBOX.setText(std::to_string(countdownStart));
    });

    // The run-time clock is never stopped or reset: a second run continues
    // from where the first left it.
    w.RUNTIME_TIMER.onTick.connect([&w] {
        ++w.RUNTIME_ELAPSED;
        w.RUNTIME_LABEL.setCaption(formatClock(w.RUNTIME_ELAPSED));
    });

    w.EXIT_BUTTON.onClick.connect([&app, &w] {
        saveOnClose(w, app.settings, ClosedBy::exitButton);  // the close then stores its own set
        w.MULTILOADER_LAST_RUN_TEXTBOX.setText(main_texts::manualExit);
        app.settings.saveText(w.MULTILOADER_LAST_RUN_TEXTBOX);
        w.close();
    });
}

}  // namespace syncward
