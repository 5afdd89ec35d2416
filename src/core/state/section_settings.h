#pragma once

#include <string>

#include "core/form/form.h"
#include "core/platform/settings_store.h"
#include "core/state/window_placement.h"

namespace syncward {

// One section of the settings store (the executable name, or the shared
// e-mail section), with the conversions every window needs. Nothing is
// cached: every get asks the store, so a value saved by another window or
// another copy of the program is seen at once.
class SectionSettings {
public:
    SectionSettings(SettingsStore& store, std::string section) : store_(store), section_(std::move(section)) {}

    const std::string& section() const { return section_; }

    std::string get(const std::string& key, const std::string& fallback) const;
    bool save(const std::string& key, const std::string& value) const;
    // Saves that failed since the last forgetFailedSaves(): a run tells at
    // its end whether everything it stored is really stored.
    int failedSaves() const { return failedSaves_; }
    void forgetFailedSaves() const { failedSaves_ = 0; }

    // Tick boxes are stored as "0" or "1"; anything else reads as the default.
    int getTick(const std::string& key, int fallback) const;
    bool saveTick(const std::string& key, const TickBox& box) const;
    bool saveTick(const TickBox& box) const { return saveTick(box.name(), box); }
    // A whole number (window places in twips); anything else reads as the default.
    int getNumber(const std::string& key, int fallback) const;

    // Fill a control from the store. Loading a tick box whose stored value
    // differs from its current one runs its click reaction.
    void loadText(TextBox& box, const std::string& key, const std::string& fallback) const;
    void loadText(TextBox& box, const std::string& fallback) const { loadText(box, box.name(), fallback); }
    void loadTick(TickBox& box, const std::string& key, int fallback) const;
    void loadTick(TickBox& box, int fallback) const { loadTick(box, box.name(), fallback); }
    // A duration: a stored text that is not "hh:mm:ss" falls back to the default.
    void loadTime(TextBox& box, const std::string& key, const std::string& fallback) const;
    void loadTime(TextBox& box, const std::string& fallback) const { loadTime(box, box.name(), fallback); }
    bool saveText(const TextBox& box) const { return save(box.name(), box.text()); }

    // Window places: prefix + "Left", "Top", "Width", "Height".
    void loadPlacement(Form& form, const WindowPlacement& placement) const;
    void savePosition(const Form& form, const WindowPlacement& placement) const;

private:
    SettingsStore& store_;
    std::string section_;
    mutable int failedSaves_ = 0;
};

}  // namespace syncward
