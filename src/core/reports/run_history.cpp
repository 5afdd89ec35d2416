#include "core/reports/run_history.h"

#include "core/platform/file_system.h"
#include "core/platform/platform_profile.h"
#include "core/reports/run_history_columns.h"
#include "core/state/home_layout.h"
#include "core/state/main_window.h"

namespace syncward {

namespace {

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

std::optional<RunRecord> parseRow(std::string_view line, int format) {
    const auto fields = splitFields(line);
    const auto columns = historyColumns(format);
    if (!fields || fields->size() != columns.size()) return std::nullopt;
    RunRecord r;
    for (std::size_t i = 0; i < columns.size(); ++i)
        if (!columns[i].read((*fields)[i], r)) return std::nullopt;
    return r;
}

// The format whose header the line is; 0 when it is none of ours.
int formatOfHeader(std::string_view line) {
    for (int format = historyFormat; format >= 1; --format)
        if (line == historyHeader(format)) return format;
    return 0;
}

// An earlier format's file in today's: the header replaced, each line
// after it given the new columns empty. A line that was damaged stays as
// it was, so it is still counted as damaged and nothing is lost.
std::string carriedOver(std::string_view text, int format, const std::string& nl) {
    const std::size_t added = historyColumns().size() - historyColumns(format).size();
    const std::size_t firstEnd = text.find('\n');
    std::string result = historyHeader() + nl;
    if (firstEnd == std::string_view::npos) return result;
    text.remove_prefix(firstEnd + 1);
    while (!text.empty()) {
        const std::size_t lineEnd = text.find('\n');
        const bool whole = lineEnd != std::string_view::npos;
        std::string_view line = text.substr(0, whole ? lineEnd : text.size());
        text.remove_prefix(whole ? lineEnd + 1 : text.size());
        const bool cr = line.ends_with('\r');
        if (cr) line.remove_suffix(1);
        std::string kept(line);
        if (whole && parseRow(line, format)) kept += std::string(added, ',');
        result += kept + (cr ? "\r" : "") + (whole ? "\n" : "");
    }
    return result;
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
    std::string row;
    for (const HistoryColumn& column : historyColumns()) row += (row.empty() ? "" : ",") + csvField(column.write(r));
    return row + lineEnd;
}

std::optional<RunRecord> parseHistoryRow(std::string_view line) {
    for (int format = historyFormat; format >= 1; --format)
        if (const auto row = parseRow(line, format)) return row;
    return std::nullopt;
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
            read.format = formatOfHeader(line);
            if (read.format == 0) return read;
            read.ours = true;
            continue;
        }
        if (line.empty()) continue;
        // A row is written with its line end in one go: one without it was
        // cut short.
        const auto row = whole ? parseRow(line, read.format) : std::nullopt;
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
        TextRead text = files.readTextNoFollow(path, read_limits::runHistory);
        if (text.failure == ReadFailure::missing) {
            found.path = path;
            return found;
        }
        if (text.text) {
            found.read = parseHistory(*text.text);
            if (found.read.ours) {
                found.path = path;
                found.exists = !text.text->empty();
                if (found.exists && found.read.format < historyFormat) found.earlierFormat = std::move(*text.text);
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
    if (!append.file.exists && !files.appendLine(path, historyHeader() + nl)) return append;
    if (!append.file.earlierFormat.empty()) {
        if (!files.writeText(path, carriedOver(append.file.earlierFormat, append.file.read.format, nl))) return append;
        append.file.earlierFormat.clear();
        append.file.read.format = historyFormat;
    }
    append.written = files.appendLine(path, historyRow(record, nl));
    if (append.written) append.file.read.rows.push_back(record);
    return append;
}

bool amendLastHistoryRow(FileSystem& files, const PlatformProfile& profile, const std::string& home,
                         const std::string& exe, const RunRecord& was, const RunRecord& now) {
    if (!profile.isAbsoluteFolder(home)) return false;
    const HistoryFile file = findHistoryFile(files, profile, home, exe);
    if (file.path.empty() || !file.exists) return false;
    TextRead text = files.readTextNoFollow(file.path, read_limits::runHistory);
    const std::string written = historyRow(was, profile.lineEnd());
    if (!text.text || !text.text->ends_with(written)) return false;
    std::string& amended = *text.text;
    amended.resize(amended.size() - written.size());
    return files.writeText(file.path, amended + historyRow(now, profile.lineEnd()));
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
