#include "core/power/power_autotimer_window.h"

#include <cstdlib>

#include "core/power/power_actions.h"
#include "core/state/app_context.h"
#include "core/time/clock_text.h"

namespace syncward {

namespace {

constexpr WindowPlacement windowPlacement{"AUTOTIMER_", 3705, 3210};
constexpr const char* zero = "00:00:00";
constexpr const char* invalidCountdownStart = "!!! INVALID COUNTDOWN - USE HH:MM:SS !!!";
constexpr const char* awaitingAnswer = "--:--:--";

// Past zero the display counts up again, and wraps after a day.
std::string display(long long remaining) { return formatHms(std::llabs(remaining) % secondsPerDay); }

}  // namespace

PowerAutotimerWindow::PowerAutotimerWindow(AppContext& app)
    : Form(formName, app.platform.loop), app_(app) {
    setCaption("SYNCWARD - POWER AUTOTIMER");
    AUTOTIMER_ACTION_TEXTBOX.setLocked(true);  // the action is chosen in the settings window
    AUTOTIMER_COUNTER.onTick.connect([this] { tick(); });
    START_STOP_BUTTON.onClick.connect([this] { startStopClicked(); });
    // However the window closes, a hidden countdown must not go on to
    // power the computer off.
    onClose.connect([this] {
        AUTOTIMER_COUNTER.stop();
        ++request_;
        app_.settings.savePosition(*this, windowPlacement);
    });
}

void PowerAutotimerWindow::load() {
    const SectionSettings& s = app_.settings;
    s.loadPlacement(*this, windowPlacement);
    s.loadTime(CLOSE_REQUEST_COUNTDOWN_TEXTBOX, zero);
    POWER_REMAINING = parseTimeOfDay(CLOSE_REQUEST_COUNTDOWN_TEXTBOX.text()).value_or(0);
    AUTOTIMER_ACTION_TEXTBOX.setText(app_.main.AUTOTIMER_ACTION_TEXTBOX.text());
    showCounting(false);
    CLOSE_REQUEST_COUNTDOWN_TEXTBOX.setLocked(true);
    AUTOTIMER_COUNTER.setInterval(1000);
    AUTOTIMER_COUNTER.start();
    AUTOTIMER_TITLE_LABEL.setCaption("!!! AUTOSTARTING !!!");
    MAILER_WAIT_ELAPSED = -1;
    ++request_;
}

void PowerAutotimerWindow::tick() {
    if (MAILER_WAIT_ELAPSED >= 0) {
        actWhenMailerDone();
        return;
    }
    showCounting(true);
    AUTOTIMER_TITLE_LABEL.setCaption("!!! AUTOTIMER RUNNING !!!");
    --POWER_REMAINING;
    const std::string shown = display(POWER_REMAINING);
    CLOSE_REQUEST_COUNTDOWN_TEXTBOX.setText(shown);
    if (shown != zero) return;

    CLOSE_REQUEST_COUNTDOWN_TEXTBOX.setText(awaitingAnswer);
    dueAction_ = findPowerAction(AUTOTIMER_ACTION_TEXTBOX.text());
    if (!dueAction_) return;  // no action: the countdown goes on past zero
    MAILER_WAIT_ELAPSED = 0;
    actWhenMailerDone();
}

void PowerAutotimerWindow::actWhenMailerDone() {
    const bool mailerRunning = app_.main.run.programs.oursRunning(WatchedProgram::mailer);
    if (mailerRunning && MAILER_WAIT_ELAPSED < maxMailerWaitSeconds) {
        AUTOTIMER_TITLE_LABEL.setCaption("!!! WAITING FOR " + app_.profile().mailerName() + " TO FINISH !!!");
        ++MAILER_WAIT_ELAPSED;
        return;
    }
    MAILER_WAIT_ELAPSED = -1;
    const PowerActionEntry* entry = dueAction_;
    AUTOTIMER_TITLE_LABEL.setCaption(entry->countdownMessage);
    // Our own sleep inhibitor would hold back the hibernate we ask for.
    app_.platform.sleepInhibitor.release();
    // No tick while the system answers: the countdown is over.
    AUTOTIMER_COUNTER.stop();
    const int request = ++request_;
    app_.platform.powerSwitch.request(entry->action,
                                      [this, request](const PowerAnswer& answer) { answered(request, answer); });
}

void PowerAutotimerWindow::answered(int request, const PowerAnswer& answer) {
    if (request != request_ || !dueAction_) return;
    if (answer.taken) {
        close();
        return;
    }
    // Closing now would look as if the action had been taken.
    const PowerActionEntry& entry = *dueAction_;
    stopCounting("!!! " + std::string(entry.text) + " REFUSED: " + answer.reason + " !!!");
    actionRefused.notify(entry, answer);
}

void PowerAutotimerWindow::startStopClicked() {
    if (counting_) {
        stopCounting("!!! COUNTDOWN STOPPED !!!");
        return;
    }
    const auto typed = parseTimeOfDay(CLOSE_REQUEST_COUNTDOWN_TEXTBOX.text());
    if (!typed) {
        AUTOTIMER_TITLE_LABEL.setCaption(invalidCountdownStart);
        return;
    }
    POWER_REMAINING = *typed;
    showCounting(true);
    AUTOTIMER_COUNTER.start();
    CLOSE_REQUEST_COUNTDOWN_TEXTBOX.setLocked(true);
    AUTOTIMER_TITLE_LABEL.setCaption("!!! COUNTDOWN STARTED !!!");
}

void PowerAutotimerWindow::showCounting(bool counting) {
    counting_ = counting;
    START_STOP_BUTTON.setCaption(counting ? "STOP" : "START");
}

void PowerAutotimerWindow::stopCounting(const std::string& status) {
    MAILER_WAIT_ELAPSED = -1;
    ++request_;
    showCounting(false);
    AUTOTIMER_COUNTER.stop();
    CLOSE_REQUEST_COUNTDOWN_TEXTBOX.setLocked(false);
    AUTOTIMER_TITLE_LABEL.setCaption(status);
}

}  // namespace syncward
