#pragma once

#include <optional>
#include <string>

namespace syncward {

// A day of the proleptic Gregorian calendar, without a zone. The weekly
// task works in the user's local days; these convert between such days
// and a running day count without any system call, so the rules that use
// them run the same everywhere and on virtual time.
struct CivilDate {
    int year = 1970;
    int month = 1;  // 1 to 12
    int day = 1;    // 1 to 31
    bool operator==(const CivilDate&) const = default;
};

// Days since 1970-01-01 and back.
long long daysFromCivil(const CivilDate& date);
CivilDate civilFromDays(long long days);
// As cron counts them: 0 Sunday to 6 Saturday.
int weekdayOf(long long days);

// A moment (seconds since 1970, UTC) as "2026-07-12T02:30:00Z" and back;
// anything else reads as nothing.
std::string isoUtcText(long long seconds);
std::optional<long long> parseIsoUtc(const std::string& text);

// Whole days below a moment, rounding towards the past.
long long floorDiv(long long value, long long divisor);

}  // namespace syncward
