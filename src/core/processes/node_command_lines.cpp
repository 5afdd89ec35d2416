#include "core/processes/node_command_lines.h"

#include "core/platform/platform_profile.h"

namespace syncward {

namespace {

// call "FOLDER\NAME" -conf=CONF
std::string programWithConf(const PlatformProfile& profile, const std::string& folder, const std::string& name,
                            const std::string& confFile) {
    return profile.callPrefix() + profile.quoteProgram(profile.join(folder, name)) + " -conf=" +
           profile.quoteValue(confFile);
}

std::string nodeCommand(const PlatformProfile& profile, const std::string& folder, const std::string& name,
                        const NodeCommandFields& fields, const std::string& option) {
    return programWithConf(profile, folder, name, fields.confFile) + " -datadir=" +
           profile.quoteValue(fields.dataFolder) + " " + option;
}

}  // namespace

std::string qtRunCommand(const PlatformProfile& profile, const NodeCommandFields& fields) {
    return nodeCommand(profile, fields.qtFolder, fields.qtName, fields, fields.qtOption);
}

std::string daemonRunCommand(const PlatformProfile& profile, const NodeCommandFields& fields) {
    return nodeCommand(profile, fields.daemonCliFolder, fields.daemonName, fields, fields.daemonOption);
}

std::string cliStopCommand(const PlatformProfile& profile, const NodeCommandFields& fields) {
    return programWithConf(profile, fields.daemonCliFolder, fields.cliName, fields.confFile) + " " +
           fields.cliOption + " stop";
}

std::string blockCountCommand(const PlatformProfile& profile, const NodeCommandFields& fields) {
    return programWithConf(profile, fields.daemonCliFolder, fields.cliName, fields.confFile) +
           " getblockcount > " + profile.quoteValue(fields.blockCountFile);
}

}  // namespace syncward
