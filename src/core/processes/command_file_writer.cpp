#include "core/processes/command_file_writer.h"

#include "core/platform/file_system.h"
#include "core/platform/platform_profile.h"
#include "core/state/home_layout.h"

namespace syncward {

bool writeCommandFile(FileSystem& files, const PlatformProfile& profile, const std::string& home,
                      const std::string& exe, CommandFile file, const std::string& commandText) {
    if (commandText.find_first_of("\r\n") != std::string::npos) return false;
    return files.writeCommandText(commandFilePath(profile, home, exe, file), commandText + profile.lineEnd());
}

bool resetBlockCountFile(FileSystem& files, const PlatformProfile& profile, const std::string& home,
                         const std::string& exe) {
    return files.writeText(home_layout::blockCountFile(profile, home, exe), profile.lineEnd());
}

}  // namespace syncward
