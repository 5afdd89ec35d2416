#include "core/blockcounter/phase_limit.h"

#include "core/state/app_context.h"
#include "core/state/main_window_painter.h"
#include "core/time/clock_text.h"

namespace syncward {

void startPhaseLimit(AppContext& app) {
    MainWindow& w = app.main;
    w.PHASE_LIMIT = true;
    const auto seconds = parseInterval(w.USER_OVERRIDE_TIME_TEXTBOX.text());
    w.OVERRIDE_REMAINING = seconds ? *seconds : *parseInterval(main_defaults::overrideInterval);
    w.OVERRIDE_TIMER_TEXTBOX.setText(formatHms(w.OVERRIDE_REMAINING));
    w.OVERRIDE_TIMER_TEXTBOX.setEnabled(true);
    w.OVERRIDE_TIMER.start();
    if (w.START_OVERRIDE_BUTTON.enabled()) {
        setOverrideSwitch(w, true);
        w.START_OVERRIDE_BUTTON.setTooltip("STOP BLOCKCOUNTER OVERRIDE TIMER");
    }
}

void endPhaseLimit(MainWindow& w) {
    if (!w.PHASE_LIMIT) return;
    w.PHASE_LIMIT = false;
    w.OVERRIDE_TIMER.stop();
    setOverrideSwitch(w, false);
    w.OVERRIDE_TIMER_TEXTBOX.setEnabled(w.OVERRIDE_TIMER_ENABLE_TICKBOX.ticked());
}

void explainFiredOverride(MainWindow& w) {
    if (!w.facts.nodeCheck.failure.empty() || !w.facts.runFailure.empty()) return;
    if (!w.READING_SEEN)
        w.facts.nodeCheck.failure = "NO USABLE BLOCK COUNT";
    else if (w.PHASE_LIMIT)
        w.facts.nodeCheck.failure = "BLOCK COUNTS NEVER AGREED WITHIN THE RUN LIMIT";
}

}  // namespace syncward
