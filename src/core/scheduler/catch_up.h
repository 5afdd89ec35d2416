#pragma once

#include <functional>
#include <optional>
#include <string>

namespace syncward {

// When the weekly task starts the program: a local time of day on one
// week day (cron's 0 Sunday to 6 Saturday) or on every day.
struct WeeklyTime {
    int hour = 0;
    int minute = 0;
    std::optional<int> weekday;  // none: every day
};

// The local zone: how far it is ahead of UTC at a moment, in seconds.
using UtcOffset = std::function<int(long long secondsSinceEpoch)>;

// What the program remembers of its runs, as moments (seconds since 1970).
struct RunRecord {
    std::optional<long long> lastStart;  // the last run's start, however it was started
    bool lastRunEnded = true;            // false: it never reached an end (the machine went off)
    std::optional<long long> since;      // when catching up was set up
};

struct CatchUp {
    std::optional<long long> lastScheduled;  // the latest scheduled start at or before now
    std::optional<long long> nextDue;        // the first scheduled start after now
    bool missed = false;                     // the latest scheduled start has no run
};

// A scheduled start was missed when it lies after the last run's start (or,
// where no run is known, after catching up was set up) and not after now.
// Only the latest counts: a machine that was off for weeks runs once. A
// last start that lies ahead of now (the clock was set back) covers every
// scheduled start before it, so a wrong clock never causes a run. A run
// that never ended covers nothing.
CatchUp catchUpFor(const WeeklyTime& task, const RunRecord& record, long long now, const UtcOffset& offset);

// The moment a local wall time happens on a local day (days since
// 1970-01-01), as cron starts it: a time that happens twice (the clock went
// back) at its first occurrence; a time that does not happen (the clock
// went forward) when the clock jumps past it.
long long scheduledMoment(long long localDay, int hour, int minute, const UtcOffset& offset);

// "SUN 2026-07-19 02:30" in local time.
std::string localMomentText(long long moment, const UtcOffset& offset);

}  // namespace syncward
