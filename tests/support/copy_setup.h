#pragma once

#include <string>

#include "core/platform/platform_profile.h"
#include "core/processes/node_command_lines.h"

namespace syncward {
class FileSystem;
class SettingsStore;
}  // namespace syncward

namespace syncward::testing {

// One copy of the program as its settings windows would leave it for a run
// with nobody watching: which settings it stores, with which values, and
// which files of its home folder are composed, through the program's own
// composer. The store, the files and the profile are the copy's platform's,
// so the same set-up serves a native copy and a Windows copy alike.
class CopySetup {
public:
    CopySetup(SettingsStore& store, FileSystem& files, PlatformProfile profile, std::string home, std::string name);

    const PlatformProfile& profile() const { return profile_; }
    const std::string& home() const { return home_; }
    const std::string& name() const { return name_; }
    // HOME<sep>FOLDER<sep>NAME+SUFFIX.
    std::string homeFile(const std::string& folder, const std::string& suffix) const;
    std::string blockCountFile() const;
    std::string configFile() const;

    // False when the value did not reach the store.
    bool setting(const std::string& key, const std::string& value);
    // Creates the home folder (its parent must exist) and its sub-folders,
    // and makes it the copy's home; no window stays on top of others.
    bool createHome();
    // Writes the node command files (the node check's too) from these
    // fields, composed and written exactly as the crypto settings' Save
    // does, stores the fields, and writes the latest block-count file:
    // firstCount as its whole text, or a lone line end (no count yet).
    bool nodeCommandFiles(NodeCommandFields fields, const std::string& firstCount = "");
    // Autostart, daemon, block counter with "Finish When Identical", the
    // stop request and autoclose: a whole run with nobody watching.
    bool unattendedRunSwitches(const std::string& cryptoName, const std::string& countEvery);

private:
    SettingsStore& store_;
    FileSystem& files_;
    PlatformProfile profile_;
    std::string home_;
    std::string name_;
};

}  // namespace syncward::testing
