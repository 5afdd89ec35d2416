#include "core/blockcounter/reading.h"

namespace syncward {

bool isBlockCountReading(const std::string& reading, const std::string& lineEnd) {
    if (lineEnd.empty() || !reading.ends_with(lineEnd)) return false;
    const std::string digits = reading.substr(0, reading.size() - lineEnd.size());
    // Eighteen digits keep any real height far from the end of the number range.
    return !digits.empty() && digits.size() <= 18 && digits.find_first_not_of("0123456789") == std::string::npos;
}

}  // namespace syncward
