// Sets up one copy of the program in a folder the way the settings windows
// would leave it for an unattended daemon run: its link, home folder and
// settings, and the node command files composed by the program's own
// composer. The demo uses it, so what it shows is what the program writes.
#include <cstdio>
#include <string>

#include "e2e/program_run.h"

int main(int argc, char* argv[]) {
    if (argc != 9) {
        std::fprintf(stderr,
                     "usage: %s FOLDER NAME CONF_FILE DATA_FOLDER DAEMON_FOLDER COUNT_EVERY FIRST_COUNT CRYPTO_NAME\n",
                     argv[0]);
        return 2;
    }
    syncward::testing::ProgramRun copy(argv[1], argv[2]);
    syncward::NodeCommandFields fields;
    fields.confFile = argv[3];
    fields.dataFolder = argv[4];
    fields.daemonCliFolder = argv[5];
    fields.daemonName = "litecoind";
    fields.cliName = "litecoin-cli";
    fields.qtName = "litecoin-qt";
    copy.nodeCommandFiles(fields, std::string(argv[7]) + "\n");
    copy.unattendedRunSwitches(argv[8], argv[6]);
    std::printf("%s\n", copy.home().c_str());
    return 0;
}
