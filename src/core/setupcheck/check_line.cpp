#include "core/setupcheck/check_line.h"

#include <algorithm>

namespace syncward {

std::string plainText(const CheckLine& line) {
    const char* word = line.level == CheckLevel::Fine ? "GREEN   " : line.level == CheckLevel::Doubtful ? "YELLOW  " : "RED     ";
    return word + line.found + (line.fix.empty() ? "" : " - " + line.fix);
}

bool anyFailing(const CheckLines& lines) { return countOf(lines, CheckLevel::Failing) > 0; }

int countOf(const CheckLines& lines, CheckLevel level) {
    return static_cast<int>(std::count_if(lines.begin(), lines.end(), [level](const CheckLine& l) { return l.level == level; }));
}

}  // namespace syncward
