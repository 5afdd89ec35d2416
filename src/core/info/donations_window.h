#pragma once

#include <array>
#include <string>

#include "core/form/form.h"
#include "core/info/colour_cycle.h"

namespace syncward {

struct AppContext;

// MIRVOLK_QUORVEL_DONATIONS_WINDOW: one address a coin, each copied to the
// clipboard by a double-click, and a thank-you whose text changes colour
// five times a second until a double-click holds it black.
class DonationsWindow : public Form {
public:
    static constexpr const char* formName = "MIRVOLK_QUORVEL_DONATIONS_WINDOW";
    static constexpr Colour lightYellow{255, 255, 192};

    explicit DonationsWindow(AppContext& app);

    // Places the window and starts the colour cycle from green.
    void load();
    // The view tells when an address box lost the keyboard focus.
    void addressLeft(TextBox& address);

    TextBox BTC_DONATION_ADDRESS_TEXTBOX{*this, "BTC_DONATION_ADDRESS_TEXTBOX"};
    TextBox NMC_DONATION_ADDRESS_TEXTBOX{*this, "NMC_DONATION_ADDRESS_TEXTBOX"};
    TextBox LTC_DONATION_ADDRESS_TEXTBOX{*this, "LTC_DONATION_ADDRESS_TEXTBOX"};
    TextBox DASH_DONATION_ADDRESS_TEXTBOX{*this, "DASH_DONATION_ADDRESS_TEXTBOX"};
    TextBox VTC_DONATION_ADDRESS_TEXTBOX{*this, "VTC_DONATION_ADDRESS_TEXTBOX"};
    Label COPY_NOTE_LABEL{*this, "COPY_NOTE_LABEL", "!!! DOUBLE-CLICK AN ADDRESS TO COPY TO CLIPBOARD !!!"};
    Label THANKS_LABEL{*this, "THANKS_LABEL", "Thanks for using Quorvel Software !!! :)"};
    TextBox THANKS_DONATIONS_MESSAGE_TEXTBOX{*this, "THANKS_DONATIONS_MESSAGE_TEXTBOX",
                                             "!!! DONATIONS ALWAYS APPRECIATED !!!"};
    Label CREATOR_LABEL{*this, "CREATOR_LABEL"};
    Label WEB_ADDRESS_LABEL{*this, "WEB_ADDRESS_LABEL"};
    Button OK_BUTTON{*this, "OK_BUTTON", "OK"};
    Timer DONATION_TEXT_1_TIMER{*this, "DONATION_TEXT_1_TIMER", 200};
    Timer DONATION_TEXT_2_TIMER{*this, "DONATION_TEXT_2_TIMER", 200};
    Timer DONATION_TEXT_3_TIMER{*this, "DONATION_TEXT_3_TIMER", 200};
    Timer DONATION_TEXT_4_TIMER{*this, "DONATION_TEXT_4_TIMER", 200};
    Timer DONATION_TEXT_5_TIMER{*this, "DONATION_TEXT_5_TIMER", 200};

    // The address boxes with their coins' labels, in the window's order.
    struct Address {
        TextBox* box;
        const char* coin;
    };
    std::array<Address, 5> addresses() {
        return {{{&BTC_DONATION_ADDRESS_TEXTBOX, "BTC"},
                 {&NMC_DONATION_ADDRESS_TEXTBOX, "NMC"},
                 {&LTC_DONATION_ADDRESS_TEXTBOX, "LTC"},
                 {&DASH_DONATION_ADDRESS_TEXTBOX, "DASH"},
                 {&VTC_DONATION_ADDRESS_TEXTBOX, "VTC"}}};
    }

private:
    void messageDoubleClicked();

    AppContext& app_;
    ColourCycle cycle_;
};

}  // namespace syncward
