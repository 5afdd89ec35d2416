#pragma once

#include <string>

#include "core/platform/settings_store.h"

namespace syncward {

// The settings store in the current user's registry: one key per section
// under the application's key, every value a string (REG_SZ). By default
// the application's key is where the system's own per-user settings
// functions keep an application's settings, so settings saved there by
// earlier versions of the program are found again.
//
// Nothing is cached: every get reads the registry, so it sees the latest
// save of any copy of the program, and a save is in the registry, for every
// reader, when it returns. Saves are not flushed to disk one by one: a flush
// blocks the user's whole registry hive, the program saves dozens of keys
// when it closes, and the system writes the hive out on every orderly
// shutdown, the power actions included.
class RegistrySettingsStore : public SettingsStore {
public:
    // applicationKey: a path below HKEY_CURRENT_USER.
    explicit RegistrySettingsStore(std::string applicationKey = defaultApplicationKey());

    // "Software\VB and VBA Program Settings\QV_SYNCWARD".
    static std::string defaultApplicationKey();

    std::string get(const std::string& section, const std::string& key, const std::string& fallback) override;
    bool save(const std::string& section, const std::string& key, const std::string& value) override;
    // The section's key, as the registry editor names it:
    // "HKEY_CURRENT_USER\Software\VB and VBA Program Settings\QV_SYNCWARD\LTC1".
    std::string locationOf(const std::string& section) override;

private:
    std::string applicationKey_;
};

}  // namespace syncward
