#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace syncward {

namespace run_fact_texts {
// What the folder size boxes say until the run has measured the folder.
inline constexpr const char* stillToRun = "!!! STILL TO RUN !!!";
// The run went on with the node an earlier run left on the data folder.
inline constexpr const char* nodeLeftByEarlierRun = "THE NODE LEFT BY AN EARLIER RUN WAS USED";
}  // namespace run_fact_texts

// A block count as the client wrote it, line end included: the report
// shows it as it came, the history keeps its number.
struct BlockCount {
    std::string text;
    // The leading number; nullopt when the text holds no digit at all (no
    // count was known).
    std::optional<long long> number() const;
};

// The blockchain folder's size as the record shows it (six lines, bytes
// to petabytes, or why it could not be measured) and as a number.
struct FolderSize {
    std::string shown = run_fact_texts::stillToRun;
    std::optional<std::uint64_t> bytes;
};

// What the node said of itself at its last check, as far as its answers
// told it: the conditions the check judges, kept whether or not it passed.
struct NodeSeen {
    std::optional<long long> blocks;
    std::optional<long long> headers;
    std::optional<int> peers;
    std::optional<bool> initialDownload;
};

// The node's own word after the agreeing readings in this phase.
struct NodeCheckFacts {
    // Why it did not confirm the chain (empty: not asked yet, or confirmed).
    std::string failure;
    // Which of its answers lacked fields, when it confirmed on a partial check.
    std::string partial;
    NodeSeen seen;
};

// What a run learnt, as values. The steps write it; the end report, the
// history and the report mail read it; the main window's record boxes show
// it. Settings-backed boxes (names, folders, the last-run outcomes) are not
// here: their stored text is their value.
struct RunFacts {
    // When the run started, as the record shows it.
    std::string date;
    std::string startTime;
    FolderSize folderBefore;
    FolderSize folderAfter;
    BlockCount startBlock{"0"};
    BlockCount endBlock;
    // End count minus start count, or why it is unknown.
    std::string downloaded;
    std::string endTime;
    std::string totalRuntime;

    NodeCheckFacts nodeCheck;
    // Why the block-counting phase ended without a chain to judge.
    std::string runFailure;

    // Moments of the node's life in this run, in seconds since 1970: its
    // start, the stop request and the first look of the watch that saw it
    // gone. Absent when the run did not get there.
    std::optional<long long> nodeStartedAt;
    std::optional<long long> stopRequestedAt;
    std::optional<long long> exitSeenAt;
    // The node was not this run's start but one an earlier run left
    // running on the data folder, which the run counted with and stopped.
    bool nodeLeftByEarlierRun = false;
    // From the stop request to the exit seen.
    std::optional<long long> nodeExitSeconds() const;

    // The end report of this run could not be written.
    bool reportNotWritten = false;
};

// A new run: its start, and nothing yet learnt of its node or its folder's
// size. The record's texts stay until the steps replace them, as the
// report of a block counter used by hand shows the run before's.
void beginRunFacts(RunFacts& facts, std::string date, std::string startTime);

}  // namespace syncward
