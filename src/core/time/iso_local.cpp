#include "core/time/iso_local.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>

#include "core/time/civil_date.h"

namespace syncward {

std::string isoLocalText(long long utcSeconds, int offsetSeconds) {
    std::string text = isoUtcText(utcSeconds + offsetSeconds);
    text.pop_back();  // the "Z"
    const int minutes = std::abs(offsetSeconds) / 60;
    char zone[8];
    std::snprintf(zone, sizeof zone, "%c%02d:%02d", offsetSeconds < 0 ? '-' : '+', minutes / 60 % 100, minutes % 60);
    return text + zone;
}

std::optional<long long> parseIsoLocal(const std::string& text) {
    constexpr std::size_t clockLength = 19;  // "YYYY-MM-DDTHH:MM:SS"
    if (text.size() < clockLength) return std::nullopt;
    const auto wallClock = parseIsoUtc(text.substr(0, clockLength) + "Z");
    if (!wallClock) return std::nullopt;
    const std::string zone = text.substr(clockLength);
    if (zone == "Z") return *wallClock;
    // "+hh:mm" or "-hh:mm"
    if (zone.size() != 6 || (zone[0] != '+' && zone[0] != '-') || zone[3] != ':') return std::nullopt;
    for (const std::size_t i : {1u, 2u, 4u, 5u})
        if (!std::isdigit(static_cast<unsigned char>(zone[i]))) return std::nullopt;
    const int hours = (zone[1] - '0') * 10 + (zone[2] - '0');
    const int minutes = (zone[4] - '0') * 10 + (zone[5] - '0');
    if (hours > 23 || minutes > 59) return std::nullopt;
    const long long offset = (hours * 60LL + minutes) * 60 * (zone[0] == '-' ? -1 : 1);
    return *wallClock - offset;
}

}  // namespace syncward
