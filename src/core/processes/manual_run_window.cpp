#include "core/processes/manual_run_window.h"

#include "core/processes/command_file_start.h"
#include "core/state/app_context.h"

namespace syncward {

namespace {

constexpr WindowPlacement windowPlacement{"MANUAL_RUN-", 8400, 2355};

}  // namespace

ManualRunWindow::ManualRunWindow(AppContext& app) : Form(formName, app.platform.loop), app_(app) {
    setCaption("SYNCWARD - MANUAL RUN");
    PROCESS_TEXTBOX_4.setText(app.profile().mailerName());
    for (TextBox* box : processBoxes()) box->setLocked(true);  // states, not input
    BUTTON_UPDATE_TIMER.onTick.connect([this] { mirror(); });
    QT_START_BUTTON.onClick.connect([this] { start(CommandFile::RunQt); });
    DAEMON_START_BUTTON.onClick.connect([this] { start(CommandFile::RunDaemon); });
    CLI_STOP_BUTTON.onClick.connect([this] { start(CommandFile::CliStop); });
    OK_BUTTON.onClick.connect([this] { close(); });
    onClose.connect([this] {
        BUTTON_UPDATE_TIMER.stop();
        app_.settings.savePosition(*this, windowPlacement);
    });
}

void ManualRunWindow::load() {
    app_.settings.loadPlacement(*this, windowPlacement);
    MANUAL_RUN_STATUS_LABEL.setCaption("");
    BUTTON_UPDATE_TIMER.setInterval(1000);
    // The first tick is a second away; until then the window would offer
    // starts the states do not allow.
    mirror();
    BUTTON_UPDATE_TIMER.start();
}

void ManualRunWindow::mirror() {
    const auto boxes = processBoxes();
    // The boxes show what the main window's boxes show; the buttons follow
    // the watch's state.
    for (int n = 1; n <= MainWindow::processBoxCount; ++n) boxes[n - 1]->setBackground(app_.main.processBox(n).background());
    const auto running = [&](WatchedProgram p) { return app_.main.run.programs.running(p); };
    const std::string& mailer = app_.profile().mailerName();

    // In this order, later steps overriding earlier ones: QT may start only
    // while neither node program runs, the daemon while it does not run,
    // and the stop request goes out only while the mailer is not busy.
    if (running(WatchedProgram::qt)) {
        QT_START_BUTTON.setEnabled(false);
        DAEMON_START_BUTTON.setEnabled(false);
    } else {
        QT_START_BUTTON.setEnabled(true);
    }
    PROCESS_TEXTBOX_1.setTooltip(running(WatchedProgram::qt) ? "QT PROCESS RUNNING" : "QT PROCESS STOPPED");
    if (running(WatchedProgram::daemon)) {
        QT_START_BUTTON.setEnabled(false);
        DAEMON_START_BUTTON.setEnabled(false);
    } else {
        DAEMON_START_BUTTON.setEnabled(true);
    }
    PROCESS_TEXTBOX_2.setTooltip(running(WatchedProgram::daemon) ? "DAEMON PROCESS RUNNING" : "DAEMON PROCESS STOPPED");
    CLI_STOP_BUTTON.setEnabled(!running(WatchedProgram::client));
    PROCESS_TEXTBOX_3.setTooltip(running(WatchedProgram::client) ? "CLI PROCESS RUNNING" : "CLI PROCESS STOPPED");
    CLI_STOP_BUTTON.setEnabled(!running(WatchedProgram::mailer));
    PROCESS_TEXTBOX_4.setTooltip(mailer + (running(WatchedProgram::mailer) ? " PROCESS RUNNING" : " PROCESS STOPPED"));
}

void ManualRunWindow::start(CommandFile file) {
    MANUAL_RUN_STATUS_LABEL.setCaption(commandFileStartStatus(startCommandFileByHand(app_, file)));
}

}  // namespace syncward
