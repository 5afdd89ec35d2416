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
        std::string problem;  // why not (or, done, what else failed), in the program's status words
    };

    const std::string& taskName() const { return taskName_; }

    // days: the day list ("MON " ... or all seven); runTime "HH:mm".
    std::string createCommand(const std::string& days, const std::string& runTime);
    // catchUp: with the crontab's "@reboot" line and the autostart entry
    // that catch up a missed run (crontab only).
    Outcome create(const std::string& days, const std::string& runTime, bool catchUp);
    Outcome setCatchUp(bool catchUp);
    std::string enableCommand(bool enable);
    Outcome setEnabled(bool enable);
    std::string deleteCommand();
    Outcome remove();

    // The task as the system holds it: the weekly line and whether the
    // catch-up line is there; nullopt where the program cannot read it back
    // (the Windows scheduler) or the table is unreadable.
    struct Held {
        crontab_table::State state = crontab_table::State::Absent;
        bool catchUp = false;
    };
    std::optional<Held> state();

private:
    bool posix() const;
    std::string windowsProgram() const;
    Outcome startProgram(const std::vector<std::string>& argv);
    // The autostart entry written or removed after the crontab was edited.
    Outcome withAutostart(Outcome crontabEdit, bool present);
    // Reads the table, edits it, writes it and reads it back.
    template <typename Edit>
    Outcome editTable(Edit edit);

    AppContext& app_;
    std::string taskName_;
};

// "HH:mm" (hours below 24) as hour and minute; nullopt otherwise.
std::optional<std::pair<int, int>> parseRunTime(const std::string& text);

}  // namespace syncward
