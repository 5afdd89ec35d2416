#pragma once

#include <array>

#include "core/form/form.h"

namespace syncward {

struct AppContext;

// SYNCWARD_POWER_AUTOTIMER_SETTINGS: chooses the power action that ends a
// run and the countdown before it. At most one action is ticked, and a
// click stores the choice at once; OK stores the countdown start.
class PowerAutotimerSettings : public Form {
public:
    static constexpr const char* formName = "SYNCWARD_POWER_AUTOTIMER_SETTINGS";

    explicit PowerAutotimerSettings(AppContext& app);

    // Places the window and fills it from the settings, as on every open.
    void load();

    TextBox AUTOTIMER_ACTION_TEXTBOX{*this, "AUTOTIMER_ACTION_TEXTBOX"};
    TextBox CLOSE_REQUEST_COUNTDOWN_TEXTBOX{*this, "CLOSE_REQUEST_COUNTDOWN_TEXTBOX", "00:00:00"};
    TickBox SHUTDOWN_TICKBOX{*this, "SHUTDOWN_TICKBOX", "Shutdown PC"};
    TickBox RESTART_TICKBOX{*this, "RESTART_TICKBOX", "Restart PC"};
    TickBox HIBERNATE_TICKBOX{*this, "HIBERNATE_TICKBOX", "Hibernate PC"};
    TickBox LOGOFF_TICKBOX{*this, "LOGOFF_TICKBOX", "Logoff User"};
    Button OK_BUTTON{*this, "OK_BUTTON", "OK"};
    // Says why OK did not close the window.
    Label AUTOTIMER_SETTINGS_STATUS_LABEL{*this, "AUTOTIMER_SETTINGS_STATUS_LABEL"};

    // The four action tick boxes, in the order of powerActions.
    std::array<TickBox*, 4> actionTickBoxes() {
        return {&SHUTDOWN_TICKBOX, &RESTART_TICKBOX, &HIBERNATE_TICKBOX, &LOGOFF_TICKBOX};
    }

private:
    void actionClicked(std::size_t index);
    void ok();

    AppContext& app_;
    bool resetting_ = false;        // clearing the ticks on load is not a user's choice
    bool positionSavedByOk_ = false;
    // The status label shows OK's refusal of the countdown start, which a
    // corrected start takes away.
    bool countdownStartRefused_ = false;
};

}  // namespace syncward
