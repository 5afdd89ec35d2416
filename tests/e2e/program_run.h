#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "core/processes/node_command_lines.h"
#include "support/temp_dir.h"

namespace syncward::testing {

class CopySetup;

// The built program as one copy of it: its own executable name (a link to
// the build), home folder and settings file, set up the way the settings
// windows would leave them, run until it closes itself.
class ProgramRun {
public:
    // The copy lives in a folder of its own: its link, home folder and
    // settings file are made there.
    ProgramRun(const std::string& folder, const std::string& executableName);
    ProgramRun(const TempDir& dir, const std::string& executableName) : ProgramRun(dir.path(), executableName) {}

    const std::string& home() const { return home_; }
    const std::string& name() const { return name_; }
    std::string homeFile(const std::string& folder, const std::string& suffix) const {
        return home_ + "/" + folder + "/" + name_ + suffix;
    }

    void setting(const std::string& key, const std::string& value);
    // The copy's settings file, which the program reads as its store.
    std::string settingsFile() const;
    std::string storedSetting(const std::string& key) const;
    // Writes the node command files (the node check's too) from these
    // fields, composed and written exactly as the crypto settings' Save
    // does, and empties the latest block-count file (or gives it a first
    // count).
    void nodeCommandFiles(NodeCommandFields fields, const std::string& firstCount = "");
    // Autostart, daemon, block counter with "Finish When Identical", the
    // stop request and autoclose: a whole run with nobody watching.
    void unattendedRunSwitches(const std::string& cryptoName, const std::string& countEvery);
    std::string blockCountFile() const { return homeFile("BLOCKCOUNTS", "-LATEST-BLOCKCOUNT.LOG"); }
    std::string configFile() const { return homeFile("CONFIGS", "-CRYPTO-CONFIG.conf"); }

    // Runs the program to its own end; its exit code, or -1 when it had to
    // be killed at the limit. Times in ms since the epoch. The environment
    // is the test's, offscreen, with these variables set (an empty value
    // unsets one).
    using Environment = std::map<std::string, std::string>;
    int run(int limitSeconds, const Environment& environment = {});
    // The same in two halves: start it, then wait for its end; standard
    // error goes into errorFile when one is named.
    int start(const Environment& environment = {}, const std::string& errorFile = "");
    int wait(int pid, int limitSeconds);
    long long startedAtMs = 0;
    long long endedAtMs = 0;
    // Options after the program's name, a folder put first on its PATH
    // (stand-ins for system programs), and what it wrote to standard output.
    std::vector<std::string> arguments;
    std::string pathFront;
    std::string output;

private:
    // One step of the set-up, on the copy's settings file as it is now
    // (the program or a test may have changed it since the last step).
    void setUp(const std::function<void(CopySetup&)>& step) const;
    std::string outputFile() const { return dir_ / (name_ + "-stdout"); }
    std::filesystem::path dir_;
    std::string name_, home_, program_;
};

std::string readWholeFile(const std::string& path);
long long epochMs();

}  // namespace syncward::testing
