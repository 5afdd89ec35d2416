#include "core/scheduler/crontab_table.h"

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

std::string tag(const std::string& taskName) { return " # " + taskName; }

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

bool isTaskLine(const std::string& line, const std::string& taskName) { return body(line).ends_with(tag(taskName)); }

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
