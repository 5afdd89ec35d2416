#include "core/keepawake/heartbeat.h"

#include <string>

#include "core/keepawake/keep_awake_notice.h"
#include "core/keepawake/kitt_scanner.h"
#include "core/keepawake/lock_key_lights.h"
#include "core/state/app_context.h"
#include "core/state/main_window_painter.h"
#include "core/time/clock_text.h"

namespace syncward {

namespace {

// The key the heartbeat presses twice, as a user would, so the session
// counts as in use; its state is left as it was found.
constexpr LockKey heartbeatKey = LockKey::Num;

constexpr const char* zero = "00:00:00";

std::optional<long long> interval(const MainWindow& w) { return parseInterval(w.HEARTBEAT_COUNTDOWN_TIME_TEXTBOX.text()); }

// Once the heartbeat runs: holds the inhibitors and says what holds the
// computer awake, or what cannot here.
void keepAwake(AppContext& app) {
    const bool held = app.platform.sleepInhibitor.hold();
    noticeKeepAwake(app, !held);
}

// A pair of presses stopped after its first press would leave Num Lock
// flipped: the second press is made now. Before the first nothing was
// pressed, so nothing is owed.
void finishKeyPair(AppContext& app) {
    MainWindow& w = app.main;
    if (w.NUMLOCK_TIMER_2.enabled()) app.platform.lockKeys.press(heartbeatKey);
    w.NUMLOCK_TIMER_1.stop();
    w.NUMLOCK_TIMER_2.stop();
    w.KITT_BACKGROUND_LABEL.setBackground(colours::black);
}

void stopTimers(AppContext& app) {
    MainWindow& w = app.main;
    w.HEARTBEAT_TIMER.stop();
    stopKittScanner(w);
    finishKeyPair(app);
    app.platform.sleepInhibitor.release();
}

void startByButton(AppContext& app) {
    MainWindow& w = app.main;
    const auto seconds = interval(w);
    if (!seconds) {
        app.status(heartbeat_texts::invalidInterval);
        return;
    }
    for (int n = 1; n <= MainWindow::kittLabelCount; ++n) w.kittLabel(n).setBackground(colours::red);
    w.HEARTBEAT_REMAINING = *seconds;
    w.HEARTBEAT_TIMER.start();
    w.kittTimer(1).start();
    setHeartbeatSwitch(w, true);
    keepAwake(app);
}

void stopByButton(AppContext& app) {
    MainWindow& w = app.main;
    if (const auto seconds = interval(w)) w.HEARTBEAT_REMAINING = *seconds;
    stopTimers(app);
    for (int n = 1; n <= MainWindow::kittLabelCount; ++n) w.kittLabel(n).setBackground(colours::red);
    setHeartbeatSwitch(w, false);
}

void heartbeatTick(AppContext& app) {
    MainWindow& w = app.main;
    --w.HEARTBEAT_REMAINING;
    const std::string shown = formatHms(w.HEARTBEAT_REMAINING);
    w.HEARTBEAT_COUNTDOWN_DISPLAY_TEXTBOX.setText(shown);
    if (shown != zero) return;
    // The interval was checked when the heartbeat started and is checked
    // again wherever it is changed; a countdown that cannot reload stops.
    const auto seconds = interval(w);
    if (!seconds) {
        stopByButton(app);
        app.status(heartbeat_texts::invalidInterval);
        return;
    }
    w.HEARTBEAT_COUNTDOWN_DISPLAY_TEXTBOX.setText(w.HEARTBEAT_COUNTDOWN_TIME_TEXTBOX.text());
    w.HEARTBEAT_REMAINING = *seconds;
    w.KITT_BACKGROUND_LABEL.setBackground(colours::cyan);
    w.NUMLOCK_TIMER_1.start();
}

void firstPress(AppContext& app) {
    MainWindow& w = app.main;
    w.KITT_BACKGROUND_LABEL.setBackground(colours::green);
    app.platform.lockKeys.press(heartbeatKey);
    w.NUMLOCK_TIMER_2.start();
    w.NUMLOCK_TIMER_1.stop();
}

void secondPress(AppContext& app) {
    MainWindow& w = app.main;
    app.platform.lockKeys.press(heartbeatKey);
    w.KITT_BACKGROUND_LABEL.setBackground(colours::black);
    w.NUMLOCK_TIMER_2.stop();
}

}  // namespace

void installHeartbeat(AppContext& app) {
    MainWindow& w = app.main;
    w.KITT_START_BUTTON.setTooltip(heartbeat_texts::buttonTooltip);
    w.HEARTBEAT_COUNTDOWN_DISPLAY_TEXTBOX.setText("--:--:--");
    w.HEARTBEAT_COUNTDOWN_DISPLAY_TEXTBOX.setTooltip(heartbeat_texts::displayTooltip);
    w.KITT_BACKGROUND_LABEL.setBackground(colours::black);
    w.KITT_START_BUTTON.onClick.connect([&app] {
        if (!app.main.run.switches.heartbeat)
            startByButton(app);
        else
            stopByButton(app);
    });
    w.HEARTBEAT_TIMER.onTick.connect([&app] { heartbeatTick(app); });
    w.NUMLOCK_TIMER_1.onTick.connect([&app] { firstPress(app); });
    w.NUMLOCK_TIMER_2.onTick.connect([&app] { secondPress(app); });
    installKittScanner(w);
    installLockKeyLights(app);

    // However the program ends, Num Lock is left as it was found and the
    // system may sleep again. The window's teardown, which stops every
    // timer, comes after: the pair under way is still to be seen.
    w.onClose.connect([&app] {
        finishKeyPair(app);
        app.platform.sleepInhibitor.release();
    });
}

bool startHeartbeatForRun(AppContext& app) {
    MainWindow& w = app.main;
    const auto seconds = interval(w);
    if (!seconds) {
        app.status(heartbeat_texts::invalidInterval);
        return false;
    }
    // The first interval goes on from where the countdown stands; one that
    // has nothing left starts a whole interval.
    if (w.HEARTBEAT_REMAINING <= 0) w.HEARTBEAT_REMAINING = *seconds;
    w.HEARTBEAT_TIMER.start();
    w.kittTimer(1).start();
    setHeartbeatSwitch(w, true);
    keepAwake(app);
    return true;
}

void stopHeartbeatForRun(AppContext& app) {
    MainWindow& w = app.main;
    stopTimers(app);
    for (int n = 1; n <= MainWindow::kittLabelCount; ++n) w.kittLabel(n).setBackground(colours::black);
    // Stopped: the button offers the start again (the countdown stays where
    // it stopped, for the next start to go on from).
    setHeartbeatSwitch(w, false);
}

}  // namespace syncward
