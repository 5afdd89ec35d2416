#include "core/reports/run_history.h"

#include <charconv>

#include "core/platform/file_system.h"
#include "core/platform/platform_profile.h"
#include "core/state/home_layout.h"
#include "core/state/main_window.h"
#include "core/time/civil_date.h"
#include "core/time/iso_local.h"

namespace syncward {

namespace {

constexpr std::size_t fieldCount = 13;
// More files beside the first than anybody would keep: past these the
// history is not written rather than searched for without end.
constexpr int besideFiles = 99;

std::string csvField(std::string value) {
    for (char& c : value)
        if (c == '\r' || c == '\n') c = ' ';
    if (value.find_first_of(",\"") == std::string::npos) return value;
    std::string quoted = "\"";
    for (const char c : value) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

template <typename Number>
std::string numberField(const std::optional<Number>& value) {
    return value ? std::to_string(*value) : std::string();
}

// The fields of one line; nullopt when a quote is left open.
std::optional<std::vector<std::string>> splitFields(std::string_view line) {
    std::vector<std::string> fields;
    std::string field;
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted) {
            if (c != '"')
                field += c;
            else if (i + 1 < line.size() && line[i + 1] == '"')
                field += line[++i];
            else
                quoted = false;
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            fields.push_back(std::move(field));
            field.clear();
        } else {
            field += c;
        }
    }
    if (quoted) return std::nullopt;
    fields.push_back(std::move(field));
    return fields;
}

// Absent when empty; false when the text is not a whole number.
template <typename Number>
bool readNumber(const std::string& text, std::optional<Number>& into) {
    if (text.empty()) {
        into.reset();
        return true;
    }
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return false;
    into = value;
    return true;
}

bool readMoment(const std::string& text, long long& seconds, int& offset) {
    const auto utc = parseIsoLocal(text);
    if (!utc) return false;
    seconds = *utc;
    offset = static_cast<int>(*parseIsoUtc(text.substr(0, 19) + "Z") - *utc);
    return true;
}

std::optional<RunRecord> parseRow(std::string_view line) {
    const auto fields = splitFields(line);
    if (!fields || fields->size() != fieldCount) return std::nullopt;
    const auto& f = *fields;
    RunRecord r;
    std::optional<long long> runSeconds;
    if (!readMoment(f[0], r.start, r.startOffset) || !readMoment(f[1], r.end, r.endOffset) ||
        !readNumber(f[2], runSeconds) || !readNumber(f[4], r.blocksBefore) || !readNumber(f[5], r.blocksAfter) ||
        !readNumber(f[6], r.blocksDownloaded) || !readNumber(f[7], r.bytesBefore) || !readNumber(f[8], r.bytesAfter))
        return std::nullopt;
    r.nodeProgram = f[3];
    r.blockCounterOutcome = f[9];
    r.runOutcome = f[10];
    r.nodeCheck = f[11];
    r.finalAction = f[12];
    return r;
}

std::string historyPath(const PlatformProfile& profile, const std::string& home, const std::string& exe, int number) {
    if (number == 1) return home_layout::runHistoryFile(profile, home, exe);
    const std::string name = exe + "-RUN-HISTORY-" + std::to_string(number) + ".csv";
    return profile.join(home_layout::subfolder(profile, home, home_layout::reports), name);
}

}  // namespace

bool RunRecord::succeeded() const {
    const std::string_view success = main_texts::completedSuccessfully;
    // "!!! COMPLETED SUCCESSFULLY" and what a partial check adds to it.
    return runOutcome.starts_with(success.substr(0, success.size() - 4));
}

std::string historyRow(const RunRecord& r, const std::string& lineEnd) {
    const std::string fields[fieldCount] = {
        isoLocalText(r.start, r.startOffset),
        isoLocalText(r.end, r.endOffset),
        std::to_string(r.seconds()),
        csvField(r.nodeProgram),
        numberField(r.blocksBefore),
        numberField(r.blocksAfter),
        numberField(r.blocksDownloaded),
        numberField(r.bytesBefore),
        numberField(r.bytesAfter),
        csvField(r.blockCounterOutcome),
        csvField(r.runOutcome),
        csvField(r.nodeCheck),
        csvField(r.finalAction),
    };
    std::string row;
    for (std::size_t i = 0; i < fieldCount; ++i) row += (i ? "," : "") + fields[i];
    return row + lineEnd;
}

HistoryRead parseHistory(std::string_view text) {
    HistoryRead read;
    bool first = true;
    while (!text.empty()) {
        const std::size_t lineEnd = text.find('\n');
        const bool whole = lineEnd != std::string_view::npos;
        std::string_view line = text.substr(0, whole ? lineEnd : text.size());
        text.remove_prefix(whole ? lineEnd + 1 : text.size());
        if (line.ends_with('\r')) line.remove_suffix(1);
        if (first) {
            first = false;
            if (line != run_history_texts::header) return read;
            read.ours = true;
            continue;
        }
        if (line.empty()) continue;
        // A row is written with its line end in one go: one without it was
        // cut short.
        const auto row = whole ? parseRow(line) : std::nullopt;
        if (row)
            read.rows.push_back(*row);
        else
            ++read.damagedLines;
    }
    // An empty file is one whose header never reached the disk.
    if (first) read.ours = true;
    return read;
}

HistoryFile findHistoryFile(FileSystem& files, const PlatformProfile& profile, const std::string& home,
                            const std::string& exe) {
    HistoryFile found;
    for (int number = 1; number <= besideFiles + 1; ++number) {
        const std::string path = historyPath(profile, home, exe, number);
        // A link is not ours, wherever it leads: another copy's history, a
        // file outside the home, or nothing yet (which the append would create).
        const TextRead text = files.readTextNoFollow(path, read_limits::runHistory);
        if (text.failure == ReadFailure::missing) {
            found.path = path;
            return found;
        }
        if (text.text) {
            found.read = parseHistory(*text.text);
            if (found.read.ours) {
                found.path = path;
                found.exists = !text.text->empty();
                return found;
            }
        }
        found.leftAlone.push_back(path);
    }
    found.read = {};
    return found;
}

HistoryAppend appendToHistory(FileSystem& files, const PlatformProfile& profile, const std::string& home,
                              const std::string& exe, const RunRecord& record) {
    HistoryAppend append;
    // Without a home folder the file would land wherever the program runs.
    if (!profile.isAbsoluteFolder(home)) return append;
    append.file = findHistoryFile(files, profile, home, exe);
    if (append.file.path.empty()) return append;
    const std::string& path = append.file.path;
    const std::string& nl = profile.lineEnd();
    if (!append.file.exists && !files.appendLine(path, run_history_texts::header + nl)) return append;
    append.written = files.appendLine(path, historyRow(record, nl));
    if (append.written) append.file.read.rows.push_back(record);
    return append;
}

std::string leftAloneText(const HistoryFile& file) {
    if (file.leftAlone.empty()) return {};
    const std::string goesOn = file.path.empty() ? "NO FILE LEFT TO WRITE" : "HISTORY GOES ON IN " + file.path;
    return "!!! RUN HISTORY " + file.leftAlone.back() + " IS NOT A HISTORY FILE OR CANNOT BE READ - LEFT ALONE - " +
           goesOn + " !!!";
}

std::string historyStatus(const HistoryAppend& append) {
    // Without a home folder the run says so itself.
    if (!append.written && append.file.path.empty() && append.file.leftAlone.empty()) return {};
    if (!append.written)
        return "!!! RUN HISTORY NOT WRITTEN" + (append.file.path.empty() ? "" : ": " + append.file.path) +
               " - CHECK THE REPORTS FOLDER !!!";
    return leftAloneText(append.file);
}

}  // namespace syncward
