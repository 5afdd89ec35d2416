#pragma once

#include <string>

namespace syncward {

class PlatformProfile;

// The one-line command files in the BATS folder. NodeCheck asks the node
// for its chain state and peers once the block counts agree.
enum class CommandFile { RunQt, RunDaemon, CliStop, BlockCounter, StartEmail, EndReportEmail, NodeCheck };

// "-RUN-QT" ... without the platform's extension.
const char* commandFileStem(CommandFile file);
std::string commandFilePath(const PlatformProfile& profile, const std::string& home, const std::string& exe,
                            CommandFile file);

}  // namespace syncward
