#include "core/time/clock_text.h"

#include <cstdio>
#include <cstdlib>

namespace syncward {

namespace {

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

// One field of one or two digits.
std::optional<int> field(std::string_view text) {
    if (text.empty() || text.size() > 2) return std::nullopt;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

std::string twoDigits(long long value) {
    char buffer[24];
    std::snprintf(buffer, sizeof buffer, "%02lld", value);
    return buffer;
}

}  // namespace

std::optional<long long> parseTimeOfDay(std::string_view text) {
    text = trimmed(text);
    const auto firstColon = text.find(':');
    if (firstColon == std::string_view::npos) return std::nullopt;
    const auto secondColon = text.find(':', firstColon + 1);
    if (secondColon == std::string_view::npos) return std::nullopt;
    auto hours = field(text.substr(0, firstColon));
    auto minutes = field(text.substr(firstColon + 1, secondColon - firstColon - 1));
    auto seconds = field(text.substr(secondColon + 1));
    if (!hours || !minutes || !seconds || *hours > 23 || *minutes > 59 || *seconds > 59) return std::nullopt;
    return *hours * 3600LL + *minutes * 60LL + *seconds;
}

bool isTimeOfDay(std::string_view text) { return parseTimeOfDay(text).has_value(); }

std::string formatHms(long long seconds) {
    const bool negative = seconds < 0;
    const long long magnitude = std::llabs(seconds);
    std::string text = twoDigits(magnitude / 3600) + ":" + twoDigits(magnitude / 60 % 60) + ":" + twoDigits(magnitude % 60);
    return negative ? "-" + text : text;
}

std::string formatClock(long long elapsedSeconds) {
    long long inDay = elapsedSeconds % secondsPerDay;
    if (inDay < 0) inDay += secondsPerDay;
    return formatHms(inDay);
}

std::string formatSecondsField(long long remainingSeconds) { return twoDigits(std::llabs(remainingSeconds) % 60); }

std::optional<long long> parseInterval(std::string_view text) {
    const auto seconds = parseTimeOfDay(text);
    if (!seconds || *seconds == 0) return std::nullopt;
    return seconds;
}

}  // namespace syncward
