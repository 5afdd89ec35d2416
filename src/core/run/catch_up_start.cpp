#include "core/run/catch_up_start.h"

#include "core/scheduler/catch_up_record.h"
#include "core/scheduler/task_commands.h"
#include "core/state/app_context.h"
#include "core/state/main_window_painter.h"
#include "core/time/civil_date.h"

namespace syncward {

namespace {

// The crontab, where it can be read, has the last word: a line disabled or
// removed by hand is no task to catch up.
bool crontabAllows(AppContext& app) {
    if (app.profile().flavour() != PlatformProfile::Flavour::Posix) return true;
    const auto held = TaskCommands(app).state();
    return !held || held->state == crontab_table::State::Enabled;
}

}  // namespace

CatchUpStart checkCatchUp(AppContext& app) {
    const std::string name = app.executableName + ": ";
    const std::optional<WeeklyTime> task = storedWeeklyTask(app.settings);
    if (!task || !crontabAllows(app))
        return {false, name + "nothing to catch up; no weekly task is enabled, so no run is due\n"};

    const UtcOffset zone = localZone(app);
    const CatchUp catchUp = storedCatchUp(app, *task);
    const std::string next =
        "the next run is due " + (catchUp.nextDue ? localMomentText(*catchUp.nextDue, zone) : "never") +
        " (local time)\n";
    if (catchUp.missed)
        return {true, name + "the run due " + localMomentText(*catchUp.lastScheduled, zone) +
                          " (local time) was missed; it starts after the countdown\n"};
    if (!parseIsoUtc(app.settings.get(catch_up_keys::lastRunStart, "")) &&
        !parseIsoUtc(app.settings.get(catch_up_keys::since, ""))) {
        storeCatchUpSince(app);
        return {false, name + "no run start is recorded yet, so nothing is caught up now; " + next};
    }
    return {false, name + "no scheduled run was missed; " + next};
}

void startCatchUpCountdown(AppContext& app) {
    MainWindow& w = app.main;
    setAutostartSwitch(w, true);
    w.AUTOSTART_TIMER.start();
    app.status("!!! CATCHING UP A MISSED RUN !!!");
}

}  // namespace syncward
