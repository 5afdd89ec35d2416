#include "core/app/start_close_timers.h"

#include "core/app/app_context.h"
#include "core/app/main_window_close.h"
#include "core/blockcounter/chain_steps.h"
#include "core/time/clock_text.h"

namespace syncward {

namespace {

constexpr long long countdownStart = 11;

// What EXIT and the autoclose store before the window closes (the close
// itself then stores its own set).
void saveExitSettings(AppContext& app) {
    app.settings.saveTick(app.main.ALWAYS_ON_TOP_TICKBOX);
    saveRunSwitches(app, NodeProgramTicks::Store);
}

// One second off a countdown that shows only its seconds field; true when
// the display reads "00", the moment the countdown fires. A countdown is
// not reset when it fires, so one started again runs on below zero.
bool countDown(long long& remaining, TextBox& display) {
    --remaining;
    display.setText(formatSecondsField(remaining));
    return display.text() == "00";
}

// The START/STOP buttons of both countdowns pause and resume.
void toggleCountdown(Button& button, Timer& timer) {
    if (button.caption() == "START") {
        button.setCaption("STOP");
        timer.start();
    } else {
        button.setCaption("START");
        timer.stop();
    }
}

void autostartTick(AppContext& app) {
    MainWindow& w = app.main;
    w.AUTOSTART_START_BUTTON.setCaption("STOP");
    app.status("!!! AUTOSTARTING !!!");
    w.AUTOSTART_TIMER_TEXTBOX.setBackground(colours::green);
    if (!countDown(w.AUTOSTART_REMAINING, w.AUTOSTART_TIMER_TEXTBOX)) return;
    w.AUTOSTART_TIMER_TEXTBOX.setText("-- --");
    w.AUTOSTART_START_BUTTON.setCaption("START");
    w.taskTimer(1).start();
    w.MULTILOADER_START_STOP_BUTTON.setCaption("STOP");
    w.AUTOSTART_START_BUTTON.setEnabled(false);
    w.AUTOSTART_TIMER.stop();
}

void autocloseTick(AppContext& app) {
    MainWindow& w = app.main;
    w.MULTILOADER_LAST_RUN_TEXTBOX.setColours(colours::black, colours::green);
    if (w.TASK_19_ENABLE_TICKBOX.ticked()) {
        w.taskLight(19).setBackground(colours::green);
        w.AUTOCLOSE_TIMER_TEXTBOX.setBackground(colours::green);
        w.AUTOCLOSE_START_BUTTON.setCaption("STOP");
        w.AUTOCLOSE_START_BUTTON.setEnabled(true);
        if (!countDown(w.AUTOCLOSE_REMAINING, w.AUTOCLOSE_TIMER_TEXTBOX)) return;
        w.AUTOCLOSE_TIMER_TEXTBOX.setText("-- --");
        app.status("!!! AUTOCLOSING !!!");
        w.MULTILOADER_LAST_RUN_TEXTBOX.setText(texts::completedSuccessfully);
        app.settings.saveText(w.MULTILOADER_LAST_RUN_TEXTBOX);
        saveExitSettings(app);
        w.AUTOCLOSE_TIMER.stop();
        w.close();
    } else {
        // Autoclose was cleared during the countdown: the program stays open.
        w.AUTOCLOSE_START_BUTTON.setCaption("START");
        w.MULTILOADER_LAST_RUN_TEXTBOX.setText(texts::completedSuccessfully);
        w.MULTILOADER_START_STOP_BUTTON.setCaption("START");
        app.settings.saveText(w.MULTILOADER_LAST_RUN_TEXTBOX);
        w.MULTILOADER_LAST_RUN_TEXTBOX.setColours(colours::black, colours::green);
        w.AUTOCLOSE_START_BUTTON.setEnabled(false);
        w.AUTOSTART_START_BUTTON.setEnabled(true);
        w.AUTOCLOSE_TIMER.stop();
    }
}

// The block counter has finished a phase: with "Finish When Identical" the
// run goes on at step 9, without it the counter keeps polling.
void completedTick(AppContext& app) {
    MainWindow& w = app.main;
    saveInfoOnlyReadings(app);
    if (w.FINISH_WHEN_IDENTICAL_TICKBOX.ticked()) {
        w.BLOCKCOUNTER_COUNTDOWN_TIMER.stop();
        w.BLOCKCOUNT_TEXTBOX_UPDATER_TIMER.stop();
        w.OVERRIDE_TIMER.stop();
        w.START_STOP_TIMER_BUTTON.setCaption("START");
        w.START_OVERRIDE_BUTTON.setCaption("START");
        app.status("!!! BLOCKCOUNTER FINISHED !!!");
        w.BLOCKCOUNTER_LAST_RUN_TEXTBOX.setText(texts::completedSuccessfully);
        app.settings.save("BLOCKCOUNTER_LAST_RUN", w.BLOCKCOUNTER_LAST_RUN_TEXTBOX.text());
        w.BLOCKCOUNTER_LAST_RUN_TEXTBOX.setBackground(colours::green);
        w.taskLight(8).setBackground(colours::green);
        w.taskLight(9).setBackground(colours::green);
        w.taskTimer(9).start();
    } else {
        app.status("!!! BLOCKCHAIN UPDATED !!!");
        w.BLOCKCOUNTER_COUNTDOWN_TIMER.start();
        w.START_STOP_TIMER_BUTTON.setCaption("START");
        w.START_OVERRIDE_BUTTON.setCaption("START");
    }
    w.COMPLETED_TIMER.stop();
}

}  // namespace

void installStartCloseTimers(AppContext& app) {
    MainWindow& w = app.main;

    w.AUTOSTART_TIMER.onTick = [&app] { autostartTick(app); };
    w.AUTOSTART_START_BUTTON.onClick = [&w] { toggleCountdown(w.AUTOSTART_START_BUTTON, w.AUTOSTART_TIMER); };
    w.AUTOSTART_TIMER_TEXTBOX.onDoubleClick = [&w] {
        w.AUTOSTART_REMAINING = countdownStart;
        w.AUTOSTART_TIMER_TEXTBOX.setText(std::to_string(countdownStart));
    };

    w.AUTOCLOSE_TIMER.onTick = [&app] { autocloseTick(app); };
    w.AUTOCLOSE_START_BUTTON.onClick = [&w] { toggleCountdown(w.AUTOCLOSE_START_BUTTON, w.AUTOCLOSE_TIMER); };
    w.AUTOCLOSE_TIMER_TEXTBOX.onDoubleClick = [&w] {
        w.AUTOCLOSE_REMAINING = countdownStart;
        w.AUTOCLOSE_TIMER_TEXTBOX.setText(std::to_string(countdownStart));
    };

    // The run-time clock is never stopped or reset: a second run continues
    // from where the first left it.
    w.RUNTIME_TIMER.onTick = [&w] {
        ++w.RUNTIME_ELAPSED;
        w.RUNTIME_LABEL.setCaption(formatClock(w.RUNTIME_ELAPSED));
    };

    w.COMPLETED_TIMER.onTick = [&app] { completedTick(app); };

    w.EXIT_BUTTON.onClick = [&app, &w] {
        saveExitSettings(app);
        w.MULTILOADER_LAST_RUN_TEXTBOX.setText(texts::manualExit);
        app.settings.saveText(w.MULTILOADER_LAST_RUN_TEXTBOX);
        w.close();
    };
}

}  // namespace syncward
