#pragma once

#include <string>
#include <vector>

#include "core/processes/command_file.h"
#include "core/processes/node_command_lines.h"

namespace syncward {

struct AppContext;
class SettingsWindows;

// What the set-up check judges: the settings as a run would use them, read
// once from the windows (loaded without being shown) and the store.
struct SetupFacts {
    // A command file a ticked step runs, and the line the settings would
    // write into it now.
    struct WantedFile {
        CommandFile file;
        std::string line;
    };

    std::string exe;
    std::string home;
    std::string cryptoName;
    NodeCommandFields node;  // the crypto settings' fields, with the configuration file
    std::vector<WantedFile> commandFiles;

    bool runQt = false;
    bool runDaemon = false;
    bool usesClient = false;  // the block counter or the stop request runs it
    bool finishWhenIdentical = false;
    bool overrideTimer = false;
    bool autostart = false;
    bool autoclose = false;
    bool powerStep = false;
    std::string powerActionText;
    bool heartbeat = false;

    bool startMail = false;
    bool endMail = false;
    std::string mailerFolder;
    std::string mailServer;  // "host:port"
    bool mailPasswordEmpty = true;

    bool taskWanted = false;  // the scheduler window's "Enable Scheduled Task" as stored
    std::string taskName;
};

SetupFacts gatherSetupFacts(AppContext& app, SettingsWindows& windows);

}  // namespace syncward
