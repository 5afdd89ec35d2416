#include "core/foldersize/number_pattern.h"

#include <algorithm>

namespace syncward {

namespace {

// Adds one to a string of decimal digits; may grow it by a leading "1".
void incrementDigits(std::string& digits) {
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return;
        }
        *it = '0';
    }
    digits.insert(digits.begin(), '1');
}

std::string grouped(const std::string& digits, const std::string& separator) {
    std::string text;
    const std::size_t count = digits.size();
    for (std::size_t i = 0; i < count; ++i) {
        if (i > 0 && (count - i) % 3 == 0) text += separator;
        text += digits[i];
    }
    return text;
}

}  // namespace

NumberPattern NumberPattern::parse(std::string_view pattern) {
    NumberPattern parsed;
    const auto point = pattern.find('.');
    const std::string_view integer = pattern.substr(0, point);
    const std::string_view fraction = point == std::string_view::npos ? std::string_view{} : pattern.substr(point + 1);
    parsed.grouped = integer.find(',') != std::string_view::npos;
    parsed.minIntegerDigits = static_cast<int>(std::count(integer.begin(), integer.end(), '0'));
    for (char c : fraction) {
        if (c == '#' || c == '0') ++parsed.fractionDigits;
        if (c == '0') parsed.minFractionDigits = parsed.fractionDigits;
    }
    return parsed;
}

std::string formatDecimal(std::uint64_t value, int decimalShift, const NumberPattern& pattern,
                          const NumberSeparators& separators) {
    // The value is its digit string with the point moved left: exact at any
    // size, where dividing a double by 1000 again and again is not.
    std::string digits = std::to_string(value);
    const std::size_t shift = static_cast<std::size_t>(std::max(decimalShift, 0));
    if (digits.size() <= shift) digits.insert(0, shift + 1 - digits.size(), '0');
    std::string integer = digits.substr(0, digits.size() - shift);
    std::string fraction = digits.substr(digits.size() - shift);

    const std::size_t kept = static_cast<std::size_t>(pattern.fractionDigits);
    if (fraction.size() > kept) {
        const bool roundUp = fraction[kept] >= '5';
        fraction.resize(kept);
        if (roundUp) {
            std::string whole = integer + fraction;
            incrementDigits(whole);
            integer = whole.substr(0, whole.size() - kept);
            fraction = whole.substr(whole.size() - kept);
        }
    }
    while (fraction.size() < static_cast<std::size_t>(pattern.minFractionDigits)) fraction += '0';
    while (fraction.size() > static_cast<std::size_t>(pattern.minFractionDigits) && fraction.back() == '0')
        fraction.pop_back();

    const std::size_t minInteger = static_cast<std::size_t>(pattern.minIntegerDigits);
    const std::size_t firstSignificant = integer.find_first_not_of('0');
    integer.erase(0, std::min(firstSignificant == std::string::npos ? integer.size() : firstSignificant,
                              integer.size() > minInteger ? integer.size() - minInteger : 0));
    while (integer.size() < minInteger) integer.insert(integer.begin(), '0');

    std::string text = pattern.grouped ? grouped(integer, separators.group) : integer;
    if (!fraction.empty()) text += separators.decimal + fraction;
    return text;
}

}  // namespace syncward
