#pragma once

#include <string>

#include "core/platform/environment.h"

namespace syncward {

// Names and times from the running system. The executable name is the base
// name of argv[0], so a copy or a link under another name is another copy
// of the program with its own settings and files.
class PosixEnvironment : public Environment {
public:
    explicit PosixEnvironment(const std::string& argv0);

    std::string executableName() override { return executableName_; }
    std::string executableFolder() override { return executableFolder_; }
    std::string computerName() override;
    std::string userName() override;
    std::string dateText() override;
    std::string timeText() override;
    NumberSeparators numberSeparators() override;
    long long secondsSinceEpoch() override;
    void tellStandardError(const std::string& line) override;
    int utcOffsetSeconds(long long secondsSinceEpoch) override;

    static std::string homeDirectory();
    // The name this copy goes by, as its settings section and its files
    // have it: argv[0]'s base name read as UTF-8, so bytes that are not
    // UTF-8 stand as U+FFFD. Two names that differ only there are one copy.
    static std::string executableNameOf(const std::string& argv0);

private:
    std::string executableName_;
    std::string executableFolder_;
};

}  // namespace syncward
