#pragma once

#include <functional>

#include "core/form/form.h"
#include "core/info/colour_cycle.h"

namespace syncward {

struct AppContext;

// SYNCWARD_ABOUT_WINDOW: the program's title, its family, the maker, and
// the ways to the dedications and donations windows. The box behind the
// donations button changes colour five times a second while the window is
// open.
class AboutWindow : public Form {
public:
    static constexpr const char* formName = "SYNCWARD_ABOUT_WINDOW";

    explicit AboutWindow(AppContext& app);

    // Places the window and starts the colour cycle from green.
    void load();

    TextBox QUORVEL_TITLE_TEXTBOX{*this, "QUORVEL_TITLE_TEXTBOX", "QUORVEL"};
    TextBox SYNCWARD_TITLE_TEXTBOX{*this, "SYNCWARD_TITLE_TEXTBOX", "SYNCWARD"};
    Label FREEWARE_LABEL{*this, "FREEWARE_LABEL", "!!! FREEWARE !!!"};
    Label CREATOR_LABEL{*this, "CREATOR_LABEL"};
    Label WEB_ADDRESS_LABEL{*this, "WEB_ADDRESS_LABEL"};
    // "VERSION 0.2.0": the version --version prints.
    Label VERSION_LABEL{*this, "VERSION_LABEL"};
    TextBox FAMILY_TOOLS_TEXTBOX{*this, "FAMILY_TOOLS_TEXTBOX"};
    Button DEDICATIONS_BUTTON{*this, "DEDICATIONS_BUTTON", "!!! DEDICATIONS !!!"};
    TextBox DONATIONS_BACK_TEXTBOX{*this, "DONATIONS_BACK_TEXTBOX"};
    Button DONATIONS_BUTTON{*this, "DONATIONS_BUTTON", "!!! DONATIONS ALWAYS APPRECIATED !!!"};
    Button OK_BUTTON{*this, "OK_BUTTON", "OK"};
    Timer DONATION_BUTTON_1_TIMER{*this, "DONATION_BUTTON_1_TIMER", 200};
    Timer DONATION_BUTTON_2_TIMER{*this, "DONATION_BUTTON_2_TIMER", 200};
    Timer DONATION_BUTTON_3_TIMER{*this, "DONATION_BUTTON_3_TIMER", 200};
    Timer DONATION_BUTTON_4_TIMER{*this, "DONATION_BUTTON_4_TIMER", 200};
    Timer DONATION_BUTTON_5_TIMER{*this, "DONATION_BUTTON_5_TIMER", 200};

private:
    AppContext& app_;
    ColourCycle cycle_;
};

}  // namespace syncward
