#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/form/form.h"
#include "core/reports/file_viewer.h"
#include "core/reports/run_history.h"

namespace syncward {

struct AppContext;

namespace history_texts {
inline constexpr const char* noRuns = "NO RUN HAS BEEN RECORDED YET";
inline constexpr const char* exportTitle = "EXPORT THE RUN HISTORY";
inline constexpr const char* csvFilter = "CSV files (*.csv)|*.csv|All files (*)|*";
}  // namespace history_texts

// SYNCWARD_HISTORY_WINDOW: every recorded run of this copy, for the chart
// and the table of the view, the chain folder's growth per week with when
// the disk fills at that rate, and the file exported or opened.
class HistoryWindow : public Form {
public:
    static constexpr const char* formName = "SYNCWARD_HISTORY_WINDOW";

    explicit HistoryWindow(AppContext& app);

    Label RUNS_LABEL{*this, "RUNS_LABEL", history_texts::noRuns};
    Label GROWTH_LABEL{*this, "GROWTH_LABEL"};
    TextBox HISTORY_FILE_TEXTBOX{*this, "HISTORY_FILE_TEXTBOX"};
    Button EXPORT_CSV_BUTTON{*this, "EXPORT_CSV_BUTTON", "EXPORT CSV"};
    Button OPEN_BUTTON{*this, "OPEN_BUTTON", "OPEN"};
    Button REFRESH_BUTTON{*this, "REFRESH_BUTTON", "REFRESH"};
    Button OK_BUTTON{*this, "OK_BUTTON", "OK"};
    TextBox MESSAGE_STATUS_TEXTBOX{*this, "MESSAGE_STATUS_TEXTBOX"};
    Timer VIEWER_TIMER{*this, "VIEWER_TIMER", 250};

    // Reads the history of this home folder afresh.
    void load(const std::string& home);

    // The runs in the file's order (oldest first).
    const std::vector<RunRecord>& rows() const { return rows_; }
    // The view redraws its chart and table when the rows change.
    std::function<void()> onRowsChanged;

private:
    void read();
    void exportCsv();

    AppContext& app_;
    std::string home_;
    std::vector<RunRecord> rows_;
    FileViewer viewer_;
};

}  // namespace syncward
