#pragma once

#include <string>

#include "core/form/colour.h"
#include "core/form/controls.h"

namespace syncward {

// A settings window that closed is loaded afresh the next time: it starts
// from its built state, as on its first load, so that loading a stored
// tick runs its click reaction again. These put a control back without
// running its reaction.
inline void setQuietly(TextBox& box, const std::string& text) {
    auto reaction = std::move(box.onChange);
    box.onChange = nullptr;
    box.setText(text);
    box.onChange = std::move(reaction);
}

inline void setQuietly(TickBox& box, int value) {
    auto reaction = std::move(box.onClick);
    box.onClick = nullptr;
    box.setValue(value);
    box.onClick = std::move(reaction);
}

// The status boxes of the settings windows: black text on green for what
// went well, on red for what the user has to look at.
inline void showStatus(TextBox& status, const std::string& text, Colour background) {
    status.setText(text);
    status.setColours(colours::black, background);
}

namespace texts {
inline constexpr const char* settingsNotStored = "!!! SETTINGS NOT STORED - CHECK THE SETTINGS FILE !!!";
}  // namespace texts

}  // namespace syncward
