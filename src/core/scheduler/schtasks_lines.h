#pragma once

#include <string>
#include <vector>

namespace syncward {

// The Windows task scheduler's command lines for the weekly start of one
// copy of the program, exactly as the program has always shown them, and
// the same lines as the arguments a launcher passes on.
struct SchTasksCommand {
    std::string line;
    std::vector<std::string> argv;
};

std::string weeklyTaskName(const std::string& executableName);

// days: the day list with its trailing blank ("MON " or
// "MON,TUE,WED,THU,FRI,SAT,SUN "); programPath: where the program sits.
SchTasksCommand schTasksCreate(const std::string& taskName, const std::string& days, const std::string& programPath,
                               const std::string& runTime);
SchTasksCommand schTasksEnable(const std::string& taskName, bool enable);
SchTasksCommand schTasksDelete(const std::string& taskName);

}  // namespace syncward
