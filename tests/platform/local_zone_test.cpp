#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

#include "core/scheduler/catch_up.h"
#include "core/time/civil_date.h"
#include "platform/posix/posix_environment.h"

namespace syncward::testing {
namespace {

// The system's own zone rules behind the catch-up rule: the weekly task's
// times are the user's local times, summer time included.
TEST(PosixEnvironment, TheLocalZoneComesFromTheSystemsRulesWithItsClockChanges) {
    if (std::system("test -e /usr/share/zoneinfo/Europe/Berlin") != 0) GTEST_SKIP() << "no tzdata installed";
    const char* before = std::getenv("TZ");
    const std::optional<std::string> saved = before ? std::optional<std::string>(before) : std::nullopt;
    ::setenv("TZ", "Europe/Berlin", 1);
    PosixEnvironment environment("/opt/syncward/LTC1");
    const UtcOffset zone = [&](long long at) { return environment.utcOffsetSeconds(at); };

    EXPECT_EQ(zone(*parseIsoUtc("2026-01-10T12:00:00Z")), 3600);
    EXPECT_EQ(zone(*parseIsoUtc("2026-03-29T00:59:59Z")), 3600);
    EXPECT_EQ(zone(*parseIsoUtc("2026-03-29T01:00:00Z")), 7200);
    // Sunday 02:30 does not happen that night: cron starts it at 03:00.
    EXPECT_EQ(scheduledMoment(daysFromCivil({2026, 3, 29}), 2, 30, zone), *parseIsoUtc("2026-03-29T01:00:00Z"));
    EXPECT_EQ(localMomentText(*parseIsoUtc("2026-10-25T00:30:00Z"), zone), "SUN 2026-10-25 02:30");

    ::setenv("TZ", "UTC", 1);
    EXPECT_EQ(zone(*parseIsoUtc("2026-07-12T12:00:00Z")), 0);  // a changed zone is seen at once
    if (saved)
        ::setenv("TZ", saved->c_str(), 1);
    else
        ::unsetenv("TZ");
    ::tzset();
}

}  // namespace
}  // namespace syncward::testing
