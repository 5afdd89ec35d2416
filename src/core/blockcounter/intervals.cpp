#include "core/blockcounter/intervals.h"

#include "core/blockcounter/block_counter_texts.h"
#include "core/state/app_context.h"
#include "core/time/clock_text.h"

namespace syncward {

bool restartCountdown(AppContext& app) {
    MainWindow& w = app.main;
    const auto seconds = parseInterval(w.USER_COUNT_TIME_TEXTBOX.text());
    if (!seconds) {
        app.status(block_texts::invalidCountTime);
        return false;
    }
    w.BLOCKCOUNT_TIMER_TEXTBOX.setText(w.USER_COUNT_TIME_TEXTBOX.text());
    w.COUNTDOWN_REMAINING = *seconds;
    w.BLOCKCOUNTER_COUNTDOWN_TIMER.start();
    return true;
}

bool saveIntervals(AppContext& app) {
    MainWindow& w = app.main;
    if (!parseInterval(w.USER_COUNT_TIME_TEXTBOX.text())) {
        app.status(block_texts::invalidCountTime);
        return false;
    }
    if (!parseInterval(w.USER_OVERRIDE_TIME_TEXTBOX.text())) {
        app.status(block_texts::invalidOverrideTime);
        return false;
    }
    app.settings.saveText(w.USER_COUNT_TIME_TEXTBOX);
    app.settings.saveText(w.USER_OVERRIDE_TIME_TEXTBOX);
    return true;
}

}  // namespace syncward
