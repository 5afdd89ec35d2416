#pragma once

#include <string>

namespace syncward {

// The user's number separators, as the locale shows them. Either may be
// more than one byte (a narrow no-break space groups digits in some locales).
struct NumberSeparators {
    std::string group = ",";
    std::string decimal = ".";
};

// What the program learns about where and when it runs.
class Environment {
public:
    virtual ~Environment() = default;
    // The program's own file name without its extension: names the
    // settings section and prefixes every file in the home folder.
    virtual std::string executableName() = 0;
    virtual std::string executableFolder() = 0;
    virtual std::string computerName() = 0;
    virtual std::string userName() = 0;
    // The current date and time of day in the system's short formats.
    virtual std::string dateText() = 0;
    virtual std::string timeText() = 0;
    virtual NumberSeparators numberSeparators() = 0;
    // Now, in seconds since 1970 (UTC): the age of the node's best block.
    virtual long long secondsSinceEpoch() = 0;
    // A line for whoever reads the program's error output (a scheduled run
    // without a screen): what must not go unseen when it cannot be stored.
    // Where there is no such output, it goes nowhere.
    virtual void tellStandardError(const std::string& line) { (void)line; }
    // How far the local zone was ahead of UTC at that moment, in seconds
    // (daylight saving included): the weekly task's times are local.
    virtual int utcOffsetSeconds(long long secondsSinceEpoch) = 0;
};

}  // namespace syncward
