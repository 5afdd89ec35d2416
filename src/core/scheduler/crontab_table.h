#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace syncward {

// This copy's line in the user's crontab. The line ends in a comment
// naming the task, which is how the program finds its own line among the
// user's others; a disabled line is the same line commented out with "#".
namespace crontab_table {

struct Start {
    int hour = 0;
    int minute = 0;
    std::optional<int> weekday;  // cron's 0 (Sunday) to 6; none = every day
};

// "M H * * D": the program's absolute path and the display variables
// quoted for the shell, "%" escaped as cron requires, then the tag.
std::string line(const Start& start, const std::string& programPath,
                 const std::vector<std::pair<std::string, std::string>>& environment, const std::string& taskName);

// The second line, "@reboot PROGRAM --catch-up", tagged as the weekly line
// is: it comes and goes, and is enabled and disabled, with that line.
std::string catchUpLine(const std::string& programPath, const std::string& taskName);

enum class State { Absent, Enabled, Disabled };
// The weekly line's state.
State stateOf(const std::string& table, const std::string& taskName);
bool hasCatchUpLine(const std::string& table, const std::string& taskName);

// Edits of the table. Every line that is not this task's stays byte for
// byte as it was.
std::string withLine(const std::string& table, const std::string& taskName, const std::string& taskLine);
std::string withEnabled(const std::string& table, const std::string& taskName, bool enabled);
std::string without(const std::string& table, const std::string& taskName);
// This task's catch-up line replaced by catchUp, disabled when the weekly
// line is; an empty catchUp removes it.
std::string withCatchUpLine(const std::string& table, const std::string& taskName, const std::string& catchUp);

}  // namespace crontab_table

}  // namespace syncward
