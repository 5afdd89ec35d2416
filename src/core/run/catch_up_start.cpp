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
        return {false, name + "nothing to catch up; no weekly task is enabled, so no run is due\n", {}};

    const UtcOffset zone = localZone(app);
    const CatchUp catchUp = storedCatchUp(app, *task);
    const std::string next =
        "the next run is due " + (catchUp.nextDue ? localMomentText(*catchUp.nextDue, zone) : "never") +
        " (local time)\n";
    if (catchUp.missed) {
        const std::string when = localMomentText(*catchUp.lastScheduled, zone);
        return {true, missedRunLine(app.executableName, when, true), when};
    }
    if (!parseIsoUtc(app.settings.get(catch_up_keys::lastRunStart, "")) &&
        !parseIsoUtc(app.settings.get(catch_up_keys::since, ""))) {
        storeCatchUpSince(app);
        return {false, name + "no run start is recorded yet, so nothing is caught up now; " + next, {}};
    }
    return {false, name + "no scheduled run was missed; " + next, {}};
}

bool startCatchUpCountdown(AppContext& app) {
    MainWindow& w = app.main;
    if (!w.AUTOSTART_TICKBOX.ticked()) {
        app.status("!!! A MISSED RUN IS DUE - AUTOSTART IS OFF - START IT BY HAND !!!");
        return false;
    }
    w.run.caughtUp = true;
    if (w.TASK_20_ENABLE_TICKBOX.ticked()) {
        w.AUTOCLOSE_OR_POWER_AUTOTIMER_TEXTBOX.setText(closedInsteadOf(w.AUTOTIMER_ACTION_TEXTBOX.text()));
        w.AUTOTIMER_ACTION_TEXTBOX.setText("");
    }
    setAutostartSwitch(w, true);
    w.AUTOSTART_TIMER.start();
    app.status("!!! CATCHING UP A MISSED RUN !!!");
    return true;
}

std::string missedRunLine(const std::string& executableName, const std::string& missedWhen, bool autostart) {
    return executableName + ": the run due " + missedWhen + " (local time) was missed; " +
           (autostart ? "it starts after the countdown\n"
                      : "AutoStart is off, so the window opens and the run waits to be started by hand\n");
}

std::string closedInsteadOf(const std::string& powerAction) {
    return "CAUGHT UP AFTER A MISSED START - CLOSED INSTEAD OF " + (powerAction.empty() ? "NO ACTION" : powerAction);
}

}  // namespace syncward
