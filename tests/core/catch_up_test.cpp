#include <gtest/gtest.h>

#include "core/scheduler/catch_up.h"
#include "core/time/civil_date.h"

namespace syncward::testing {
namespace {

long long utc(const std::string& iso) { return *parseIsoUtc(iso); }

const UtcOffset utcZone = [](long long) { return 0; };

long long lastSundayOf(int year, int month) {
    long long d = daysFromCivil({month == 12 ? year + 1 : year, month == 12 ? 1 : month + 1, 1}) - 1;
    while (weekdayOf(d) != 0) --d;
    return d;
}

// Central European time: one hour ahead of UTC, two in summer; the clocks
// change at 01:00 UTC on the last Sundays of March and October.
const UtcOffset berlin = [](long long t) {
    const int year = civilFromDays(floorDiv(t, 86400)).year;
    const long long summerFrom = lastSundayOf(year, 3) * 86400 + 3600;
    const long long summerUntil = lastSundayOf(year, 10) * 86400 + 3600;
    return t >= summerFrom && t < summerUntil ? 7200 : 3600;
};

const WeeklyTime sunday0230{2, 30, 0};

RunRecord startedAt(const std::string& iso) { return {utc(iso), true, std::nullopt}; }

TEST(CatchUpRule, AMissedSundayIsCaughtUpOnceAndOnlyAfterItsTime) {
    const RunRecord record = startedAt("2026-07-05T02:30:12Z");  // last Sunday's run
    const CatchUp before = catchUpFor(sunday0230, record, utc("2026-07-12T02:29:59Z"), utcZone);
    EXPECT_FALSE(before.missed);
    EXPECT_EQ(before.nextDue, utc("2026-07-12T02:30:00Z"));

    const CatchUp monday = catchUpFor(sunday0230, record, utc("2026-07-13T08:00:00Z"), utcZone);
    EXPECT_TRUE(monday.missed);
    EXPECT_EQ(monday.lastScheduled, utc("2026-07-12T02:30:00Z"));
    EXPECT_EQ(monday.nextDue, utc("2026-07-19T02:30:00Z"));

    // The catch-up run's own start covers it: the next start finds nothing.
    EXPECT_FALSE(catchUpFor(sunday0230, startedAt("2026-07-13T08:00:11Z"), utc("2026-07-13T19:00:00Z"), utcZone)
                     .missed);
}

TEST(CatchUpRule, ThreeWeeksOffAndARunByHandAfterTheMissedTime) {
    const CatchUp weeksLater =
        catchUpFor(sunday0230, startedAt("2026-06-14T02:30:10Z"), utc("2026-07-08T09:00:00Z"), utcZone);
    EXPECT_TRUE(weeksLater.missed);
    EXPECT_EQ(weeksLater.lastScheduled, utc("2026-07-05T02:30:00Z"));  // one run, for the latest

    EXPECT_FALSE(catchUpFor(sunday0230, startedAt("2026-07-12T10:00:00Z"), utc("2026-07-13T08:00:00Z"), utcZone)
                     .missed);
}

TEST(CatchUpRule, EveryDayAndADayChangeAtLocalMidnight) {
    const WeeklyTime daily{2, 30, std::nullopt};
    const RunRecord yesterday = startedAt("2026-07-12T02:30:11Z");
    EXPECT_FALSE(catchUpFor(daily, yesterday, utc("2026-07-13T02:29:00Z"), utcZone).missed);
    const CatchUp late = catchUpFor(daily, yesterday, utc("2026-07-13T02:31:00Z"), utcZone);
    EXPECT_TRUE(late.missed);
    EXPECT_EQ(late.nextDue, utc("2026-07-14T02:30:00Z"));

    // Sunday 00:00 in Berlin's summer is Saturday 22:00 UTC: the local day
    // decides, not the UTC one.
    const WeeklyTime sundayMidnight{0, 0, 0};
    const RunRecord lastWeek = startedAt("2026-07-04T22:00:09Z");
    EXPECT_FALSE(catchUpFor(sundayMidnight, lastWeek, utc("2026-07-11T21:59:59Z"), berlin).missed);
    const CatchUp justAfter = catchUpFor(sundayMidnight, lastWeek, utc("2026-07-11T22:00:00Z"), berlin);
    EXPECT_TRUE(justAfter.missed);
    EXPECT_EQ(localMomentText(*justAfter.lastScheduled, berlin), "SUN 2026-07-12 00:00");
    EXPECT_EQ(localMomentText(*justAfter.nextDue, berlin), "SUN 2026-07-19 00:00");
}

TEST(CatchUpRule, AClockSetBackNeverCausesARun) {
    // The last start lies ahead of the clock: everything before it counts as run.
    const CatchUp backwards =
        catchUpFor(sunday0230, startedAt("2026-07-20T09:00:00Z"), utc("2026-07-13T08:00:00Z"), utcZone);
    EXPECT_FALSE(backwards.missed);
    EXPECT_EQ(backwards.nextDue, utc("2026-07-19T02:30:00Z"));
}

TEST(CatchUpRule, DaylightSavingChangesOfTheLocalZone) {
    // Spring: 02:30 does not happen on 29 March; cron starts the job when
    // the clock jumps from 02:00 to 03:00 (01:00 UTC).
    const RunRecord march22 = startedAt("2026-03-22T01:30:10Z");
    EXPECT_EQ(scheduledMoment(daysFromCivil({2026, 3, 29}), 2, 30, berlin), utc("2026-03-29T01:00:00Z"));
    EXPECT_FALSE(catchUpFor(sunday0230, march22, utc("2026-03-29T00:59:59Z"), berlin).missed);
    const CatchUp spring = catchUpFor(sunday0230, march22, utc("2026-03-29T01:00:00Z"), berlin);
    EXPECT_TRUE(spring.missed);
    EXPECT_EQ(localMomentText(*spring.lastScheduled, berlin), "SUN 2026-03-29 03:00");
    EXPECT_EQ(localMomentText(*spring.nextDue, berlin), "SUN 2026-04-05 02:30");

    // Autumn: 02:30 happens twice on 25 October; the first one is the
    // start, and a run then covers the second.
    EXPECT_EQ(scheduledMoment(daysFromCivil({2026, 10, 25}), 2, 30, berlin), utc("2026-10-25T00:30:00Z"));
    const RunRecord october18 = startedAt("2026-10-18T00:30:10Z");
    EXPECT_TRUE(catchUpFor(sunday0230, october18, utc("2026-10-25T00:31:00Z"), berlin).missed);
    EXPECT_FALSE(
        catchUpFor(sunday0230, startedAt("2026-10-25T00:30:12Z"), utc("2026-10-25T01:45:00Z"), berlin).missed);

    // A daily task the week the clocks change: always its local time.
    const WeeklyTime daily{2, 30, std::nullopt};
    EXPECT_EQ(catchUpFor(daily, march22, utc("2026-03-30T12:00:00Z"), berlin).nextDue, utc("2026-03-31T00:30:00Z"));
    EXPECT_EQ(catchUpFor(daily, march22, utc("2026-10-25T12:00:00Z"), berlin).nextDue, utc("2026-10-26T01:30:00Z"));
}

TEST(CatchUpRule, ARunThatNeverEndedCoversNothingAndNoRecordCausesNoRun) {
    RunRecord interrupted{utc("2026-07-12T02:30:12Z"), false, utc("2026-06-01T10:00:00Z")};
    EXPECT_TRUE(catchUpFor(sunday0230, interrupted, utc("2026-07-12T09:00:00Z"), utcZone).missed);
    interrupted.since.reset();
    EXPECT_FALSE(catchUpFor(sunday0230, interrupted, utc("2026-07-12T09:00:00Z"), utcZone).missed);
    // The next Sunday passed after that interrupted start: it is owed.
    EXPECT_TRUE(catchUpFor(sunday0230, interrupted, utc("2026-07-19T09:00:00Z"), utcZone).missed);
    EXPECT_FALSE(catchUpFor(sunday0230, RunRecord{}, utc("2026-07-12T09:00:00Z"), utcZone).missed);

    // Set up after the last scheduled time: that one was never promised.
    const RunRecord setUpMonday{utc("2026-06-01T02:30:00Z"), true, utc("2026-07-13T10:00:00Z")};
    EXPECT_FALSE(catchUpFor(sunday0230, setUpMonday, utc("2026-07-14T09:00:00Z"), utcZone).missed);
    EXPECT_TRUE(catchUpFor(sunday0230, setUpMonday, utc("2026-07-19T09:00:00Z"), utcZone).missed);
}

TEST(CivilDate, MomentsAsStoredTextAndBack) {
    EXPECT_EQ(isoUtcText(0), "1970-01-01T00:00:00Z");
    EXPECT_EQ(isoUtcText(utc("2028-02-29T23:59:59Z") + 1), "2028-03-01T00:00:00Z");
    EXPECT_EQ(isoUtcText(-1), "1969-12-31T23:59:59Z");
    EXPECT_EQ(weekdayOf(daysFromCivil({2026, 7, 12})), 0);  // a Sunday
    for (const char* bad : {"", "2026-02-29T10:00:00Z", "2026-07-12 02:30:00Z", "2026-07-12T24:00:00Z",
                            "1800000000", "2026-13-01T00:00:00Z"})
        EXPECT_FALSE(parseIsoUtc(bad)) << bad;
}

}  // namespace
}  // namespace syncward::testing
