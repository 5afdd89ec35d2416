#pragma once

#include <span>
#include <string>
#include <string_view>

#include "core/reports/run_history.h"

namespace syncward {

// The history's format: how many columns its files have grown to. Each
// version only adds columns at the end, so a row of an earlier format is a
// row of today's with its last fields empty.
inline constexpr int historyFormat = 2;

// One column of the history: its heading in the file and in the HISTORY
// window, the format that added it, how a record writes it into the file,
// reads it back (false when the field cannot be its value) and shows it
// in the window.
struct HistoryColumn {
    std::string_view heading;
    std::string_view title;
    int since;
    std::string (*write)(const RunRecord&);
    bool (*read)(const std::string&, RunRecord&);
    std::string (*shown)(const RunRecord&);
};

// Every column, in file order; the columns of format N are those added
// in N or before.
std::span<const HistoryColumn> historyColumns();
std::span<const HistoryColumn> historyColumns(int format);

// The first line of a history file of the given format.
std::string historyHeader(int format = historyFormat);

}  // namespace syncward
