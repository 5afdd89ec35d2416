#pragma once

#include <string>

namespace syncward {

class PlatformProfile;

// The home folder and its five sub-folders. Every file in them is named
// after the executable, so copies under other names share one home folder
// without touching each other's files. Paths are plain concatenations: the
// home folder text is used exactly as typed.
namespace home_layout {

inline constexpr const char* bats = "BATS";
inline constexpr const char* blockCounts = "BLOCKCOUNTS";
inline constexpr const char* configs = "CONFIGS";
inline constexpr const char* logs = "LOGS";
inline constexpr const char* reports = "REPORTS";
inline constexpr const char* subfolders[] = {bats, blockCounts, configs, logs, reports};

std::string subfolder(const PlatformProfile& profile, const std::string& home, const char* name);
std::string blockCountFile(const PlatformProfile& profile, const std::string& home, const std::string& exe);
std::string configFile(const PlatformProfile& profile, const std::string& home, const std::string& exe);
std::string reportFile(const PlatformProfile& profile, const std::string& home, const std::string& exe);
// Every run, one line each, appended and never rewritten.
std::string runHistoryFile(const PlatformProfile& profile, const std::string& home, const std::string& exe);
// The row of the run under way, as far as it got: what the next start
// writes into the history when the run was cut short.
std::string runUnderWayFile(const PlatformProfile& profile, const std::string& home, const std::string& exe);
// The end-report mail's text when it carries the last runs after the
// report: the report file itself stays as it is.
std::string reportMailFile(const PlatformProfile& profile, const std::string& home, const std::string& exe);
std::string clientErrorFile(const PlatformProfile& profile, const std::string& home, const std::string& exe);
// The node's answers to the node check, all in one file.
std::string nodeCheckFile(const PlatformProfile& profile, const std::string& home, const std::string& exe);
// What the node program printed when the run started it (POSIX): why a
// node that never ran refused to start.
std::string nodeLogFile(const PlatformProfile& profile, const std::string& home, const std::string& exe);
std::string mailerLogFile(const PlatformProfile& profile, const std::string& home, const std::string& exe);

}  // namespace home_layout

}  // namespace syncward
