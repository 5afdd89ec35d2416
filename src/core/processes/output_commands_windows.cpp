#include "core/processes/output_commands_windows.h"

#include "core/processes/command_file_runner.h"
#include "core/processes/mail_command_lines.h"
#include "core/state/app_context.h"

namespace syncward {

namespace {

constexpr WindowPlacement singlePlacement{"SINGLE_OUTPUT_COMMANDS_WINDOW-", 11865, 5055};
constexpr WindowPlacement allPlacement{"ALL_OUTPUT_COMMANDS_WINDOW-", 16200, 9600};

std::string filePath(const AppContext& app, const std::string& home, CommandFile file) {
    return commandFilePath(app.profile(), home, app.executableName, file);
}

// The main window's copy of a command line: what the next run's command
// file was written from. The node check has no copy there (it is rebuilt
// from the crypto settings' fields at every Save), so its line is shown as
// it stands in the file the run executes.
std::string shownCommand(AppContext& app, const std::string& home, CommandFile file) {
    if (file == CommandFile::NodeCheck) {
        const TextRead read = app.platform.files.readCommandText(filePath(app, home, file), read_limits::shownInWindow);
        return read.text ? *read.text : output_commands_texts::noNodeCheckFile;
    }
    const MainWindow& main = app.main;
    switch (file) {
        case CommandFile::RunQt: return main.QV_QT_COMMAND_TEXTBOX.text();
        case CommandFile::RunDaemon: return main.QV_D_COMMAND_TEXTBOX.text();
        case CommandFile::CliStop: return main.QVCLI_STOP_COMMAND_TEXTBOX.text();
        case CommandFile::BlockCounter: return main.GETBLOCKCOUNT_COMMAND_SETTINGS_TEXTBOX.text();
        // The password shows masked, also in a line stored before lines were.
        case CommandFile::StartEmail:
            return maskedMailCommand(app.profile(), main.EMAIL_OUTPUT_START_COMMAND_TEXTBOX.text());
        case CommandFile::EndReportEmail:
        case CommandFile::NodeCheck: break;
    }
    return maskedMailCommand(app.profile(), main.EMAIL_OUTPUT_END_COMMAND_TEXTBOX.text());
}

std::string singleTitle(CommandFile file, const std::string& mailer) {
    switch (file) {
        case CommandFile::RunQt: return "RUN COMMAND - QT";
        case CommandFile::RunDaemon: return "RUN COMMAND - DAEMON";
        case CommandFile::CliStop: return "RUN COMMAND - CLI - STOP";
        case CommandFile::BlockCounter: return "RUN COMMAND - BLOCKCOUNTER - GETBLOCKCOUNT";
        case CommandFile::StartEmail: return "RUN COMMAND - " + mailer + " - START EMAIL";
        case CommandFile::NodeCheck: return "RUN COMMAND - BLOCKCOUNTER - NODE CHECK";
        case CommandFile::EndReportEmail: break;
    }
    return "RUN COMMAND - " + mailer + " - END REPORT EMAIL";
}

std::string allTitle(CommandFile file) {
    switch (file) {
        case CommandFile::RunQt: return "RUN COMMAND - QT";
        case CommandFile::RunDaemon: return "RUN COMMAND - DAEMON";
        case CommandFile::CliStop: return "RUN COMMAND - CLI \"stop\" REQUEST";
        case CommandFile::BlockCounter: return "RUN COMMAND - BLOCKCOUNTER \"getblockcount\" REQUEST";
        case CommandFile::StartEmail: return "RUN COMMAND - START EMAIL";
        case CommandFile::NodeCheck: return "RUN COMMAND - BLOCKCOUNTER NODE CHECK REQUEST";
        case CommandFile::EndReportEmail: break;
    }
    return "RUN COMMAND - END REPORT EMAIL";
}

}  // namespace

SingleOutputCommandsWindow::SingleOutputCommandsWindow(AppContext& app, std::function<std::string()> home)
    : Form(formName, app.platform.loop), app_(app), home_(std::move(home)) {
    setCaption("SYNCWARD - OUTPUT COMMANDS - SINGLE WINDOW");
    ALL_COMMANDS_TEXTBOX.setLocked(true);
    ALL_LOCATIONS_TEXTBOX.setLocked(true);
    const std::pair<Button*, CommandFile> selectors[] = {
        {&QT_RUN_COMMAND_BUTTON, CommandFile::RunQt},
        {&DAEMON_RUN_COMMAND_BUTTON, CommandFile::RunDaemon},
        {&CLI_STOP_RUN_COMMAND_BUTTON, CommandFile::CliStop},
        {&BLOCKCOUNTER_RUN_COMMAND_BUTTON, CommandFile::BlockCounter},
        {&START_EMAIL_RUN_COMMAND_BUTTON, CommandFile::StartEmail},
        {&END_EMAIL_RUN_COMMAND_BUTTON, CommandFile::EndReportEmail},
        {&NODE_CHECK_RUN_COMMAND_BUTTON, CommandFile::NodeCheck},
    };
    for (const auto& [button, file] : selectors) button->onClick.connect([this, file = file] { show(file); });
    OK_BUTTON.onClick.connect([this] { close(); });
    onClose.connect([this] { app_.settings.savePosition(*this, singlePlacement); });
}

void SingleOutputCommandsWindow::load() {
    app_.settings.loadPlacement(*this, singlePlacement);
    COMMAND_NAME_LABEL.setCaption("RUN COMMAND - ");
    ALL_COMMANDS_TEXTBOX.setText(output_commands_texts::noneSelected);
    ALL_LOCATIONS_TEXTBOX.setText(output_commands_texts::noneSelected);
}

void SingleOutputCommandsWindow::show(CommandFile file) {
    COMMAND_NAME_LABEL.setCaption(singleTitle(file, app_.profile().mailerName()));
    const std::string home = home_();
    ALL_COMMANDS_TEXTBOX.setText(shownCommand(app_, home, file));
    ALL_LOCATIONS_TEXTBOX.setText(filePath(app_, home, file));
}

AllOutputCommandsWindow::AllOutputCommandsWindow(AppContext& app, std::function<std::string()> home)
    : Form(formName, app.platform.loop), app_(app), home_(std::move(home)) {
    setCaption("SYNCWARD - ALL OUTPUT COMMANDS");
    for (const Row& row : rows()) {
        row.title->setCaption(allTitle(row.file));
        row.command->setLocked(true);
        row.location->setLocked(true);
    }
    OK_BUTTON.onClick.connect([this] { close(); });
    onClose.connect([this] { app_.settings.savePosition(*this, allPlacement); });
}

std::array<AllOutputCommandsWindow::Row, 7> AllOutputCommandsWindow::rows() {
    return {{
        {CommandFile::RunQt, &QT_TITLE_LABEL, &QV_QT_COMMAND_TEXTBOX, &SYNCWARD_QT_BAT_LOCATION_TEXTBOX},
        {CommandFile::RunDaemon, &DAEMON_TITLE_LABEL, &QV_D_COMMAND_TEXTBOX, &SYNCWARD_DAEMON_BAT_LOCATION_TEXTBOX},
        {CommandFile::CliStop, &CLI_STOP_TITLE_LABEL, &QVCLI_STOP_COMMAND_TEXTBOX,
         &SYNCWARD_CLI_STOP_BAT_LOCATION_TEXTBOX},
        {CommandFile::BlockCounter, &BLOCKCOUNTER_TITLE_LABEL, &GETBLOCKCOUNT_COMMAND_SETTINGS_TEXTBOX,
         &SYNCWARD_BLOCKCOUNTER_BAT_LOCATION_TEXTBOX},
        {CommandFile::StartEmail, &SE_START_TITLE_LABEL, &EMAIL_OUTPUT_START_COMMAND_TEXTBOX,
         &SYNCWARD_SE_START_BAT_LOCATION_TEXTBOX},
        {CommandFile::EndReportEmail, &SE_END_TITLE_LABEL, &EMAIL_OUTPUT_END_COMMAND_TEXTBOX,
         &SYNCWARD_SE_END_BAT_LOCATION_TEXTBOX},
        {CommandFile::NodeCheck, &NODE_CHECK_TITLE_LABEL, &NODE_CHECK_COMMAND_TEXTBOX,
         &SYNCWARD_NODE_CHECK_BAT_LOCATION_TEXTBOX},
    }};
}

void AllOutputCommandsWindow::load() {
    // 1080 x 640 pixels at 96 dpi: whole on a 1366 x 768 screen.
    app_.settings.loadPlacement(*this, allPlacement);
    const std::string home = home_();
    for (const Row& row : rows()) {
        row.command->setText(shownCommand(app_, home, row.file));
        row.location->setText(filePath(app_, home, row.file));
    }
}

namespace {
std::function<std::string()> homeOrMain(AppContext& app, std::function<std::string()> home) {
    if (home) return home;
    return [&app] { return app.main.SYNCWARD_HOME_TEXTBOX.text(); };
}
}  // namespace

OutputCommandsWindows::OutputCommandsWindows(AppContext& app, std::function<std::string()> home)
    : app_(app), single_(app, homeOrMain(app, home)), all_(app, homeOrMain(app, home)) {
    single_.VIEW_ALL_COMMANDS_BUTTON.onClick.connect([this] { openAll(single_); });
}

void OutputCommandsWindows::openSingle(Form& owner) {
    single_.load();
    app_.platform.windows.showModal(single_, owner);
}

void OutputCommandsWindows::openAll(Form& owner) {
    all_.load();
    app_.platform.windows.showModal(all_, owner);
}

}  // namespace syncward
