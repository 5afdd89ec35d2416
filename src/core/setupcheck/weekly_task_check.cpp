#include <algorithm>
#include <cctype>

#include "core/scheduler/crontab_table.h"
#include "core/setupcheck/setup_check_texts.h"
#include "core/setupcheck/setup_checks.h"

namespace syncward {

namespace texts = setup_check_texts;

namespace {

// The words of a crontab line as /bin/sh reads them, up to its comment;
// cron's "\%" is a plain "%".
std::vector<std::string> shellWords(const std::string& line) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false, quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted) {
            if (c == '\'')
                quoted = false;
            else if (c == '\\' && i + 1 < line.size() && line[i + 1] == '%')
                word += line[++i];
            else
                word += c;
        } else if (c == '\'') {
            quoted = inWord = true;
        } else if (c == '\\' && i + 1 < line.size()) {
            word += line[++i];
            inWord = true;
        } else if (c == ' ' || c == '\t') {
            if (inWord) words.push_back(word);
            word.clear();
            inWord = false;
        } else if (c == '#' && !inWord) {
            break;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord) words.push_back(word);
    return words;
}

bool isAssignment(const std::string& word) {
    const auto equals = word.find('=');
    if (equals == std::string::npos || equals == 0) return false;
    for (std::size_t i = 0; i < equals; ++i)
        if (!std::isalnum(static_cast<unsigned char>(word[i])) && word[i] != '_') return false;
    return true;
}

// The enabled weekly line of the task: the timed one, not the boot line.
std::optional<std::string> weeklyLine(const std::string& table, const std::string& taskName) {
    std::size_t start = 0;
    while (start < table.size()) {
        const std::size_t end = std::min(table.find('\n', start), table.size());
        std::string line = table.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line.front() == '#' || line.front() == '@') continue;
        if (line.ends_with("# " + taskName)) return line;
    }
    return std::nullopt;
}

void checkLine(const std::string& line, Platform& platform, CheckLines& out) {
    const std::vector<std::string> words = shellWords(line);
    std::size_t at = 5;  // after the five time fields
    std::string display;
    for (; at < words.size() && isAssignment(words[at]); ++at)
        if (words[at].starts_with("DISPLAY=")) display = words[at].substr(8);
    if (at >= words.size() || !platform.setupProbe.path(words[at]).executable) {
        out.push_back({CheckLevel::Failing,
                       "THE WEEKLY LINE STARTS " + (at < words.size() ? words[at] : std::string("NOTHING")) +
                           ", WHICH IS NOT A PROGRAM",
                       texts::fixTaskProgram});
        return;
    }
    out.push_back({CheckLevel::Fine, "WEEKLY TASK ENABLED: " + words[at], {}});
    // A local X display (":0", ":1.0") has its socket; other displays cannot be told from here.
    if (display.size() > 1 && display.front() == ':') {
        const std::string number = display.substr(1, display.find('.') - 1);
        if (!platform.setupProbe.path("/tmp/.X11-unix/X" + number).exists)
            out.push_back({CheckLevel::Doubtful, "THE WEEKLY LINE NAMES THE DISPLAY " + display + ", NOT OPEN NOW",
                           texts::fixDisplayGone});
    }
}

}  // namespace

void checkWeeklyTask(const SetupFacts& facts, Platform& platform, CheckLines& out) {
    if (platform.profile.flavour() != PlatformProfile::Flavour::Posix) return;  // SchTasks is asked by its window
    const Crontab::Read read = platform.crontab.read();
    if (read.outcome == Crontab::Read::Outcome::Failed) {
        out.push_back({CheckLevel::Doubtful, std::string(texts::crontabUnreadable) + ": " + read.error, {}});
        return;
    }
    const std::string table = read.outcome == Crontab::Read::Outcome::Read ? read.text : std::string();
    const crontab_table::State state = crontab_table::stateOf(table, facts.taskName);
    if (!facts.taskWanted) {
        if (state == crontab_table::State::Enabled)
            out.push_back({CheckLevel::Doubtful, texts::taskUnwanted, texts::fixTaskUnwanted});
        else
            out.push_back({CheckLevel::Doubtful, texts::taskNotWanted, texts::fixScheduler});
        return;
    }
    if (state == crontab_table::State::Absent) {
        out.push_back({CheckLevel::Failing, texts::taskMissing, texts::fixScheduler});
        return;
    }
    const std::optional<std::string> line = weeklyLine(table, facts.taskName);
    if (state == crontab_table::State::Disabled || !line)
        out.push_back({CheckLevel::Failing, texts::taskDisabled, texts::fixScheduler});
    else
        checkLine(*line, platform, out);
}

}  // namespace syncward
