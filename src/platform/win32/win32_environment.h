#pragma once

#include <string>

#include "core/platform/environment.h"

namespace syncward {

// Names and times from the running system. The executable name is the
// program file's own name without its extension, so a copy under another
// name is another copy of the program with its own settings and files.
class Win32Environment : public Environment {
public:
    Win32Environment();

    std::string executableName() override { return executableName_; }
    std::string executableFolder() override { return executableFolder_; }
    // COMPUTERNAME and USERNAME, as the program has always read them; the
    // system's own answer when the variable is missing.
    std::string computerName() override;
    std::string userName() override;
    // The user's short date format; the time of day as "HH:mm:ss".
    std::string dateText() override;
    std::string timeText() override;
    NumberSeparators numberSeparators() override;
    long long secondsSinceEpoch() override;
    int utcOffsetSeconds(long long secondsSinceEpoch) override;

    // "C:\Coins\LTC1.exe" -> "LTC1": the file name without its extension.
    static std::string nameWithoutExtension(const std::string& path);
    // This program's name as executableName() gives it: from the running
    // module, however it was started ("LTC1", "LTC1.exe", a short name).
    static std::string runningExecutableName();

private:
    std::string executableName_;
    std::string executableFolder_;
};

}  // namespace syncward
