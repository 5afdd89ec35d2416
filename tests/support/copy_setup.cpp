#include "support/copy_setup.h"

#include "core/platform/file_system.h"
#include "core/platform/settings_store.h"
#include "core/processes/command_file_writer.h"
#include "core/state/home_layout.h"

namespace syncward::testing {

CopySetup::CopySetup(SettingsStore& store, FileSystem& files, PlatformProfile profile, std::string home,
                     std::string name)
    : store_(store), files_(files), profile_(std::move(profile)), home_(std::move(home)), name_(std::move(name)) {}

std::string CopySetup::homeFile(const std::string& folder, const std::string& suffix) const {
    return profile_.join(profile_.join(home_, folder), name_ + suffix);
}

std::string CopySetup::blockCountFile() const { return home_layout::blockCountFile(profile_, home_, name_); }

std::string CopySetup::configFile() const { return home_layout::configFile(profile_, home_, name_); }

bool CopySetup::setting(const std::string& key, const std::string& value) { return store_.save(name_, key, value); }

bool CopySetup::createHome() {
    bool made = files_.createFolder(home_);
    for (const char* sub : home_layout::subfolders)
        made = files_.createFolder(home_layout::subfolder(profile_, home_, sub)) && made;
    return setting("SYNCWARD_HOME_TEXTBOX", home_) && setting("ALWAYS_ON_TOP_TICKBOX", "0") && made;
}

bool CopySetup::nodeCommandFiles(NodeCommandFields fields, const std::string& firstCount) {
    fields.blockCountFile = blockCountFile();
    fields.nodeCheckFile = home_layout::nodeCheckFile(profile_, home_, name_);
    const std::pair<CommandFile, std::string> commands[] = {
        {CommandFile::RunQt, qtRunCommand(profile_, fields)},
        {CommandFile::RunDaemon, daemonRunCommand(profile_, fields)},
        {CommandFile::CliStop, cliStopCommand(profile_, fields)},
        {CommandFile::BlockCounter, blockCountCommand(profile_, fields)},
        {CommandFile::NodeCheck, nodeCheckCommand(profile_, fields)},
    };
    bool written = true;
    for (const auto& [file, text] : commands)
        written = writeCommandFile(files_, profile_, home_, name_, file, text) && written;
    written = files_.writeText(fields.blockCountFile, firstCount.empty() ? profile_.lineEnd() : firstCount) && written;
    // The crypto settings those files came from, as their Save stores them.
    const std::pair<const char*, const std::string&> stored[] = {
        {"QT_LOCATION_TEXTBOX", fields.qtFolder},
        {"DAEMON_CLI_LOCATION_TEXTBOX", fields.daemonCliFolder},
        {"DAEMOND_NAME_TEXTBOX", fields.daemonName},
        {"DAEMONCLI_NAME_SETTINGS_TEXTBOX", fields.cliName},
        {"QT_NAME_TEXTBOX", fields.qtName},
        {"BLOCKCHAIN_HOME_TEXTBOX", fields.dataFolder},
        {"CONF_FILE_LOCATION_TEXTBOX", fields.confFile},
        {"GETBLOCKCOUNT_LOG_LOCATION_TEXTBOX", fields.blockCountFile},
    };
    for (const auto& [key, value] : stored) written = setting(key, value) && written;
    // A .conf other than the home folder's is the user's own: the main
    // settings store that choice with the path, and without it the program
    // reads the home folder's file instead.
    return setting("USE_OWN_CONF_TICKBOX", fields.confFile == configFile() ? "0" : "1") && written;
}

bool CopySetup::unattendedRunSwitches(const std::string& cryptoName, const std::string& countEvery) {
    bool stored = setting("CRYPTO_NAME_TEXTBOX", cryptoName) && setting("USER_COUNT_TIME_TEXTBOX", countEvery);
    for (const char* tick : {"AUTOSTART_TICKBOX", "RUN_DAEMON_TICKBOX", "TASK_8_ENABLE_TICKBOX",
                             "FINISH_WHEN_IDENTICAL_TICKBOX", "TASK_11_ENABLE_TICKBOX", "TASK_19_ENABLE_TICKBOX"})
        stored = setting(tick, "1") && stored;
    return stored;
}

}  // namespace syncward::testing
