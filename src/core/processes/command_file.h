#pragma once

#include <string>

namespace syncward {

class PlatformProfile;

// The six one-line command files in the BATS folder.
enum class CommandFile { RunQt, RunDaemon, CliStop, BlockCounter, StartEmail, EndReportEmail };

// "-RUN-QT" ... without the platform's extension.
const char* commandFileStem(CommandFile file);
std::string commandFilePath(const PlatformProfile& profile, const std::string& home, const std::string& exe,
                            CommandFile file);

}  // namespace syncward
