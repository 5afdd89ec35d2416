#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/platform/environment.h"

namespace syncward {

// A number pattern in the "###,##0.###" style: "#" an optional digit, "0" a
// required digit, "," in the integer part groups thousands, "." the decimal
// point. Grouping signs after the decimal point are ignored: the fraction is
// written as plain digits, because a thousands sign among fractional digits
// reads as a second decimal point in half the world's locales.
struct NumberPattern {
    bool grouped = false;
    int minIntegerDigits = 0;
    int fractionDigits = 0;     // "#" and "0" after the point: where rounding happens
    int minFractionDigits = 0;  // "0" after the point: never dropped

    static NumberPattern parse(std::string_view pattern);
};

// Formats value / 10^decimalShift exactly, rounded half up to the pattern's
// fractional positions. Optional fractional digits that are zero are
// dropped, and a point with no digit after it is dropped too ("1", not "1.").
std::string formatDecimal(std::uint64_t value, int decimalShift, const NumberPattern& pattern,
                          const NumberSeparators& separators);

}  // namespace syncward
