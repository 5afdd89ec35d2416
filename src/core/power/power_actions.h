#pragma once

#include <array>
#include <string_view>

#include "core/platform/platform_profile.h"

namespace syncward {

// A power action as the windows know it: the text stored and shown as the
// action, the settings tick box that chooses it, and the message shown
// while its command starts.
struct PowerActionEntry {
    PowerAction action;
    const char* text;
    const char* tickBoxName;
    const char* tickBoxCaption;
    const char* countdownMessage;
};

inline constexpr std::array<PowerActionEntry, 4> powerActions = {{
    {PowerAction::Shutdown, "SHUTDOWN PC", "SHUTDOWN_TICKBOX", "Shutdown PC", "!!! SHUTTING DOWN !!!"},
    {PowerAction::Restart, "RESTART PC", "RESTART_TICKBOX", "Restart PC", "!!! RESTARTING !!!"},
    {PowerAction::Hibernate, "HIBERNATE PC", "HIBERNATE_TICKBOX", "Hibernate PC", "!!! HIBERNATING !!!"},
    {PowerAction::Logoff, "LOGOFF CURRENT USER", "LOGOFF_TICKBOX", "Logoff User", "!!! LOGGING OFF USER !!!"},
}};

// The entry whose text is exactly this one; nullptr for any other text
// (empty, "!!! NO ACTION SET !!!"), which means no action.
inline const PowerActionEntry* findPowerAction(std::string_view text) {
    for (const PowerActionEntry& entry : powerActions)
        if (text == entry.text) return &entry;
    return nullptr;
}

}  // namespace syncward
