#pragma once

#include <optional>
#include <string>

namespace syncward {

// A moment as local time with the zone's offset, "2026-07-12T02:30:00+02:00",
// so a record keeps the wall clock its reader saw and still orders runs
// across a change of zone or of daylight saving.
std::string isoLocalText(long long utcSeconds, int offsetSeconds);
// Back to seconds since 1970 (UTC); a "Z" reads as offset zero. Anything
// else reads as nothing.
std::optional<long long> parseIsoLocal(const std::string& text);

}  // namespace syncward
