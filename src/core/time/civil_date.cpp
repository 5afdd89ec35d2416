#include "core/time/civil_date.h"

#include <cctype>
#include <cstdio>

namespace syncward {

long long floorDiv(long long value, long long divisor) {
    const long long q = value / divisor;
    return (value % divisor != 0 && (value < 0) != (divisor < 0)) ? q - 1 : q;
}

// The well-known era arithmetic: 400-year eras of 146097 days, years
// counted from March so that the leap day falls last.
long long daysFromCivil(const CivilDate& date) {
    const long long y = date.year - (date.month <= 2 ? 1 : 0);
    const long long era = floorDiv(y, 400);
    const long long yearOfEra = y - era * 400;
    const long long monthFromMarch = (date.month + 9) % 12;
    const long long dayOfYear = (153 * monthFromMarch + 2) / 5 + date.day - 1;
    const long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

CivilDate civilFromDays(long long days) {
    days += 719468;
    const long long era = floorDiv(days, 146097);
    const long long dayOfEra = days - era * 146097;
    const long long yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const long long monthFromMarch = (5 * dayOfYear + 2) / 153;
    const int day = static_cast<int>(dayOfYear - (153 * monthFromMarch + 2) / 5 + 1);
    const int month = static_cast<int>(monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9);
    const long long year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
    return {static_cast<int>(year), month, day};
}

int weekdayOf(long long days) { return static_cast<int>(((days % 7) + 11) % 7); }  // 1970-01-01 was a Thursday

std::string isoUtcText(long long seconds) {
    const long long days = floorDiv(seconds, 86400);
    const long long inDay = seconds - days * 86400;
    const CivilDate date = civilFromDays(days);
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02dZ", date.year, date.month, date.day,
                  static_cast<int>(inDay / 3600), static_cast<int>(inDay / 60 % 60), static_cast<int>(inDay % 60));
    return text;
}

std::optional<long long> parseIsoUtc(const std::string& text) {
    // "YYYY-MM-DDTHH:MM:SSZ": digits where the pattern has "9".
    static const std::string pattern = "9999-99-99T99:99:99Z";
    if (text.size() != pattern.size()) return std::nullopt;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool digit = std::isdigit(static_cast<unsigned char>(text[i])) != 0;
        if (pattern[i] == '9' ? !digit : text[i] != pattern[i]) return std::nullopt;
    }
    const auto number = [&](std::size_t from, std::size_t length) { return std::stoi(text.substr(from, length)); };
    const CivilDate date{number(0, 4), number(5, 2), number(8, 2)};
    const int hour = number(11, 2), minute = number(14, 2), second = number(17, 2);
    if (date.month < 1 || date.month > 12 || date.day < 1 || hour > 23 || minute > 59 || second > 59)
        return std::nullopt;
    const long long days = daysFromCivil(date);
    if (civilFromDays(days) != date) return std::nullopt;  // 31 February and the like
    return days * 86400 + hour * 3600 + minute * 60 + second;
}

}  // namespace syncward
