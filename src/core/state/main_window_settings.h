#pragma once

#include <span>
#include <string_view>

namespace syncward {

class Control;
class MainWindow;
class SectionSettings;

// How a stored value is read back: as it stands, as a tick ("0" or "1",
// anything else is the default), as an "hh:mm:ss" time, or as a countdown
// interval (a time above zero); anything else is the default.
enum class SettingKind { text, tick, time, interval };

// The three ways the main window closes store different sets.
enum ClosedBy : unsigned { closeBox = 1u, exitButton = 2u, autoclose = 4u };

// When start-up loads a setting; within a group, in table order. Some
// groups are loaded only when a tick box asks for them.
enum class LoadGroup {
    alwaysOnTop,
    runSettings,
    lastRuns,
    autoloadSwitch,
    blockCountFile,  // only with AutoLoad ticked
    stepSwitches,
    autotimerAction,  // only with the power autotimer ticked
};

// One stored setting of the main window.
struct MainSetting {
    std::string_view control;
    std::string_view key;  // empty: stored under the control's name
    std::string_view fallback;
    SettingKind kind;
    LoadGroup group;
    unsigned storedBy;  // ClosedBy flags; 0: stored where it changes
    int closeOrder;     // place in the saves on close, ascending

    std::string_view storeKey() const { return key.empty() ? control : key; }
};

// Every stored setting of the main window, in the order start-up loads them.
std::span<const MainSetting> mainSettings();
// The entry of a control; nullptr for a control that is not stored.
const MainSetting* findMainSetting(std::string_view control);

// Loads one group from the store into the main window's controls. A loaded
// tick box whose value changes runs its click reaction.
void loadMainSettings(MainWindow& w, const SectionSettings& settings, LoadGroup group);
// What one way of closing stores, in its order.
void saveOnClose(MainWindow& w, const SectionSettings& settings, ClosedBy closedBy);
// Stores one control under its key (a last-run text, say, as it changes);
// false when it could not be stored.
bool saveMainSetting(const SectionSettings& settings, const Control& control);

}  // namespace syncward
