#pragma once

#include "core/form/form.h"
#include "core/platform/power_switch.h"

namespace syncward {

struct AppContext;
struct PowerActionEntry;

// SYNCWARD_POWER_AUTOTIMER_WINDOW: shown beside the main window at the end
// of a run, it counts down from the stored countdown start and, when the
// display reaches "00:00:00" with a known action, asks the system for that
// action and closes once the system has taken it. A refusal keeps it open,
// saying why, and is told to whoever records the run. Without a known
// action it counts on past zero.
class PowerAutotimerWindow : public Form {
public:
    static constexpr const char* formName = "SYNCWARD_POWER_AUTOTIMER_WINDOW";

    explicit PowerAutotimerWindow(AppContext& app);

    // Places the window, reads the countdown start and the main window's
    // action, and starts counting, as on every open.
    void load();

    TextBox CLOSE_REQUEST_COUNTDOWN_TEXTBOX{*this, "CLOSE_REQUEST_COUNTDOWN_TEXTBOX", "00:00:00"};
    TextBox AUTOTIMER_ACTION_TEXTBOX{*this, "AUTOTIMER_ACTION_TEXTBOX"};
    Label AUTOTIMER_TITLE_LABEL{*this, "AUTOTIMER_TITLE_LABEL"};
    Button START_STOP_BUTTON{*this, "START_STOP_BUTTON", "START"};
    Timer AUTOTIMER_COUNTER{*this, "AUTOTIMER_COUNTER", 1000};

    // Seconds left; below zero once the countdown has passed zero.
    long long POWER_REMAINING = 0;
    // Seconds the due action has waited for the mailer; -1 while none is due.
    int MAILER_WAIT_ELAPSED = -1;
    static constexpr int maxMailerWaitSeconds = 120;

    // The system refused the action; the window stays open and says so.
    Signal<const PowerActionEntry&, const PowerAnswer&> actionRefused;

private:
    void tick();
    // The action waits while the mailer still sends the report, at most
    // two minutes: cutting the power would cut the mail off.
    void actWhenMailerDone();
    void answered(int request, const PowerAnswer& answer);
    void startStopClicked();
    void stopCounting(const std::string& status);
    // The countdown runs (its button offers "STOP").
    void showCounting(bool counting);
    bool counting_ = false;

    AppContext& app_;
    const PowerActionEntry* dueAction_ = nullptr;
    // Counts the requests, so that an answer to one the window has since
    // left behind (closed, started again) is not acted on.
    int request_ = 0;
};

}  // namespace syncward
