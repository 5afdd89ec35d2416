#include "core/processes/command_file.h"

#include "core/platform/platform_profile.h"
#include "core/state/home_layout.h"

namespace syncward {

const char* commandFileStem(CommandFile file) {
    switch (file) {
        case CommandFile::RunQt: return "-RUN-QT";
        case CommandFile::RunDaemon: return "-RUN-DAEMON";
        case CommandFile::CliStop: return "-RUN-CLI-STOP";
        case CommandFile::BlockCounter: return "-RUN-BLOCKCOUNTER-GBC";
        case CommandFile::StartEmail: return "-START-EMAIL";
        case CommandFile::EndReportEmail: return "-END-REPORT-EMAIL";
        case CommandFile::NodeCheck: return "-RUN-BLOCKCOUNTER-NODE-CHECK";
    }
    return "";
}

std::string commandFilePath(const PlatformProfile& profile, const std::string& home, const std::string& exe,
                            CommandFile file) {
    return profile.join(home_layout::subfolder(profile, home, home_layout::bats),
                        exe + commandFileStem(file) + profile.commandFileExtension());
}

}  // namespace syncward
