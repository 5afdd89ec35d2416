#include "core/reports/run_history_columns.h"

#include <array>
#include <charconv>
#include <optional>

#include "core/reports/history_growth.h"
#include "core/reports/history_mail_table.h"
#include "core/time/civil_date.h"
#include "core/time/iso_local.h"

namespace syncward {

namespace {

template <typename Number>
std::string numberField(const std::optional<Number>& value) {
    return value ? std::to_string(*value) : std::string();
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

template <typename Number>
std::string numberText(const std::optional<Number>& value) {
    return value ? std::to_string(*value) : std::string("-");
}

std::string sizeText(const std::optional<std::uint64_t>& bytes) {
    return bytes ? gigabytesText(static_cast<double>(*bytes)) : std::string("-");
}

// A column that holds one member as it stands: a text, or a number that
// may be absent.
template <std::string RunRecord::*member>
constexpr HistoryColumn textColumn(std::string_view heading, std::string_view title, int since) {
    return {heading, title, since, [](const RunRecord& r) { return r.*member; },
            [](const std::string& f, RunRecord& r) {
                r.*member = f;
                return true;
            },
            [](const RunRecord& r) { return r.*member; }};
}

template <typename Number, std::optional<Number> RunRecord::*member,
          std::string (*show)(const std::optional<Number>&)>
constexpr HistoryColumn numberColumn(std::string_view heading, std::string_view title, int since) {
    return {heading, title, since, [](const RunRecord& r) { return numberField(r.*member); },
            [](const std::string& f, RunRecord& r) { return readNumber(f, r.*member); },
            [](const RunRecord& r) { return show(r.*member); }};
}

// A count (blocks, seconds), and a folder's size shown in gigabytes.
template <std::optional<long long> RunRecord::*member>
constexpr HistoryColumn countColumn(std::string_view heading, std::string_view title, int since) {
    return numberColumn<long long, member, numberText<long long>>(heading, title, since);
}

template <std::optional<std::uint64_t> RunRecord::*member>
constexpr HistoryColumn bytesColumn(std::string_view heading, std::string_view title) {
    return numberColumn<std::uint64_t, member, sizeText>(heading, title, 1);
}

}  // namespace

// Only ever add a column at the end, with the next format's number: rows
// already written then stay rows of the file.
std::span<const HistoryColumn> historyColumns() {
    static const std::array columns = {
        HistoryColumn{"start", "START", 1, [](const RunRecord& r) { return isoLocalText(r.start, r.startOffset); },
                      [](const std::string& f, RunRecord& r) { return readMoment(f, r.start, r.startOffset); },
                      [](const RunRecord& r) { return isoLocalText(r.start, r.startOffset); }},
        HistoryColumn{"end", "END", 1, [](const RunRecord& r) { return isoLocalText(r.end, r.endOffset); },
                      [](const std::string& f, RunRecord& r) { return readMoment(f, r.end, r.endOffset); },
                      [](const RunRecord& r) { return isoLocalText(r.end, r.endOffset); }},
        // Written for readers of the file; the program takes the length
        // from the two moments.
        HistoryColumn{"run_seconds", "LENGTH", 1, [](const RunRecord& r) { return std::to_string(r.seconds()); },
                      [](const std::string& f, RunRecord&) {
                          std::optional<long long> seconds;
                          return readNumber(f, seconds);
                      },
                      [](const RunRecord& r) { return runLengthText(r.seconds()); }},
        textColumn<&RunRecord::nodeProgram>("node_program", "NODE PROGRAM", 1),
        countColumn<&RunRecord::blocksBefore>("blocks_before", "BLOCKS BEFORE", 1),
        countColumn<&RunRecord::blocksAfter>("blocks_after", "BLOCKS AFTER", 1),
        countColumn<&RunRecord::blocksDownloaded>("blocks_downloaded", "DOWNLOADED", 1),
        bytesColumn<&RunRecord::bytesBefore>("folder_bytes_before", "FOLDER BEFORE"),
        bytesColumn<&RunRecord::bytesAfter>("folder_bytes_after", "FOLDER AFTER"),
        textColumn<&RunRecord::blockCounterOutcome>("block_counter_outcome", "BLOCKCOUNTER", 1),
        textColumn<&RunRecord::runOutcome>("run_outcome", "RUN OUTCOME", 1),
        textColumn<&RunRecord::nodeCheck>("node_check", "NODE CHECK", 1),
        textColumn<&RunRecord::finalAction>("final_action", "FINAL ACTION", 1),
        countColumn<&RunRecord::nodeExitSeconds>("node_exit_seconds", "NODE EXIT SECONDS", 2),
    };
    return columns;
}

std::span<const HistoryColumn> historyColumns(int format) {
    const auto all = historyColumns();
    std::size_t count = 0;
    while (count < all.size() && all[count].since <= format) ++count;
    return all.first(count);
}

std::string historyHeader(int format) {
    std::string header;
    for (const HistoryColumn& column : historyColumns(format))
        header += (header.empty() ? "" : ",") + std::string(column.heading);
    return header;
}

}  // namespace syncward
