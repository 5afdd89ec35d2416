#include "core/scheduler/catch_up.h"

#include <algorithm>
#include <cstdio>

#include "core/time/civil_date.h"

namespace syncward {

namespace {

constexpr long long day = 86400;
constexpr const char* weekdayNames[] = {"SUN", "MON", "TUE", "WED", "THU", "FRI", "SAT"};

long long localDayOf(long long moment, const UtcOffset& offset) { return floorDiv(moment + offset(moment), day); }

bool scheduledOn(const WeeklyTime& task, long long localDay) {
    return !task.weekday || weekdayOf(localDay) == *task.weekday;
}

// The first moment in (from, to] whose offset differs from the one at from.
long long firstMomentAfterChange(long long from, long long to, const UtcOffset& offset) {
    const int before = offset(from);
    while (to - from > 1) {
        const long long middle = from + (to - from) / 2;
        if (offset(middle) == before)
            from = middle;
        else
            to = middle;
    }
    return to;
}

}  // namespace

long long scheduledMoment(long long localDay, int hour, int minute, const UtcOffset& offset) {
    const long long wall = localDay * day + hour * 3600LL + minute * 60LL;
    // A zone is never more than a day from UTC, so the offsets a day either
    // side are the ones in force before and after any change near the time.
    const int earlier = offset(wall - day);
    const int later = offset(wall + day);
    std::optional<long long> first;
    for (const int candidate : {earlier, later}) {
        const long long moment = wall - candidate;
        if (offset(moment) == candidate) first = first ? std::min(*first, moment) : moment;
    }
    if (first) return *first;
    // The wall time fell into the hour the clock skipped.
    const long long lo = std::min(wall - earlier, wall - later);
    const long long hi = std::max(wall - earlier, wall - later);
    return firstMomentAfterChange(lo, hi, offset);
}

CatchUp catchUpFor(const WeeklyTime& task, const RunRecord& record, long long now, const UtcOffset& offset) {
    CatchUp result;
    const long long today = localDayOf(now, offset);
    for (long long d = today; d >= today - 8 && !result.lastScheduled; --d) {
        if (!scheduledOn(task, d)) continue;
        const long long moment = scheduledMoment(d, task.hour, task.minute, offset);
        if (moment <= now) result.lastScheduled = moment;
    }
    for (long long d = today; d <= today + 8 && !result.nextDue; ++d) {
        if (!scheduledOn(task, d)) continue;
        const long long moment = scheduledMoment(d, task.hour, task.minute, offset);
        if (moment > now) result.nextDue = moment;
    }

    std::optional<long long> covered = record.since;
    if (record.lastStart && record.lastRunEnded)
        covered = covered ? std::max(*covered, *record.lastStart) : *record.lastStart;
    // A run that never ended covers nothing, but its start shows the copy
    // was in use from then: a scheduled time after it is owed, even where
    // no other record says since when (an earlier version's copy).
    else if (record.lastStart && !covered)
        covered = *record.lastStart;
    result.missed = result.lastScheduled && covered && *result.lastScheduled > *covered;
    return result;
}

std::string localMomentText(long long moment, const UtcOffset& offset) {
    const long long local = moment + offset(moment);
    const long long localDay = floorDiv(local, day);
    const long long inDay = local - localDay * day;
    const CivilDate date = civilFromDays(localDay);
    char text[40];
    std::snprintf(text, sizeof text, "%s %04d-%02d-%02d %02d:%02d", weekdayNames[weekdayOf(localDay)], date.year,
                  date.month, date.day, static_cast<int>(inDay / 3600), static_cast<int>(inDay / 60 % 60));
    return text;
}

}  // namespace syncward
