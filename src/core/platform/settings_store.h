#pragma once

#include <string>

namespace syncward {

// The per-user key/value store: application QV_SYNCWARD, one section per
// executable name plus the shared e-mail section. Values are always text.
// A key that is absent yields the default; a key stored as "" yields "".
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual std::string get(const std::string& section, const std::string& key, const std::string& fallback) = 0;
    // False when the value could not be put on disk; callers that can tell
    // the user do so, the others go on.
    virtual bool save(const std::string& section, const std::string& key, const std::string& value) = 0;
    // Where a section's values live, for the user to find them; empty
    // where the store cannot say.
    virtual std::string locationOf(const std::string& section) {
        (void)section;
        return {};
    }
    // Once, after the store met lines it could not read: what became of
    // them, for the user to be told; empty otherwise.
    virtual std::string takeUnreadLinesNotice() { return {}; }
};

}  // namespace syncward
