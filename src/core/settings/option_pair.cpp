#include "core/settings/option_pair.h"

#include "core/form/reaction_blocker.h"

namespace syncward {

OptionPair::OptionPair(TickBox& mainBox, TickBox& disabledBox, TextBox& option, std::string baseValue,
                       std::string inverseValue, bool mainTickClearsPartner)
    : main_(mainBox),
      disabled_(disabledBox),
      option_(option),
      base_(std::move(baseValue)),
      inverse_(std::move(inverseValue)),
      mainTickClearsPartner_(mainTickClearsPartner) {}

void OptionPair::install() {
    main_.onClick.connect([this] { mainClicked(); });
    disabled_.onClick.connect([this] { disabledClicked(); });
}

void OptionPair::mainClicked() {
    if (main_.ticked()) {
        option_.setText(base_);
        disabled_.setEnabled(true);
        if (mainTickClearsPartner_) disabled_.setValue(0);
    } else {
        // The partner is cleared first: clearing it sets the base value,
        // which must not outlive the main box.
        disabled_.setValue(0);
        disabled_.setEnabled(false);
        option_.setText("");
    }
}

void OptionPair::disabledClicked() {
    option_.setText(disabled_.ticked() ? inverse_ : base_);
    main_.setEnabled(!disabled_.ticked());
}

void OptionPair::establish() {
    if (main_.ticked()) {
        option_.setText(base_);
        disabled_.setEnabled(true);
        if (disabled_.ticked()) option_.setText(inverse_);
        main_.setEnabled(!disabled_.ticked());
    } else {
        disabled_.setValue(0);
        disabled_.setEnabled(false);
        option_.setText("");
        main_.setEnabled(true);
    }
}

void OptionPair::resetQuietly() {
    const ReactionBlocker quiet[] = {ReactionBlocker(main_), ReactionBlocker(disabled_), ReactionBlocker(option_)};
    main_.setValue(0);
    disabled_.setValue(0);
    option_.setText("");
    main_.setEnabled(true);
    disabled_.setEnabled(true);
}

}  // namespace syncward
