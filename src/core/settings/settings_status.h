#pragma once

#include <string>

#include "core/form/colour.h"
#include "core/form/controls.h"
#include "core/platform/platform_profile.h"

namespace syncward {

// The status boxes of the settings windows: black text on green for what
// went well, on red for what the user has to look at.
inline void showStatus(TextBox& status, const std::string& text, Colour background) {
    status.setText(text);
    status.setColours(colours::black, background);
}

// Where to look for settings that could not be stored: the settings file,
// or on Windows the registry. what is the first half, "SETTINGS NOT STORED".
inline std::string notStoredText(const PlatformProfile& profile, const std::string& what) {
    return "!!! " + what + " - CHECK " + profile.inOwnWords("THE SETTINGS FILE", "THE REGISTRY") + " !!!";
}

namespace settings_texts {
inline constexpr const char* settingsNotStored = "SETTINGS NOT STORED";
// When the command files the settings make were written all the same.
inline constexpr const char* commandFilesNotStored = "COMMAND FILES WRITTEN - SETTINGS NOT STORED";
}  // namespace settings_texts

}  // namespace syncward
