// Sets up one copy of the Windows program for an unattended daemon run, as
// its settings windows would leave it: its settings in the current user's
// registry, its home folder where the caller chooses, and the node command
// files (.bat) composed by the program's own composer under the Windows
// profile. The same set-up as a native test copy's; only the store, the
// files and the profile are Windows'.
#include <cstdio>
#include <string>
#include <vector>

#include "platform/win32/registry_settings_store.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_file_system.h"
#include "support/copy_setup.h"

// The arguments as Windows gives them (UTF-16), in the program's UTF-8: a
// home folder may be named with accents.
int wmain(int argc, wchar_t* wideArguments[]) {
    std::vector<std::string> arguments;
    for (int i = 0; i < argc; ++i) arguments.push_back(syncward::narrow(wideArguments[i]));
    std::vector<const char*> argv;
    for (const std::string& argument : arguments) argv.push_back(argument.c_str());
    if (argc != 9) {
        std::fprintf(stderr,
                     "usage: %s HOME NAME NODE_FOLDER DAEMON_NAME CLI_NAME DATA_FOLDER COUNT_EVERY FIRST_COUNT\n"
                     "  HOME is created (its parent must exist); NAME is the copy's executable name\n"
                     "  without .exe; DAEMON_NAME and CLI_NAME are file names in NODE_FOLDER.\n",
                     argv[0]);
        return 2;
    }
    syncward::RegistrySettingsStore store;
    syncward::Win32FileSystem files;
    syncward::testing::CopySetup copy(store, files, syncward::PlatformProfile::windows(), argv[1], argv[2]);
    syncward::NodeCommandFields fields;
    fields.qtFolder = argv[3];
    fields.qtName = "fakecoin-qt.exe";
    fields.daemonCliFolder = argv[3];
    fields.daemonName = argv[4];
    fields.cliName = argv[5];
    fields.dataFolder = argv[6];
    fields.confFile = copy.configFile();
    const bool ready = copy.createHome() &&
                       copy.nodeCommandFiles(fields, std::string(argv[8]) + copy.profile().lineEnd()) &&
                       copy.unattendedRunSwitches("Fakecoin", argv[7]);
    if (!ready) {
        std::fprintf(stderr, "%s: could not set up the copy %s in %s\n", argv[0], argv[2], argv[1]);
        return 1;
    }
    std::printf("%s\n", copy.home().c_str());
    return 0;
}
