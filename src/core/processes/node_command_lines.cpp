#include "core/processes/node_command_lines.h"

#include "core/platform/file_system.h"
#include "core/platform/platform_profile.h"
#include "core/state/home_layout.h"

namespace syncward {

namespace {

// "FOLDER\NAME" -conf=CONF
std::string programWithConfUncalled(const PlatformProfile& profile, const std::string& folder,
                                    const std::string& name, const std::string& confFile) {
    return profile.quoteProgram(profile.join(folder, name)) + " -conf=" + profile.quoteValue(confFile);
}

// call "FOLDER\NAME" -conf=CONF
std::string programWithConf(const PlatformProfile& profile, const std::string& folder, const std::string& name,
                            const std::string& confFile) {
    return profile.callPrefix() + programWithConfUncalled(profile, folder, name, confFile);
}

std::string nodeCommand(const PlatformProfile& profile, const std::string& folder, const std::string& name,
                        const NodeCommandFields& fields, const std::string& option) {
    std::string line = programWithConf(profile, folder, name, fields.confFile) + " -datadir=" +
                       profile.quoteValue(fields.dataFolder) + " " + option;
    if (profile.flavour() == PlatformProfile::Flavour::Posix && !fields.nodeLogFile.empty())
        line += " > " + profile.quoteValue(fields.nodeLogFile) + " 2>&1";
    return line;
}

// The client finds the node's login cookie in the data folder. Under POSIX
// a node kept in a folder of its own has no password in its configuration
// file as a rule, so the client is told where the cookie is; the Windows
// lines stay as they have always been.
std::string clientUncalled(const PlatformProfile& profile, const NodeCommandFields& fields) {
    std::string line = programWithConfUncalled(profile, fields.daemonCliFolder, fields.cliName, fields.confFile);
    if (profile.flavour() == PlatformProfile::Flavour::Posix && !fields.dataFolder.empty())
        line += " -datadir=" + profile.quoteValue(fields.dataFolder);
    return line;
}

std::string clientCommand(const PlatformProfile& profile, const NodeCommandFields& fields) {
    return profile.callPrefix() + clientUncalled(profile, fields);
}

// cmd.exe's node check, one line that appends call after call. Not a
// bracketed block redirected as a whole: Wine's cmd drops a redirection
// after a block. No blank before ">>" in an echo, or the call's name would
// end in one. "end" comes out of the for /f itself, so it is written last
// even when getbestblockhash prints nothing (Wine skips the rest of a line
// after a loop that never ran); the inner command starts with "call", not
// a quote, so its nested cmd keeps the quotes; and everything named is
// quoted, for paths such as "C:\Program Files (x86)\...".
std::string windowsNodeCheckCommand(const PlatformProfile& profile, const NodeCommandFields& fields) {
    const std::string file = "\"" + profile.commandFileLiteral(fields.nodeCheckFile) + "\"";
    const std::string cli = profile.callPrefix() +
                            profile.quoteProgram(profile.join(fields.daemonCliFolder, fields.cliName)) + " -conf=\"" +
                            profile.commandFileLiteral(fields.confFile) + "\"";
    const auto ask = [&](const std::string& call) {
        return "echo " + call + ">> " + file + "& " + cli + " " + call + " >> " + file + " 2>&1& ";
    };
    return "@echo off& " + ask("getblockchaininfo") + ask("getpeerinfo") + ask("getconnectioncount") +
           "echo getblockheader>> " + file + "& for /f %%h in ('" + cli + " getbestblockhash 2^>^>" + file +
           " ^& echo end') do (if %%h==end (echo end>> " + file + ") else (" + cli + " getblockheader %%h >> " + file +
           " 2>&1))";
}

}  // namespace

std::string nodeCheckCommand(const PlatformProfile& profile, const NodeCommandFields& fields) {
    const std::string file = profile.quoteValue(fields.nodeCheckFile);
    if (profile.flavour() == PlatformProfile::Flavour::Posix) {
        // One shell group, so the calls run in turn into one file; the
        // client is not "exec"uted, because the calls after it must run.
        const std::string cli = clientUncalled(profile, fields);
        return "{ echo getblockchaininfo; " + cli + " getblockchaininfo; echo getpeerinfo; " + cli +
               " getpeerinfo; echo getconnectioncount; " + cli + " getconnectioncount; echo getblockheader; " + cli +
               " getblockheader \"$(" + cli + " getbestblockhash)\"; echo end; } > " + file + " 2>&1";
    }
    return windowsNodeCheckCommand(profile, fields);
}

std::string qtRunCommand(const PlatformProfile& profile, const NodeCommandFields& fields) {
    return nodeCommand(profile, fields.qtFolder, fields.qtName, fields, fields.qtOption);
}

std::string daemonRunCommand(const PlatformProfile& profile, const NodeCommandFields& fields) {
    return nodeCommand(profile, fields.daemonCliFolder, fields.daemonName, fields, fields.daemonOption);
}

std::string cliStopCommand(const PlatformProfile& profile, const NodeCommandFields& fields) {
    return clientCommand(profile, fields) + " " + fields.cliOption + " stop";
}

std::string blockCountCommand(const PlatformProfile& profile, const NodeCommandFields& fields) {
    std::string line = clientCommand(profile, fields) + " getblockcount > " + profile.quoteValue(fields.blockCountFile);
    // Why a client gave no number is kept for the block counter to name.
    if (profile.flavour() == PlatformProfile::Flavour::Posix && !fields.clientErrorFile.empty())
        line += " 2> " + profile.quoteValue(fields.clientErrorFile);
    return line;
}

std::vector<std::string> missingOutputFolders(FileSystem& files, const PlatformProfile& profile,
                                              const std::string& home) {
    // The block-count and node-check files everywhere; the node log and the
    // client's errors only in the POSIX lines.
    std::vector<const char*> folders{home_layout::blockCounts};
    if (profile.flavour() == PlatformProfile::Flavour::Posix) folders.push_back(home_layout::logs);
    std::vector<std::string> missing;
    for (const char* name : folders) {
        const std::string folder = home_layout::subfolder(profile, home, name);
        if (!files.folderExists(folder)) missing.push_back(folder);
    }
    return missing;
}

}  // namespace syncward
