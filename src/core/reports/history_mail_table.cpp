#include "core/reports/history_mail_table.h"

#include <algorithm>

#include "core/reports/history_growth.h"
#include "core/time/iso_local.h"

namespace syncward {

namespace {

std::string padded(std::string text, std::size_t width) {
    if (text.size() < width) text.append(width - text.size(), ' ');
    return text;
}

}  // namespace

std::string runLengthText(long long seconds) {
    seconds = std::max(0LL, seconds);
    const auto twoDigits = [](long long n) { return (n < 10 ? "0" : "") + std::to_string(n); };
    return twoDigits(seconds / 3600) + ":" + twoDigits(seconds / 60 % 60) + ":" + twoDigits(seconds % 60);
}

std::string historyMailTable(const std::vector<RunRecord>& rows, std::size_t count, const std::string& nl) {
    const std::size_t shown = std::min(count, rows.size());
    std::string table = "RUN HISTORY - LAST " + std::to_string(shown) + " RUNS:" + nl;
    table += padded("START", 27) + padded("LENGTH", 10) + padded("BLOCKS", 10) + padded("FOLDER", 12) + "OUTCOME" + nl;
    for (auto row = rows.end() - static_cast<std::ptrdiff_t>(shown); row != rows.end(); ++row) {
        table += padded(isoLocalText(row->start, row->startOffset), 27);
        table += padded(runLengthText(row->seconds()), 10);
        table += padded(row->blocksDownloaded ? std::to_string(*row->blocksDownloaded) : "-", 10);
        table += padded(row->bytesAfter ? gigabytesText(static_cast<double>(*row->bytesAfter)) : "-", 12);
        table += row->runOutcome + nl;
    }
    return table;
}

}  // namespace syncward
