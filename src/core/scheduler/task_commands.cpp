#include "core/scheduler/task_commands.h"

#include <cctype>

#include "core/scheduler/autostart_entry.h"
#include "core/scheduler/schtasks_lines.h"
#include "core/state/app_context.h"

namespace syncward {

namespace {

constexpr const char* weekDays[] = {"MON", "TUE", "WED", "THU", "FRI", "SAT", "SUN"};

// The first day named in the day list, as cron numbers it (Sunday 0);
// none when the list names all seven.
std::optional<int> cronWeekday(const std::string& days) {
    if (days.find(',') != std::string::npos) return std::nullopt;
    for (int i = 0; i < 7; ++i)
        if (days.starts_with(weekDays[i])) return (i + 1) % 7;
    return std::nullopt;
}

}  // namespace

std::optional<std::pair<int, int>> parseRunTime(const std::string& text) {
    const std::size_t colon = text.find(':');
    if (colon == std::string::npos || colon == 0 || colon > 2 || text.size() - colon - 1 != 2) return std::nullopt;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (i != colon && !std::isdigit(static_cast<unsigned char>(text[i]))) return std::nullopt;
    const int hour = std::stoi(text.substr(0, colon));
    const int minute = std::stoi(text.substr(colon + 1));
    if (hour > 23 || minute > 59) return std::nullopt;
    return std::pair{hour, minute};
}

TaskCommands::TaskCommands(AppContext& app) : app_(app), taskName_(weeklyTaskName(app.executableName)) {}

// The Windows task starts the program from the home folder, where it is
// expected to sit.
std::string TaskCommands::windowsProgram() const {
    return app_.profile().join(app_.main.SYNCWARD_HOME_TEXTBOX.text(),
                               app_.executableName + app_.profile().executableSuffix());
}

bool TaskCommands::posix() const { return app_.profile().flavour() == PlatformProfile::Flavour::Posix; }

std::string TaskCommands::createCommand(const std::string& days, const std::string& runTime) {
    if (!posix()) return schTasksCreate(taskName_, days, windowsProgram(), runTime).line;
    const auto time = parseRunTime(runTime).value_or(std::pair{0, 0});
    const Crontab::Program program = app_.platform.crontab.program();
    return crontab_table::line({time.first, time.second, cronWeekday(days)}, program.path, program.environment,
                               taskName_);
}

std::string TaskCommands::enableCommand(bool enable) {
    if (!posix()) return schTasksEnable(taskName_, enable).line;
    return std::string(enable ? "crontab: enable" : "crontab: disable") + " the line ending \"# " + taskName_ + "\"";
}

std::string TaskCommands::deleteCommand() {
    if (!posix()) return schTasksDelete(taskName_).line;
    return "crontab: remove the line ending \"# " + taskName_ + "\"";
}

TaskCommands::Outcome TaskCommands::startProgram(const std::vector<std::string>& argv) {
    if (app_.platform.launcher.runProgram(argv)) return {true, ""};
    return {false, "!!! SCHTASKS COULD NOT BE STARTED - NOTHING CHANGED !!!"};
}

template <typename Edit>
TaskCommands::Outcome TaskCommands::editTable(Edit edit) {
    // Every edit looks for the line by its tag: a name cron cannot carry
    // is never written, nor looked for.
    if (const std::string why = crontab_table::nameRefusal(taskName_); !why.empty())
        return {false, "!!! CRONTAB NOT CHANGED - " + why + " !!!"};
    Crontab& crontab = app_.platform.crontab;
    const Crontab::Read before = crontab.read();
    // A table that could not be read would be replaced by our line alone:
    // nothing is written.
    if (before.outcome == Crontab::Read::Outcome::Failed)
        return {false, "!!! CRONTAB NOT READ - NOTHING CHANGED: " + before.error + " !!!"};
    const std::optional<std::string> wanted = edit(before.text);
    if (!wanted) return {false, "!!! NO TASK IN THE CRONTAB - CREATE IT FIRST !!!"};
    const Crontab::Written written = crontab.write(*wanted);
    if (!written.ok) return {false, "!!! CRONTAB NOT WRITTEN: " + written.error + " !!!"};
    const Crontab::Read after = crontab.read();
    if (after.outcome != Crontab::Read::Outcome::Read || after.text != *wanted)
        return {false, "!!! CRONTAB READ BACK DIFFERS FROM WHAT WAS WRITTEN - CHECK IT WITH crontab -l !!!"};
    return {true, ""};
}

TaskCommands::Outcome TaskCommands::create(const std::string& days, const std::string& runTime, bool catchUp) {
    if (!posix()) return startProgram(schTasksCreate(taskName_, days, windowsProgram(), runTime).argv);
    const Crontab::Program program = app_.platform.crontab.program();
    if (const std::string why = crontab_table::refusal(program.path, program.environment, taskName_); !why.empty())
        return {false, "!!! CRONTAB NOT CHANGED - " + why + " !!!"};
    const std::string line = createCommand(days, runTime);
    const std::string reboot = catchUp ? crontab_table::catchUpLine(program.path, taskName_) : "";
    return withAutostart(editTable([&](const std::string& table) -> std::optional<std::string> {
                             return crontab_table::withCatchUpLine(crontab_table::withLine(table, taskName_, line),
                                                                   taskName_, reboot);
                         }),
                         catchUp);
}

TaskCommands::Outcome TaskCommands::setCatchUp(bool catchUp) {
    if (!posix()) return {false, "!!! CATCHING UP IS DONE BY THE WINDOWS TASK SCHEDULER !!!"};
    // The boot line carries the program's path too: never one cron cannot carry.
    const std::string path = app_.platform.crontab.program().path;
    if (const std::string why = crontab_table::refusal(path, {}, taskName_); catchUp && !why.empty())
        return {false, "!!! CRONTAB NOT CHANGED - " + why + " !!!"};
    const std::string reboot = catchUp ? crontab_table::catchUpLine(path, taskName_) : "";
    return withAutostart(editTable([&](const std::string& table) -> std::optional<std::string> {
                             if (crontab_table::stateOf(table, taskName_) == crontab_table::State::Absent)
                                 return std::nullopt;
                             return crontab_table::withCatchUpLine(table, taskName_, reboot);
                         }),
                         catchUp);
}

// The crontab is the task; an entry that cannot follow it is reported, and
// the task stands as the crontab now holds it.
TaskCommands::Outcome TaskCommands::withAutostart(Outcome crontabEdit, bool present) {
    if (!crontabEdit.done) return crontabEdit;
    const std::string file = autostart_entry::fileName(app_.executableName);
    Autostart& autostart = app_.platform.autostart;
    if (!present) {
        const Autostart::Done removed = autostart.remove(file);
        if (!removed.ok) crontabEdit.problem = "!!! AUTOSTART ENTRY NOT REMOVED: " + removed.error + " !!!";
        return crontabEdit;
    }
    const auto entry = autostart_entry::text(app_.platform.crontab.program().path, taskName_);
    if (!entry) {
        crontabEdit.problem = "!!! AUTOSTART ENTRY NOT WRITTEN: THE PROGRAM'S PATH HOLDS A LINE BREAK OR A CONTROL CHARACTER !!!";
        return crontabEdit;
    }
    const Autostart::Done written = autostart.write(file, *entry);
    if (!written.ok) crontabEdit.problem = "!!! AUTOSTART ENTRY NOT WRITTEN: " + written.error + " !!!";
    return crontabEdit;
}

TaskCommands::Outcome TaskCommands::setEnabled(bool enable) {
    if (!posix()) return startProgram(schTasksEnable(taskName_, enable).argv);
    return editTable([&](const std::string& table) -> std::optional<std::string> {
        if (crontab_table::stateOf(table, taskName_) == crontab_table::State::Absent) return std::nullopt;
        return crontab_table::withEnabled(table, taskName_, enable);
    });
}

TaskCommands::Outcome TaskCommands::remove() {
    if (!posix()) return startProgram(schTasksDelete(taskName_).argv);
    return withAutostart(editTable([&](const std::string& table) -> std::optional<std::string> {
                             return crontab_table::without(table, taskName_);
                         }),
                         false);
}

std::optional<TaskCommands::Held> TaskCommands::state() {
    if (!posix()) return std::nullopt;
    const Crontab::Read read = app_.platform.crontab.read();
    if (read.outcome == Crontab::Read::Outcome::Failed) return std::nullopt;
    return Held{crontab_table::stateOf(read.text, taskName_), crontab_table::hasCatchUpLine(read.text, taskName_)};
}

}  // namespace syncward
