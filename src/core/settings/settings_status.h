#pragma once

#include <string>

#include "core/form/colour.h"
#include "core/form/controls.h"

namespace syncward {

// The status boxes of the settings windows: black text on green for what
// went well, on red for what the user has to look at.
inline void showStatus(TextBox& status, const std::string& text, Colour background) {
    status.setText(text);
    status.setColours(colours::black, background);
}

namespace settings_texts {
inline constexpr const char* settingsNotStored = "!!! SETTINGS NOT STORED - CHECK THE SETTINGS FILE !!!";
}  // namespace settings_texts

}  // namespace syncward
