#include "core/scheduler/schtasks_lines.h"

namespace syncward {

namespace {

std::string quoted(const std::string& value) { return "\"" + value + "\""; }

std::string withoutTrailingBlank(std::string text) {
    if (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
}

}  // namespace

std::string weeklyTaskName(const std::string& executableName) { return "SYNCWARD - " + executableName; }

SchTasksCommand schTasksCreate(const std::string& taskName, const std::string& days, const std::string& programPath,
                               const std::string& runTime) {
    return {"SchTasks /Create /SC WEEKLY /D " + days + "/TN " + quoted(taskName) + " /TR " + quoted(programPath) +
                " /ST " + runTime,
            {"SchTasks", "/Create", "/SC", "WEEKLY", "/D", withoutTrailingBlank(days), "/TN", taskName, "/TR",
             programPath, "/ST", runTime}};
}

SchTasksCommand schTasksEnable(const std::string& taskName, bool enable) {
    const std::string option = enable ? "/ENABLE" : "/DISABLE";
    return {"SchTasks /Change /TN " + quoted(taskName) + " " + option, {"SchTasks", "/Change", "/TN", taskName, option}};
}

SchTasksCommand schTasksDelete(const std::string& taskName) {
    return {"SchTasks /Delete /TN " + quoted(taskName) + " /F", {"SchTasks", "/Delete", "/TN", taskName, "/F"}};
}

}  // namespace syncward
