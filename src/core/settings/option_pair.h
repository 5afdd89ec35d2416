#pragma once

#include <string>

#include "core/form/controls.h"

namespace syncward {

// One program's start option, chosen by a main tick box ("Wallet" or
// "Daemon") and its "Disabled" partner. Three states: no option (main box
// clear), the base value (main box ticked), the inverse value (both ticked,
// the main box greyed out so it cannot be cleared under its partner).
class OptionPair {
public:
    OptionPair(TickBox& mainBox, TickBox& disabledBox, TextBox& option, std::string baseValue,
               std::string inverseValue, bool mainTickClearsPartner);

    // Attaches the click reactions of both boxes.
    void install();
    // Sets the option and the boxes' availability from the ticks as they
    // are, whatever order they were loaded in.
    void establish();
    // Back to no option, without running any reaction.
    void resetQuietly();

private:
    void mainClicked();
    void disabledClicked();

    TickBox& main_;
    TickBox& disabled_;
    TextBox& option_;
    std::string base_;
    std::string inverse_;
    bool mainTickClearsPartner_;
};

}  // namespace syncward
