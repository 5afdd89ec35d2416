#include "core/reports/history_window.h"

#include "core/reports/history_growth.h"
#include "core/settings/settings_status.h"
#include "core/state/app_context.h"
#include "core/state/home_layout.h"

namespace syncward {

namespace {
constexpr WindowPlacement windowPlacement{"HISTORY_WINDOW-", 14400, 10080};
}  // namespace

HistoryWindow::HistoryWindow(AppContext& app)
    : Form(formName, app.platform.loop), app_(app), viewer_(app, VIEWER_TIMER, MESSAGE_STATUS_TEXTBOX) {
    setCaption("SYNCWARD - RUN HISTORY");
    HISTORY_FILE_TEXTBOX.setLocked(true);
    MESSAGE_STATUS_TEXTBOX.setLocked(true);
    EXPORT_CSV_BUTTON.onClick.connect([this] { exportCsv(); });
    OPEN_BUTTON.onClick.connect([this] { viewer_.open(HISTORY_FILE_TEXTBOX.text()); });
    REFRESH_BUTTON.onClick.connect([this] { read(); });
    OK_BUTTON.onClick.connect([this] { close(); });
    onClose.connect([this] {
        viewer_.stop();
        app_.settings.savePosition(*this, windowPlacement);
    });
}

void HistoryWindow::load(const std::string& home) {
    home_ = home;
    app_.settings.loadPlacement(*this, windowPlacement);
    read();
}

void HistoryWindow::read() {
    showStatus(MESSAGE_STATUS_TEXTBOX, "", colours::windowBackground);
    rows_.clear();
    HISTORY_FILE_TEXTBOX.setText("");
    if (!app_.profile().isAbsoluteFolder(home_)) {
        showStatus(MESSAGE_STATUS_TEXTBOX, "!!! NO HOME FOLDER SET IN MAIN SETTINGS - NO HISTORY !!!", colours::red);
    } else {
        HistoryFile file = findHistoryFile(app_.platform.files, app_.profile(), home_, app_.executableName);
        HISTORY_FILE_TEXTBOX.setText(file.path);
        rows_ = std::move(file.read.rows);
        if (!file.leftAlone.empty())
            showStatus(MESSAGE_STATUS_TEXTBOX, leftAloneText(file), colours::red);
        else if (file.read.damagedLines > 0)
            showStatus(MESSAGE_STATUS_TEXTBOX,
                       "!!! " + std::to_string(file.read.damagedLines) +
                           " DAMAGED LINE(S) OF THE HISTORY SKIPPED - THE FILE IS LEFT AS IT IS !!!",
                       colours::yellow);
    }
    int failed = 0;
    for (const RunRecord& row : rows_) failed += row.succeeded() ? 0 : 1;
    RUNS_LABEL.setCaption(rows_.empty() ? history_texts::noRuns
                                        : "RUNS RECORDED: " + std::to_string(rows_.size()) +
                                              " - FAILED OR NOT CONFIRMED: " + std::to_string(failed));
    // The free space is measured now, on the disk that holds the chain.
    Environment& env = app_.platform.environment;
    const long long now = env.secondsSinceEpoch();
    const auto free = app_.platform.files.freeBytes(app_.main.BLOCKCHAIN_HOME_TEXTBOX.text());
    GROWTH_LABEL.setCaption(growthText(estimateGrowth(rows_, free, now), free, env.utcOffsetSeconds(now)));
    if (onRowsChanged) onRowsChanged();
}

// A copy of the file as it stands; the history itself is never rewritten.
void HistoryWindow::exportCsv() {
    const std::string& path = HISTORY_FILE_TEXTBOX.text();
    const TextRead text = app_.platform.files.readText(path, read_limits::runHistory);
    if (!text.text) {
        showStatus(MESSAGE_STATUS_TEXTBOX, "!!! NOTHING TO EXPORT - NO HISTORY FILE: " + path + " !!!", colours::red);
        return;
    }
    const auto target = app_.platform.dialogs.saveFile(*this, history_texts::exportTitle, history_texts::csvFilter,
                                                       path);
    if (!target) return;
    if (*target == path) {
        showStatus(MESSAGE_STATUS_TEXTBOX, "!!! CHOOSE ANOTHER PLACE THAN THE HISTORY FILE ITSELF !!!", colours::red);
        return;
    }
    if (!app_.platform.files.writeText(*target, *text.text)) {
        showStatus(MESSAGE_STATUS_TEXTBOX, "!!! NOT EXPORTED - COULD NOT WRITE: " + *target + " !!!", colours::red);
        return;
    }
    showStatus(MESSAGE_STATUS_TEXTBOX, "!!! EXPORTED TO: " + *target + " !!!", colours::green);
}

}  // namespace syncward
