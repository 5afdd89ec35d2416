#include <gtest/gtest.h>

#include "core/time/clock_text.h"

namespace syncward {
namespace {

TEST(ClockText, ParsesTimesOfDayAndRejectsEverythingElse) {
    EXPECT_EQ(parseTimeOfDay("00:05:00"), 300);
    EXPECT_EQ(parseTimeOfDay("1:02:03"), 3723);
    EXPECT_EQ(parseTimeOfDay(" 23:59:59 "), 86399);
    for (const char* bad : {"", "24:00:00", "00:60:00", "00:00:60", "5", "00:05", "aa:bb:cc", "00:05:00:00",
                            "-1:00:00", "001:00:00", "00:05:0x"})
        EXPECT_FALSE(parseTimeOfDay(bad).has_value()) << bad;
}

TEST(ClockText, FormatsCountdownsRunTimesAndTheSecondsField) {
    EXPECT_EQ(formatHms(300), "00:05:00");
    EXPECT_EQ(formatHms(0), "00:00:00");
    EXPECT_EQ(formatHms(-5), "-00:00:05");  // overdue, never "00:00:00" again
    EXPECT_EQ(formatClock(25 * 3600), "01:00:00");
    EXPECT_EQ(formatClock(86399), "23:59:59");
    EXPECT_EQ(formatSecondsField(11), "11");
    EXPECT_EQ(formatSecondsField(4), "04");
    EXPECT_EQ(formatSecondsField(0), "00");
    EXPECT_EQ(formatSecondsField(-1), "01");
    EXPECT_EQ(formatSecondsField(-60), "00");
    EXPECT_EQ(formatSecondsField(125), "05");
}

}  // namespace
}  // namespace syncward
