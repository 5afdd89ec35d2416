#include "core/blockcounter/chain_steps.h"

#include "core/app/app_context.h"
#include "core/time/clock_text.h"

namespace syncward {

std::array<Timer*, 9> chainStageTimers(MainWindow& w) {
    return {&w.BLOCKCOUNTER_COUNTDOWN_TIMER,     &w.GETBLOCKCOUNT_TIMER,     &w.CLI_PROCESS_WATCHER_TIMER,
            &w.BLOCKCOUNT_TEXTBOX_UPDATER_TIMER, &w.ZERO_EMPTY_TEXTBOX_CHECKER_TIMER, &w.IDENTICAL_CHECKER_TIMER,
            &w.CHECKER_TIMER,                    &w.VERIFY_TIMER,            &w.TRIPLE_CHECK_TIMER};
}

bool readingUnderWay(MainWindow& w) {
    if (w.COMPLETED_TIMER.enabled()) return true;
    for (Timer* stage : chainStageTimers(w))
        if (stage != &w.BLOCKCOUNTER_COUNTDOWN_TIMER && stage->enabled()) return true;
    return false;
}

void paintBlockBoxes(MainWindow& w, Colour text, Colour background) {
    w.CURRENT_BLOCK_TEXTBOX.setColours(text, background);
    w.LAST_BLOCKCOUNT_TEXTBOX.setColours(text, background);
}

void resetIndicators(MainWindow& w) {
    for (TextBox* indicator : {&w.IDENTICAL_TEXTBOX, &w.VERIFYING_TEXTBOX, &w.TRIPLE_CHECK_TEXTBOX, &w.CONFIRMED_TEXTBOX})
        indicator->setBackground(colours::windowBackground);
}

bool restartCountdown(AppContext& app) {
    MainWindow& w = app.main;
    const auto seconds = parseTimeOfDay(w.USER_COUNT_TIME_TEXTBOX.text());
    if (!seconds) {
        app.status(block_texts::invalidCountTime);
        return false;
    }
    w.BLOCKCOUNT_TIMER_TEXTBOX.setText(w.USER_COUNT_TIME_TEXTBOX.text());
    w.COUNTDOWN_REMAINING = *seconds;
    w.BLOCKCOUNTER_COUNTDOWN_TIMER.start();
    return true;
}

void saveInfoOnlyReadings(AppContext& app) {
    MainWindow& w = app.main;
    app.settings.save("INFO_ONLY_CURRENT_BLOCK_TEXTBOX", w.CURRENT_BLOCK_TEXTBOX.text());
    app.settings.save("INFO_ONLY_LAST_BLOCKCOUNT_TEXTBOX", w.LAST_BLOCKCOUNT_TEXTBOX.text());
    app.settings.save("INFO_ONLY_BLOCK_VERIFIER_TEXTBOX", w.BLOCK_VERIFIER_TEXTBOX.text());
    app.settings.save("INFO_ONLY_BLOCK_TRIPLE_CHECK_TEXTBOX", w.BLOCK_TRIPLE_CHECK_TEXTBOX.text());
}

bool saveIntervals(AppContext& app) {
    MainWindow& w = app.main;
    if (!isTimeOfDay(w.USER_COUNT_TIME_TEXTBOX.text())) {
        app.status(block_texts::invalidCountTime);
        return false;
    }
    if (!isTimeOfDay(w.USER_OVERRIDE_TIME_TEXTBOX.text())) {
        app.status(block_texts::invalidOverrideTime);
        return false;
    }
    app.settings.saveText(w.USER_COUNT_TIME_TEXTBOX);
    app.settings.saveText(w.USER_OVERRIDE_TIME_TEXTBOX);
    return true;
}

}  // namespace syncward
