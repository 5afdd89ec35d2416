#include "core/setupcheck/check_line.h"

#include <algorithm>

namespace syncward {

namespace {

// What was found quotes files the user wrote (a .conf line, a path): its
// control characters are shown, not sent, so that an escape sequence in a
// file cannot rewrite the terminal the check is read on.
std::string shownControls(const std::string& text) {
    static constexpr char hex[] = "0123456789ABCDEF";
    std::string shown;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F)
            shown += std::string("\\x") + hex[byte >> 4] + hex[byte & 0xF];
        else
            shown += c;
    }
    return shown;
}

}  // namespace

std::string plainText(const CheckLine& line) {
    const char* word = line.level == CheckLevel::Fine ? "GREEN   " : line.level == CheckLevel::Doubtful ? "YELLOW  " : "RED     ";
    return word + shownControls(line.found) + (line.fix.empty() ? "" : " - " + line.fix);
}

bool anyFailing(const CheckLines& lines) { return countOf(lines, CheckLevel::Failing) > 0; }

int countOf(const CheckLines& lines, CheckLevel level) {
    return static_cast<int>(std::count_if(lines.begin(), lines.end(), [level](const CheckLine& l) { return l.level == level; }));
}

}  // namespace syncward
