#pragma once

#include <string>

#include "core/processes/command_file.h"

namespace syncward {

class FileSystem;
class PlatformProfile;

// Writes one command file of a home folder: the command text as its one
// and only line, ended by the platform's line end, replacing the old file
// whole. False when it could not be written (missing BATS folder, no
// permission), and also when the text itself holds a line break: a
// command file is exactly one line, and a second line would be a second
// command nobody composed.
bool writeCommandFile(FileSystem& files, const PlatformProfile& profile, const std::string& home,
                      const std::string& exe, CommandFile file, const std::string& commandText);

// Creates or empties the latest block-count file: one line end and nothing
// else, the state before any poll has answered.
bool resetBlockCountFile(FileSystem& files, const PlatformProfile& profile, const std::string& home,
                         const std::string& exe);

}  // namespace syncward
