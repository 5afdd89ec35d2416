#pragma once

#include <memory>
#include <string>

#include "core/form/form.h"
#include "core/reports/file_viewer.h"
#include "core/reports/history_window.h"

namespace syncward {

struct AppContext;

// SYNCWARD_REPORTS_LOGS_WINDOW: the last end report as the main window
// holds it, and the stored report and the mailer's log opened in the
// system's viewer.
class ReportsLogsWindow : public Form {
public:
    static constexpr const char* formName = "SYNCWARD_REPORTS_LOGS_WINDOW";

    explicit ReportsLogsWindow(AppContext& app);

    TextBox LOG_FILE_OUTPUT_TEXTBOX{*this, "LOG_FILE_OUTPUT_TEXTBOX"};
    Button VIEW_LAST_SAVED_REPORT_BUTTON{*this, "VIEW_LAST_SAVED_REPORT_BUTTON", "LAST SAVED REPORT"};
    Button SE_LOG_BUTTON;
    Label OPENS_IN_LABEL;
    Button REFRESH_BUTTON{*this, "REFRESH_BUTTON", "REFRESH"};
    Button LOG_MANAGER_BUTTON{*this, "LOG_MANAGER_BUTTON", "LOG MANAGER"};
    Button OK_BUTTON{*this, "OK_BUTTON", "OK"};
    // A file that is not there, or a viewer that cannot start or cannot
    // open the file, is told here.
    TextBox MESSAGE_STATUS_TEXTBOX{*this, "MESSAGE_STATUS_TEXTBOX"};
    // Looks how the viewer ended, four times a second for ten seconds.
    Timer VIEWER_TIMER{*this, "VIEWER_TIMER", 250};

    // The files shown are those of this home folder.
    void load(const std::string& home);
    const std::string& home() const { return home_; }

private:
    AppContext& app_;
    std::string home_;
    FileViewer viewer_;
};

// SYNCWARD_LOG_MANAGER: where the three files of this copy lie, and the
// end report and the mailer's log emptied behind a safety tick box.
class LogManagerWindow : public Form {
public:
    static constexpr const char* formName = "SYNCWARD_LOG_MANAGER";

    explicit LogManagerWindow(AppContext& app);

    Label BLOCKCOUNT_LOG_LOCATION_LABEL{*this, "BLOCKCOUNT_LOG_LOCATION_LABEL",
                                        "SYNCWARD - BLOCKCOUNTER \"GETBLOCKCOUNT\" LOG LOCATION:"};
    TextBox SYNCWARD_BLOCKCOUNT_LOG_LOCATION_TEXTBOX{*this, "SYNCWARD_BLOCKCOUNT_LOG_LOCATION_TEXTBOX"};
    Label SE_LOG_LOCATION_LABEL;
    TextBox SE_LOG_LOCATION_TEXTBOX{*this, "SE_LOG_LOCATION_TEXTBOX"};
    Label REPORT_LOG_LOCATION_LABEL{*this, "REPORT_LOG_LOCATION_LABEL", "SYNCWARD - REPORT LOG LOCATION:"};
    TextBox SYNCWARD_LOG_LOCATION_TEXTBOX{*this, "SYNCWARD_LOG_LOCATION_TEXTBOX"};
    TickBox ENABLE_TICKBOX{*this, "ENABLE_TICKBOX", "Enable Clear Buttons"};
    Button CLEAR_SYNCWARD_REPORT_BUTTON{*this, "CLEAR_SYNCWARD_REPORT_BUTTON", "CLEAR \"SYNCWARD\" REPORT"};
    Button CLEAR_SE_LOG_BUTTON;
    Button OK_BUTTON{*this, "OK_BUTTON", "OK"};
    // A file that could not be emptied is told here.
    TextBox MESSAGE_STATUS_TEXTBOX{*this, "MESSAGE_STATUS_TEXTBOX"};

    void load(const std::string& home);

private:
    void clear(TextBox& location, Button& button);

    AppContext& app_;
};

// The two windows: the reports window opens from the main window's "End
// Log" and the main settings' "REPORTS / LOGS", the log manager from it.
class ReportsWindows {
public:
    explicit ReportsWindows(AppContext& app);

    // With the files of the main window's home folder, or of the one given
    // (the main settings', as shown there before their OK).
    void openReportsLogs(Form& owner);
    void openReportsLogs(Form& owner, const std::string& home);
    // With the reports window's home folder.
    void openLogManager(Form& owner);
    // The main window's copy's run history.
    void openHistory(Form& owner);

    ReportsLogsWindow& reportsLogs() { return reportsLogs_; }
    LogManagerWindow& logManager() { return logManager_; }
    HistoryWindow& history() { return history_; }

private:
    AppContext& app_;
    ReportsLogsWindow reportsLogs_;
    LogManagerWindow logManager_;
    HistoryWindow history_;
};

}  // namespace syncward
