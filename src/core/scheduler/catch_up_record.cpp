#include "core/scheduler/catch_up_record.h"

#include "core/scheduler/task_commands.h"
#include "core/state/app_context.h"
#include "core/time/civil_date.h"

namespace syncward {

namespace {

constexpr const char* dayKeys[] = {"SUN_TICKBOX", "MON_TICKBOX", "TUE_TICKBOX", "WED_TICKBOX",
                                   "THU_TICKBOX", "FRI_TICKBOX", "SAT_TICKBOX"};

std::optional<long long> storedMoment(const SectionSettings& settings, const char* key) {
    return parseIsoUtc(settings.get(key, ""));
}

// A run that started and never reached its end leaves this outcome behind.
bool outcomeSaysUnderWay(const std::string& outcome) { return outcome.find("UNDER WAY") != std::string::npos; }

}  // namespace

void storeRunStart(AppContext& app) {
    app.settings.save(catch_up_keys::lastRunStart, isoUtcText(app.platform.environment.secondsSinceEpoch()));
}

void storeCatchUpSince(AppContext& app) {
    app.settings.save(catch_up_keys::since, isoUtcText(app.platform.environment.secondsSinceEpoch()));
}

std::optional<WeeklyTime> storedWeeklyTask(const SectionSettings& settings) {
    if (settings.get("TASK_STATUS_TEXTBOX", "") != "TASK-CREATED") return std::nullopt;
    if (settings.getTick("ENABLE_SCHED_TASK_TICKBOX", 0) != 1) return std::nullopt;
    const auto time = parseRunTime(settings.get("TASK_RUN_TIME_TEXTBOX", "00:00"));
    if (!time) return std::nullopt;
    WeeklyTime task{time->first, time->second, std::nullopt};
    if (settings.getTick("SELECT_ALL_DAYS_TICKBOX", 0) == 1) return task;
    for (int weekday = 0; weekday < 7; ++weekday)
        if (settings.getTick(dayKeys[weekday], 0) == 1) {
            task.weekday = weekday;
            return task;
        }
    return std::nullopt;  // no day: the task never runs
}

UtcOffset localZone(AppContext& app) {
    Environment& environment = app.platform.environment;
    return [&environment](long long moment) { return environment.utcOffsetSeconds(moment); };
}

CatchUp storedCatchUp(AppContext& app, const WeeklyTime& task) {
    const SectionSettings& s = app.settings;
    RunRecord record;
    record.lastStart = storedMoment(s, catch_up_keys::lastRunStart);
    record.since = storedMoment(s, catch_up_keys::since);
    record.lastRunEnded = !outcomeSaysUnderWay(s.get("MULTILOADER_LAST_RUN_TEXTBOX", ""));
    return catchUpFor(task, record, app.platform.environment.secondsSinceEpoch(), localZone(app));
}

}  // namespace syncward
