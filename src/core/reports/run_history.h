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

    long long seconds() const { return end - start; }
    // Only a run that completed successfully (a partial node check
    // included) is not marked as failed.
    bool succeeded() const;
    bool operator==(const RunRecord&) const = default;
};

namespace run_history_texts {
// The first line of every history file; a file that starts otherwise is
// not ours and is never appended to.
inline constexpr const char* header =
    "start,end,run_seconds,node_program,blocks_before,blocks_after,blocks_downloaded,folder_bytes_before,"
    "folder_bytes_after,block_counter_outcome,run_outcome,node_check,final_action";
}  // namespace run_history_texts

// One row: comma-separated, a field with a comma or a quote between double
// quotes, a line break inside a field turned into a blank so the row
// stays one line; ends with lineEnd.
std::string historyRow(const RunRecord& record, const std::string& lineEnd);

// A history file as read: whether it is ours at all (its header), its
// rows in the file's order, and how many lines could not be read as a row
// (a line cut short by a crash mid-write, a line edited by hand).
struct HistoryRead {
    bool ours = false;
    std::vector<RunRecord> rows;
    int damagedLines = 0;
};
HistoryRead parseHistory(std::string_view text);

// The file a copy's history goes on in: REPORTS/<name>-RUN-HISTORY.csv,
// or, when that one is not ours or cannot be read, the first of
// <name>-RUN-HISTORY-2.csv, -3, ... that is missing or ours. The files
// passed over are left as they are.
struct HistoryFile {
    std::string path;  // empty when no usable file could be found
    std::vector<std::string> leftAlone;
    bool exists = false;
    HistoryRead read;
};
HistoryFile findHistoryFile(FileSystem& files, const PlatformProfile& profile, const std::string& home,
                            const std::string& exe);

// Appends the record to the copy's history, the header first when the file
// is new. Reads the file first, so a foreign or damaged file is never
// appended to.
struct HistoryAppend {
    bool written = false;
    HistoryFile file;
};
HistoryAppend appendToHistory(FileSystem& files, const PlatformProfile& profile, const std::string& home,
                              const std::string& exe, const RunRecord& record);

// What a history write tells the user: that a file was passed over (and
// where the history goes on), or that the row could not be written;
// empty when all went well.
std::string historyStatus(const HistoryAppend& append);
std::string leftAloneText(const HistoryFile& file);

}  // namespace syncward
