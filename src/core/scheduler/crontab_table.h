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
// quoted for the shell, "%" escaped as cron requires, then the tag (its
// "%" escaped too).
std::string line(const Start& start, const std::string& programPath,
                 const std::vector<std::pair<std::string, std::string>>& environment, const std::string& taskName);

// The second line, "@reboot PROGRAM --catch-up", tagged as the weekly line
// is: it comes and goes, and is enabled and disabled, with that line.
std::string catchUpLine(const std::string& programPath, const std::string& taskName);
// Why cron could not carry the program's path, a display variable or the
// task name exactly in one line, in the status words of the window
// ("THE PROGRAM PATH HOLDS A LINE BREAK"); empty when it can. A line break
// or other control character would end the line early (and start one of
// the text's own), bytes that are not UTF-8 or a U+FFFD left by a failed
// conversion name another file, and cron has no way to pass "\%" as it is.
// No line is written unless this is empty.
std::string refusal(const std::string& programPath,
                    const std::vector<std::pair<std::string, std::string>>& environment, const std::string& taskName);
// The same for the task name alone, which every edit of the table looks for.
std::string nameRefusal(const std::string& taskName);

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
