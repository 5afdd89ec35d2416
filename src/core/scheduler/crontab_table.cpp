#include "core/scheduler/crontab_table.h"

#include <algorithm>
#include <string_view>

namespace syncward::crontab_table {

namespace {

// Single quotes pass every byte literally to /bin/sh except the quote
// itself; cron itself turns an unescaped "%" into a line break.
std::string shellQuoted(const std::string& value) {
    std::string out = "'";
    for (char c : value) {
        if (c == '\'')
            out += "'\\''";
        else if (c == '%')
            out += "\\%";
        else
            out += c;
    }
    return out + "'";
}

// The tag is a comment to the shell, but cron reads the whole command for
// "%" first: the tag's own are escaped as well.
std::string tag(const std::string& taskName) {
    std::string out = " # ";
    for (char c : taskName) out += c == '%' ? std::string("\\%") : std::string(1, c);
    return out;
}

bool isValidUtf8(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t extra = 0;
        unsigned int codePoint = 0;
        if (lead < 0x80) {
            ++i;
            continue;
        }
        if (lead >= 0xC2 && lead <= 0xDF) {
            extra = 1;
            codePoint = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            extra = 2;
            codePoint = lead & 0x0F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            extra = 3;
            codePoint = lead & 0x07;
        } else {
            return false;
        }
        if (i + extra >= text.size()) return false;
        for (std::size_t k = 1; k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) return false;
            codePoint = (codePoint << 6) | (next & 0x3F);
        }
        // Overlong forms, UTF-16 surrogates and values past U+10FFFF.
        if ((extra == 2 && codePoint < 0x800) || (extra == 3 && (codePoint < 0x10000 || codePoint > 0x10FFFF)) ||
            (codePoint >= 0xD800 && codePoint <= 0xDFFF))
            return false;
        i += extra + 1;
    }
    return true;
}

// Why cron cannot carry the text exactly; empty when it can.
std::string uncarried(const std::string& text) {
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) return "HOLDS A LINE BREAK OR A CONTROL CHARACTER";
    }
    if (!isValidUtf8(text)) return "IS NOT VALID UTF-8";
    if (text.find("\xEF\xBF\xBD") != std::string::npos) return "HOLDS U+FFFD (A NAME THE SYSTEM COULD NOT CONVERT)";
    if (text.find("\\%") != std::string::npos) return "HOLDS \"\\%\", WHICH CRON CANNOT PASS ON";
    return {};
}

std::vector<std::string> splitLines(const std::string& table) {
    std::vector<std::string> lines;
    std::size_t from = 0;
    while (from < table.size()) {
        const std::size_t end = table.find('\n', from);
        if (end == std::string::npos) {
            lines.push_back(table.substr(from));
            break;
        }
        lines.push_back(table.substr(from, end - from + 1));  // with its line break
        from = end + 1;
    }
    return lines;
}

std::string body(const std::string& line) {
    std::string text = line;
    if (!text.empty() && text.back() == '\n') text.pop_back();
    return text;
}

// The line's comment as /bin/sh finds it: from the first "#" that starts
// a word outside quotes to the end; empty when it has none. A disabled
// line's own leading "#"s are not part of it. Another copy's name may hold
// a whole tag ("X # SYNCWARD - LTC1"), but inside its quoted path and its
// own tag, never as the start of the comment.
std::string_view commentOf(std::string_view line) {
    line.remove_prefix(std::min(line.find_first_not_of('#'), line.size()));
    char quote = 0;
    bool wordStart = true;  // after a blank that is neither quoted nor escaped
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quote == '\'') {
            if (c == '\'') quote = 0;
        } else if (c == '\\') {
            ++i;  // the next character stands for itself, in double quotes too
        } else if (quote == '"') {
            if (c == '"') quote = 0;
        } else if (c == '\'' || c == '"') {
            quote = c;
        } else if (c == '#' && wordStart) {
            return line.substr(i);
        }
        wordStart = !quote && (c == ' ' || c == '\t');
    }
    return {};
}

// This task's line carries exactly its tag as its comment; blanks before
// the "#" do not matter.
bool isTaskLine(const std::string& line, const std::string& taskName) {
    return commentOf(body(line)) == std::string_view(tag(taskName)).substr(1);
}

bool isDisabled(const std::string& line) { return line.starts_with("#"); }

bool isCatchUpLine(const std::string& line, const std::string& taskName) {
    return isTaskLine(line, taskName) && line.substr(line.find_first_not_of('#')).starts_with("@reboot ");
}

// Joins lines, giving a last line without a line break one first, since
// cron ignores a last line that does not end in one.
std::string joined(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& line : lines) {
        if (!out.empty() && out.back() != '\n') out += '\n';
        out += line;
    }
    return out;
}

}  // namespace

std::string line(const Start& start, const std::string& programPath,
                 const std::vector<std::pair<std::string, std::string>>& environment, const std::string& taskName) {
    std::string out = std::to_string(start.minute) + " " + std::to_string(start.hour) + " * * " +
                      (start.weekday ? std::to_string(*start.weekday) : "*") + " ";
    for (const auto& [name, value] : environment) out += name + "=" + shellQuoted(value) + " ";
    return out + shellQuoted(programPath) + tag(taskName);
}

std::string catchUpLine(const std::string& programPath, const std::string& taskName) {
    return "@reboot " + shellQuoted(programPath) + " --catch-up" + tag(taskName);
}

bool hasCatchUpLine(const std::string& table, const std::string& taskName) {
    for (const std::string& line : splitLines(table))
        if (isCatchUpLine(line, taskName)) return true;
    return false;
}

std::string nameRefusal(const std::string& taskName) {
    const std::string why = uncarried(taskName);
    return why.empty() ? why : "THE TASK NAME " + why;
}

std::string refusal(const std::string& programPath,
                    const std::vector<std::pair<std::string, std::string>>& environment, const std::string& taskName) {
    if (std::string why = uncarried(programPath); !why.empty()) return "THE PROGRAM PATH " + why;
    for (const auto& [name, value] : environment)
        if (std::string why = uncarried(name + value); !why.empty()) return "THE VARIABLE " + name + " " + why;
    return nameRefusal(taskName);
}

State stateOf(const std::string& table, const std::string& taskName) {
    for (const std::string& line : splitLines(table))
        if (isTaskLine(line, taskName) && !isCatchUpLine(line, taskName)) return isDisabled(line) ? State::Disabled : State::Enabled;
    return State::Absent;
}

std::string withLine(const std::string& table, const std::string& taskName, const std::string& taskLine) {
    std::vector<std::string> kept;
    for (const std::string& line : splitLines(table))
        if (!isTaskLine(line, taskName)) kept.push_back(line);
    kept.push_back(taskLine + "\n");
    return joined(kept);
}

std::string withEnabled(const std::string& table, const std::string& taskName, bool enabled) {
    std::vector<std::string> lines = splitLines(table);
    for (std::string& line : lines) {
        if (!isTaskLine(line, taskName)) continue;
        if (enabled) {
            while (isDisabled(line)) line.erase(0, 1);
        } else if (!isDisabled(line)) {
            line.insert(0, "#");
        }
    }
    return joined(lines);
}

std::string without(const std::string& table, const std::string& taskName) {
    std::vector<std::string> kept;
    for (const std::string& line : splitLines(table))
        if (!isTaskLine(line, taskName)) kept.push_back(line);
    return joined(kept);
}

std::string withCatchUpLine(const std::string& table, const std::string& taskName, const std::string& catchUp) {
    std::vector<std::string> kept;
    for (const std::string& line : splitLines(table))
        if (!isCatchUpLine(line, taskName)) kept.push_back(line);
    if (!catchUp.empty())
        kept.push_back((stateOf(table, taskName) == State::Disabled ? "#" : "") + catchUp + "\n");
    return joined(kept);
}

}  // namespace syncward::crontab_table
