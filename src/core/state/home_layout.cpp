#include "core/state/home_layout.h"

#include "core/platform/platform_profile.h"

namespace syncward {

namespace home_layout {

std::string subfolder(const PlatformProfile& profile, const std::string& home, const char* name) {
    return profile.join(home, name);
}

namespace {
std::string fileIn(const PlatformProfile& profile, const std::string& home, const char* folder,
                   const std::string& fileName) {
    return profile.join(subfolder(profile, home, folder), fileName);
}
}  // namespace

std::string blockCountFile(const PlatformProfile& profile, const std::string& home, const std::string& exe) {
    return fileIn(profile, home, blockCounts, exe + "-LATEST-BLOCKCOUNT.LOG");
}

std::string configFile(const PlatformProfile& profile, const std::string& home, const std::string& exe) {
    return fileIn(profile, home, configs, exe + "-CRYPTO-CONFIG.conf");
}

std::string reportFile(const PlatformProfile& profile, const std::string& home, const std::string& exe) {
    return fileIn(profile, home, reports, exe + "-END-REPORT.LOG");
}

std::string runHistoryFile(const PlatformProfile& profile, const std::string& home, const std::string& exe) {
    return fileIn(profile, home, reports, exe + "-RUN-HISTORY.csv");
}

std::string runUnderWayFile(const PlatformProfile& profile, const std::string& home, const std::string& exe) {
    return fileIn(profile, home, reports, exe + "-RUN-UNDER-WAY.csv");
}

std::string reportMailFile(const PlatformProfile& profile, const std::string& home, const std::string& exe) {
    return fileIn(profile, home, reports, exe + "-END-REPORT-MAIL.LOG");
}

std::string clientErrorFile(const PlatformProfile& profile, const std::string& home, const std::string& exe) {
    return fileIn(profile, home, logs, exe + "-BLOCKCOUNTER-CLIENT.LOG");
}

std::string nodeCheckFile(const PlatformProfile& profile, const std::string& home, const std::string& exe) {
    return fileIn(profile, home, blockCounts, exe + "-NODE-CHECK.LOG");
}

std::string nodeLogFile(const PlatformProfile& profile, const std::string& home, const std::string& exe) {
    return fileIn(profile, home, logs, exe + "-NODE.LOG");
}

std::string mailerLogFile(const PlatformProfile& profile, const std::string& home, const std::string& exe) {
    return fileIn(profile, home, logs, exe + "-SEND-EMAIL.LOG");
}

}  // namespace home_layout

}  // namespace syncward
