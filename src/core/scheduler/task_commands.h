#pragma once

#include <optional>
#include <string>

#include "core/scheduler/crontab_table.h"

namespace syncward {

struct AppContext;

// Creates, enables, disables and deletes this copy's weekly start: with
// the Windows task scheduler's command lines, or in the user's crontab. A
// command is first built (to be shown), then run; running tells whether it
// really happened.
class TaskCommands {
public:
    explicit TaskCommands(AppContext& app);

    struct Outcome {
        bool done = false;
        std::string problem;  // why not, in the program's status words
    };

    const std::string& taskName() const { return taskName_; }

    // days: the day list ("MON " ... or all seven); runTime "HH:mm".
    std::string createCommand(const std::string& days, const std::string& runTime);
    Outcome create(const std::string& days, const std::string& runTime);
    std::string enableCommand(bool enable);
    Outcome setEnabled(bool enable);
    std::string deleteCommand();
    Outcome remove();

    // The task as the system holds it; nullopt where the program cannot
    // read it back (the Windows scheduler) or the table is unreadable.
    std::optional<crontab_table::State> state();

private:
    bool posix() const;
    std::string windowsProgram() const;
    Outcome startProgram(const std::vector<std::string>& argv);
    // Reads the table, edits it, writes it and reads it back.
    template <typename Edit>
    Outcome editTable(Edit edit);

    AppContext& app_;
    std::string taskName_;
};

// "HH:mm" (hours below 24) as hour and minute; nullopt otherwise.
std::optional<std::pair<int, int>> parseRunTime(const std::string& text);

}  // namespace syncward
