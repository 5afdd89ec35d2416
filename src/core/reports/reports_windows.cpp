#include "core/reports/reports_windows.h"

#include "core/settings/settings_status.h"
#include "core/state/app_context.h"
#include "core/state/home_layout.h"

namespace syncward {

namespace {

constexpr WindowPlacement reportsPlacement{"REPORTS_LOGS_WINDOW-", 12420, 7455};
constexpr WindowPlacement managerPlacement{"LOG_MANAGER-", 7410, 5490};

// The spelling the Windows window has always shown, the mailer's own name elsewhere.
std::string mailerLogLabel(const PlatformProfile& profile) {
    const bool windows = profile.flavour() == PlatformProfile::Flavour::Windows;
    return "\"" + (windows ? std::string("Sendemail.exe") : profile.mailerName()) + "\" RUN LOG LOCATION:";
}

}  // namespace

ReportsLogsWindow::ReportsLogsWindow(AppContext& app)
    : Form(formName, app.platform.loop),
      SE_LOG_BUTTON(*this, "SE_LOG_BUTTON", "\"" + app.profile().mailerName() + "\" LOG"),
      OPENS_IN_LABEL(*this, "OPENS_IN_LABEL", "OPENS IN " + app.profile().viewerName()),
      app_(app),
      viewer_(app, VIEWER_TIMER, MESSAGE_STATUS_TEXTBOX) {
    setCaption("SYNCWARD - REPORTS / LOGS");
    LOG_FILE_OUTPUT_TEXTBOX.setLocked(true);
    MESSAGE_STATUS_TEXTBOX.setLocked(true);
    VIEW_LAST_SAVED_REPORT_BUTTON.onClick.connect([this] {
        viewer_.open(home_layout::reportFile(app_.profile(), home_, app_.executableName));
    });
    SE_LOG_BUTTON.onClick.connect([this] {
        viewer_.open(home_layout::mailerLogFile(app_.profile(), home_, app_.executableName));
    });
    REFRESH_BUTTON.onClick.connect([this] {
        LOG_FILE_OUTPUT_TEXTBOX.setBackground(colours::cyan);
        LOG_FILE_OUTPUT_TEXTBOX.setText(app_.main.LOG_FILE_OUTPUT_TEXTBOX.text());
        LOG_FILE_OUTPUT_TEXTBOX.setBackground(colours::windowBackground);
    });
    OK_BUTTON.onClick.connect([this] { close(); });
    onClose.connect([this] {
        viewer_.stop();
        app_.settings.savePosition(*this, reportsPlacement);
    });
}

void ReportsLogsWindow::load(const std::string& home) {
    home_ = home;
    app_.settings.loadPlacement(*this, reportsPlacement);
    LOG_FILE_OUTPUT_TEXTBOX.setText(app_.main.LOG_FILE_OUTPUT_TEXTBOX.text());
    showStatus(MESSAGE_STATUS_TEXTBOX, "", colours::windowBackground);
}

LogManagerWindow::LogManagerWindow(AppContext& app)
    : Form(formName, app.platform.loop),
      SE_LOG_LOCATION_LABEL(*this, "SE_LOG_LOCATION_LABEL", mailerLogLabel(app.profile())),
      CLEAR_SE_LOG_BUTTON(*this, "CLEAR_SE_LOG_BUTTON", "CLEAR \"" + app.profile().mailerName() + "\" LOG"),
      app_(app) {
    setCaption("SYNCWARD - LOG MANAGER");
    for (TextBox* box : {&SYNCWARD_BLOCKCOUNT_LOG_LOCATION_TEXTBOX, &SE_LOG_LOCATION_TEXTBOX,
                         &SYNCWARD_LOG_LOCATION_TEXTBOX, &MESSAGE_STATUS_TEXTBOX})
        box->setLocked(true);
    ENABLE_TICKBOX.onClick.connect([this] {
        CLEAR_SYNCWARD_REPORT_BUTTON.setEnabled(ENABLE_TICKBOX.ticked());
        CLEAR_SE_LOG_BUTTON.setEnabled(ENABLE_TICKBOX.ticked());
    });
    CLEAR_SYNCWARD_REPORT_BUTTON.onClick.connect([this] {
        clear(SYNCWARD_LOG_LOCATION_TEXTBOX, CLEAR_SYNCWARD_REPORT_BUTTON);
    });
    CLEAR_SE_LOG_BUTTON.onClick.connect([this] { clear(SE_LOG_LOCATION_TEXTBOX, CLEAR_SE_LOG_BUTTON); });
    OK_BUTTON.onClick.connect([this] { close(); });
    onClose.connect([this] { app_.settings.savePosition(*this, managerPlacement); });
}

void LogManagerWindow::load(const std::string& home) {
    app_.settings.loadPlacement(*this, managerPlacement);
    const PlatformProfile& profile = app_.profile();
    const std::string& exe = app_.executableName;
    SYNCWARD_BLOCKCOUNT_LOG_LOCATION_TEXTBOX.setText(home_layout::blockCountFile(profile, home, exe));
    SE_LOG_LOCATION_TEXTBOX.setText(home_layout::mailerLogFile(profile, home, exe));
    SYNCWARD_LOG_LOCATION_TEXTBOX.setText(home_layout::reportFile(profile, home, exe));
    ENABLE_TICKBOX.setValue(0);
    CLEAR_SYNCWARD_REPORT_BUTTON.setEnabled(false);
    CLEAR_SE_LOG_BUTTON.setEnabled(false);
    showStatus(MESSAGE_STATUS_TEXTBOX, "", colours::windowBackground);
}

// One line end and nothing else; the file stays in place.
void LogManagerWindow::clear(TextBox& location, Button& button) {
    if (!app_.platform.files.writeText(location.text(), app_.profile().lineEnd())) {
        showStatus(MESSAGE_STATUS_TEXTBOX, "!!! NOT CLEARED: " + location.text() + " !!!", colours::red);
        return;
    }
    showStatus(MESSAGE_STATUS_TEXTBOX, "", colours::windowBackground);
    button.setEnabled(false);
}

ReportsWindows::ReportsWindows(AppContext& app) : app_(app), reportsLogs_(app), logManager_(app), history_(app) {
    reportsLogs_.LOG_MANAGER_BUTTON.onClick.connect([this] { openLogManager(reportsLogs_); });
}

void ReportsWindows::openReportsLogs(Form& owner) { openReportsLogs(owner, app_.main.SYNCWARD_HOME_TEXTBOX.text()); }

void ReportsWindows::openReportsLogs(Form& owner, const std::string& home) {
    reportsLogs_.load(home);
    app_.platform.windows.showModal(reportsLogs_, owner);
}

void ReportsWindows::openHistory(Form& owner) {
    history_.load(app_.main.SYNCWARD_HOME_TEXTBOX.text());
    app_.platform.windows.showModal(history_, owner);
}

void ReportsWindows::openLogManager(Form& owner) {
    logManager_.load(reportsLogs_.home().empty() ? app_.main.SYNCWARD_HOME_TEXTBOX.text() : reportsLogs_.home());
    app_.platform.windows.showModal(logManager_, owner);
}

}  // namespace syncward
