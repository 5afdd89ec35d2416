#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace syncward {

inline constexpr long long secondsPerDay = 24 * 60 * 60;

// Durations are typed as a time of day, "hh:mm:ss" (one or two digits a
// field, hours below 24, blanks around the text ignored). Anything else is
// not a time, and callers refuse to start a countdown from it.
std::optional<long long> parseTimeOfDay(std::string_view text);
bool isTimeOfDay(std::string_view text);
// A countdown's interval: a time of day above zero ("00:00:00" would fire
// on every tick).
std::optional<long long> parseInterval(std::string_view text);

// "hh:mm:ss", two digits each. A countdown that has run past zero shows the
// overdue time with a leading minus ("-00:00:05"), so it can never read
// "00:00:00" again by accident.
std::string formatHms(long long seconds);

// Run time: the elapsed seconds modulo one day, as "hh:mm:ss".
std::string formatClock(long long elapsedSeconds);

// The autostart and autoclose boxes show only the seconds field of the
// remaining time: two digits of |r| mod 60.
std::string formatSecondsField(long long remainingSeconds);

}  // namespace syncward
