#pragma once

#include <string>
#include <vector>

namespace syncward {

// How a check came out: fine; works, but probably not what the user
// wants; or a run will fail.
enum class CheckLevel { Fine, Doubtful, Failing };

// One line of the set-up check: what was found and, unless fine, the fix
// in a few words.
struct CheckLine {
    CheckLevel level = CheckLevel::Fine;
    std::string found;
    std::string fix;
};

using CheckLines = std::vector<CheckLine>;

// "RED     FOUND - FIX", as the command line prints it.
std::string plainText(const CheckLine& line);
bool anyFailing(const CheckLines& lines);
int countOf(const CheckLines& lines, CheckLevel level);

}  // namespace syncward
