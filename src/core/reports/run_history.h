#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace syncward {

class FileSystem;
class PlatformProfile;

// One run as the history keeps it: when it ran (seconds since 1970, UTC,
// with the local zone's offset then), what it used, what it brought and
// how it ended. A figure the run never learnt is absent, not zero.
struct RunRecord {
    long long start = 0;
    int startOffset = 0;
    long long end = 0;
    int endOffset = 0;
    std::string nodeProgram;
    std::optional<long long> blocksBefore;
    std::optional<long long> blocksAfter;
    std::optional<long long> blocksDownloaded;
    std::optional<std::uint64_t> bytesBefore;
    std::optional<std::uint64_t> bytesAfter;
    std::string blockCounterOutcome;
    std::string runOutcome;
    std::string nodeCheck;
    std::string finalAction;
    // From the stop request to the node's exit seen.
    std::optional<long long> nodeExitSeconds;

    long long seconds() const { return end - start; }
    // Only a run that completed successfully (a partial node check
    // included) is not marked as failed.
    bool succeeded() const;
    bool operator==(const RunRecord&) const = default;
};

// One row of today's format: comma-separated, a field with a comma or a quote between double
// quotes, a line break inside a field turned into a blank so the row
// stays one line; ends with lineEnd.
std::string historyRow(const RunRecord& record, const std::string& lineEnd);

// A history file as read: whether it is ours at all (its header, today's
// or an earlier format's; a file that starts otherwise is never appended
// to), its format, its rows in the file's order, and how many lines could
// not be read as a row (a line cut short by a crash mid-write, a line
// edited by hand).
struct HistoryRead {
    bool ours = false;
    int format = 0;  // 0: no header yet
    std::vector<RunRecord> rows;
    int damagedLines = 0;
};
HistoryRead parseHistory(std::string_view text);
// One row of any format, without its line end: the row a run under way
// keeps beside the history may have been written by an earlier version.
std::optional<RunRecord> parseHistoryRow(std::string_view line);

// The file a copy's history goes on in: REPORTS/<name>-RUN-HISTORY.csv,
// or, when that one is not ours or cannot be read, the first of
// <name>-RUN-HISTORY-2.csv, -3, ... that is missing or ours. The files
// passed over are left as they are.
struct HistoryFile {
    std::string path;  // empty when no usable file could be found
    std::vector<std::string> leftAlone;
    bool exists = false;
    HistoryRead read;
    // The whole file as read, when it is of an earlier format: the append
    // carries it over into today's.
    std::string earlierFormat;
};
HistoryFile findHistoryFile(FileSystem& files, const PlatformProfile& profile, const std::string& home,
                            const std::string& exe);

// Appends the record to the copy's history, the header first when the file
// is new. Reads the file first, so a foreign or damaged file is never
// appended to. A file of an earlier format is first carried over whole
// into today's (its rows and any damaged line kept as they stand, the new
// columns empty), so the history goes on in the same file.
struct HistoryAppend {
    bool written = false;
    HistoryFile file;
};
HistoryAppend appendToHistory(FileSystem& files, const PlatformProfile& profile, const std::string& home,
                              const std::string& exe, const RunRecord& record);

// Replaces the history's last row by now's, when it is still exactly the
// row written for was: a power action's answer comes after its run wrote
// its row. Everything before that row stays byte for byte. False when the
// last row is another (the file was edited meanwhile) or the file could
// not be written whole.
bool amendLastHistoryRow(FileSystem& files, const PlatformProfile& profile, const std::string& home,
                         const std::string& exe, const RunRecord& was, const RunRecord& now);

// What a history write tells the user: that a file was passed over (and
// where the history goes on), or that the row could not be written;
// empty when all went well.
std::string historyStatus(const HistoryAppend& append);
std::string leftAloneText(const HistoryFile& file);

}  // namespace syncward
