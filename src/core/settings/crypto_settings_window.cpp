#include "core/settings/crypto_settings_window.h"

#include <optional>
#include <tuple>
#include <utility>
#include <vector>

#include "core/form/reaction_blocker.h"
#include "core/processes/command_file_writer.h"
#include "core/settings/main_settings_window.h"
#include "core/settings/settings_status.h"
#include "core/state/app_context.h"
#include "core/state/home_layout.h"

namespace syncward {

namespace {

constexpr WindowPlacement windowPlacement{"CRYPTO_SETTINGS-", 8895, 6735};

// The file dialog hands back a full path; the field takes the name only.
std::string fileNameOf(const std::string& path, const PlatformProfile& profile) {
    const std::string separators = std::string("/") + profile.separator();
    const auto last = path.find_last_of(separators);
    return last == std::string::npos ? path : path.substr(last + 1);
}

std::string joined(const std::vector<std::string>& parts, const char* between) {
    std::string text;
    for (const std::string& part : parts) text += (text.empty() ? "" : between) + part;
    return text;
}

}  // namespace

CryptoSettingsWindow::CryptoSettingsWindow(AppContext& app, std::function<MainSettingsWindow&()> mainSettings)
    : Form(formName, app.platform.loop),
      QT_LOCATION_LABEL(*this, "QT_LOCATION_LABEL", "QT - Folder - eg " + app.profile().useQtFolder()),
      QT_NAME_LABEL(*this, "QT_NAME_LABEL",
                    "QT" + app.profile().executableSuffix() + " - File - eg " + app.profile().useQtName()),
      DAEMON_CLI_LOCATION_LABEL(*this, "DAEMON_CLI_LOCATION_LABEL",
                                "DAEMON / CLI - Folder - eg " + app.profile().useDaemonFolder()),
      DAEMOND_NAME_LABEL(*this, "DAEMOND_NAME_LABEL",
                         "DAEMOND" + app.profile().executableSuffix() + " - File - eg " + app.profile().useDaemonName()),
      DAEMONCLI_NAME_LABEL(*this, "DAEMONCLI_NAME_LABEL",
                           "DAEMON-CLI" + app.profile().executableSuffix() + " - File - eg " +
                               app.profile().useCliName()),
      app_(app),
      mainSettings_(std::move(mainSettings)),
      qtOption_(QT_WALLET_TICKBOX, QT_DISABLE_WALLET_TICKBOX, QT_DASH_DISABLE_WALLET_EQUALS_TEXTBOX,
                "-disablewallet=0", "-disablewallet=1", true),
      daemonOption_(DAEMON_WALLET_TICKBOX, DAEMON_DISABLE_WALLET_TICKBOX, DAEMON_DASH_DISABLE_WALLET_EQUALS_TEXTBOX,
                    "-disablewallet=0", "-disablewallet=1", true),
      cliOption_(CLI_DAEMON_TICKBOX, DISABLE_DAEMON_TICKBOX, DASH_DISABLE_DAEMON_EQUALS_TEXTBOX, "-daemon=1",
                 "-daemon=0", false) {
    setCaption("SYNCWARD - CRYPTO SETTINGS");
    for (TickBox* box : {&QT_DISABLE_WALLET_TICKBOX, &DAEMON_DISABLE_WALLET_TICKBOX, &DISABLE_DAEMON_TICKBOX})
        box->setTooltip(crypto_texts::disablesWallet);
    // What the program composes is shown, not typed: the options follow the
    // tick boxes, the configuration file comes from the main settings, and
    // the command lines are rebuilt from the fields.
    for (TextBox* box : {&QT_DASH_DISABLE_WALLET_EQUALS_TEXTBOX, &DAEMON_DASH_DISABLE_WALLET_EQUALS_TEXTBOX,
                         &DASH_DISABLE_DAEMON_EQUALS_TEXTBOX, &CONF_FILE_LOCATION_TEXTBOX, &QV_QT_COMMAND_TEXTBOX,
                         &QV_D_COMMAND_TEXTBOX, &QVCLI_STOP_COMMAND_TEXTBOX, &GETBLOCKCOUNT_COMMAND_SETTINGS_TEXTBOX,
                         &NODE_CHECK_COMMAND_SETTINGS_TEXTBOX, &MESSAGE_STATUS_TEXTBOX})
        box->setLocked(true);

    qtOption_.install();
    daemonOption_.install();
    cliOption_.install();
    installBrowsers();

    const PlatformProfile& profile = app.profile();
    const std::pair<Button*, const std::string*> useValues[] = {
        {&USE_QT_LOCATION_BUTTON, &profile.useQtFolder()},     {&USE_QT_NAME_BUTTON, &profile.useQtName()},
        {&USE_DAEMON_CLI_LOCATION_BUTTON, &profile.useDaemonFolder()},
        {&USE_DAEMOND_NAME_BUTTON, &profile.useDaemonName()}, {&USE_DAEMONCLI_NAME_BUTTON, &profile.useCliName()},
    };
    for (const auto& [button, value] : useValues) button->setTooltip(*value);  // what "Use" will put in
    USE_QT_LOCATION_BUTTON.onClick.connect([this, &profile] { QT_LOCATION_TEXTBOX.setText(profile.useQtFolder()); });
    USE_QT_NAME_BUTTON.onClick.connect([this, &profile] { QT_NAME_TEXTBOX.setText(profile.useQtName()); });
    USE_DAEMON_CLI_LOCATION_BUTTON.onClick.connect([this, &profile] {
        DAEMON_CLI_LOCATION_TEXTBOX.setText(profile.useDaemonFolder());
    });
    USE_DAEMOND_NAME_BUTTON.onClick.connect([this, &profile] {
        DAEMOND_NAME_TEXTBOX.setText(profile.useDaemonName());
    });
    USE_DAEMONCLI_NAME_BUTTON.onClick.connect([this, &profile] {
        DAEMONCLI_NAME_SETTINGS_TEXTBOX.setText(profile.useCliName());
    });

    COMMAND_UPDATE_TIMER.onTick.connect([this] { rebuildCommands(); });
    SAVE_BUTTON.onClick.connect([this] { save(); });
    CANCEL_BUTTON.onClick.connect([this] { close(); });
    // Nothing but the place is stored on close; files already written stay.
    onClose.connect([this] {
        app_.settings.savePosition(*this, windowPlacement);
        COMMAND_UPDATE_TIMER.stop();
        loaded_ = false;
    });
}

void CryptoSettingsWindow::installBrowsers() {
    Dialogs& dialogs = app_.platform.dialogs;
    const PlatformProfile& profile = app_.profile();
    auto folderBrowser = [this, &dialogs](TextBox& box, const char* title) {
        return [this, &dialogs, &box, title] {
            if (auto folder = dialogs.browseFolder(*this, title, box.text()))
                box.setText(folder->substr(0, folder->find('\0')));
        };
    };
    auto fileDialog = [this, &dialogs, &profile](TextBox& box, std::string title, TextBox& startIn) {
        return [this, &dialogs, &profile, &box, title, &startIn] {
            if (auto file = dialogs.openFile(*this, title, profile.programFileFilter(), startIn.text()))
                box.setText(fileNameOf(*file, profile));
        };
    };
    const std::string& exe = profile.executableSuffix();
    BLOCKCHAIN_HOME_BROWSE_BUTTON.onClick.connect(folderBrowser(BLOCKCHAIN_HOME_TEXTBOX, "BLOCKCHAIN HOME FOLDER"));
    QT_LOCATION_BROWSE_BUTTON.onClick.connect(folderBrowser(QT_LOCATION_TEXTBOX, "QT - Program folder"));
    DAEMON_CLI_LOCATION_BROWSE_BUTTON.onClick.connect(
        folderBrowser(DAEMON_CLI_LOCATION_TEXTBOX, "DAEMON - Program Folder"));
    QT_NAME_BROWSE_BUTTON.onClick.connect(
        fileDialog(QT_NAME_TEXTBOX, "Select QT" + exe + " File", QT_LOCATION_TEXTBOX));
    DAEMOND_NAME_BROWSE_BUTTON.onClick.connect(
        fileDialog(DAEMOND_NAME_TEXTBOX, "Select DAEMOND" + exe + " File", DAEMON_CLI_LOCATION_TEXTBOX));
    DAEMONCLI_NAME_BROWSE_BUTTON.onClick.connect(
        fileDialog(DAEMONCLI_NAME_SETTINGS_TEXTBOX, "Select DAEMON-CLI" + exe + " File", DAEMON_CLI_LOCATION_TEXTBOX));
}

void CryptoSettingsWindow::opened() { COMMAND_UPDATE_TIMER.start(); }

void CryptoSettingsWindow::resetToBuiltState() {
    for (TextBox* box : {&CRYPTO_NAME_TEXTBOX, &BLOCKCHAIN_HOME_TEXTBOX, &QT_LOCATION_TEXTBOX, &QT_NAME_TEXTBOX,
                         &DAEMON_CLI_LOCATION_TEXTBOX, &DAEMOND_NAME_TEXTBOX, &DAEMONCLI_NAME_SETTINGS_TEXTBOX,
                         &CONF_FILE_LOCATION_TEXTBOX, &MESSAGE_STATUS_TEXTBOX}) {
        const ReactionBlocker quiet(*box);
        box->setText("");
    }
    MESSAGE_STATUS_TEXTBOX.setColours(colours::black, colours::windowBackground);
    qtOption_.resetQuietly();
    daemonOption_.resetQuietly();
    cliOption_.resetQuietly();
    QV_QT_COMMAND_TEXTBOX.setText(crypto_texts::qtCommandPlaceholder);
    QV_D_COMMAND_TEXTBOX.setText(crypto_texts::daemonCommandPlaceholder);
    QVCLI_STOP_COMMAND_TEXTBOX.setText(crypto_texts::cliCommandPlaceholder);
    GETBLOCKCOUNT_COMMAND_SETTINGS_TEXTBOX.setText(crypto_texts::blockCounterCommandPlaceholder);
    NODE_CHECK_COMMAND_SETTINGS_TEXTBOX.setText(crypto_texts::nodeCheckCommandPlaceholder);
    CANCEL_BUTTON.setCaption("Cancel");
}

void CryptoSettingsWindow::load() {
    const SectionSettings& s = app_.settings;
    resetToBuiltState();

    s.loadPlacement(*this, windowPlacement);
    COMMAND_UPDATE_TIMER.setInterval(1000);

    // Each loaded tick runs its click reaction.
    for (TextBox* box : {&CRYPTO_NAME_TEXTBOX, &BLOCKCHAIN_HOME_TEXTBOX, &QT_LOCATION_TEXTBOX, &QT_NAME_TEXTBOX,
                         &DAEMON_CLI_LOCATION_TEXTBOX, &DAEMOND_NAME_TEXTBOX, &DAEMONCLI_NAME_SETTINGS_TEXTBOX})
        s.loadText(*box, "");
    for (TickBox* box : {&QT_WALLET_TICKBOX, &QT_DISABLE_WALLET_TICKBOX, &DAEMON_WALLET_TICKBOX,
                         &DAEMON_DISABLE_WALLET_TICKBOX, &CLI_DAEMON_TICKBOX, &DISABLE_DAEMON_TICKBOX})
        s.loadTick(*box, 0);

    followMainConfFile();
    // The options follow the ticks whatever order they were loaded in.
    qtOption_.establish();
    daemonOption_.establish();
    cliOption_.establish();
    loaded_ = true;
}

NodeCommandFields CryptoSettingsWindow::commandFields() {
    NodeCommandFields fields;
    fields.qtFolder = QT_LOCATION_TEXTBOX.text();
    fields.qtName = QT_NAME_TEXTBOX.text();
    fields.daemonCliFolder = DAEMON_CLI_LOCATION_TEXTBOX.text();
    fields.daemonName = DAEMOND_NAME_TEXTBOX.text();
    fields.cliName = DAEMONCLI_NAME_SETTINGS_TEXTBOX.text();
    fields.confFile = CONF_FILE_LOCATION_TEXTBOX.text();
    fields.dataFolder = BLOCKCHAIN_HOME_TEXTBOX.text();
    fields.qtOption = QT_DASH_DISABLE_WALLET_EQUALS_TEXTBOX.text();
    fields.daemonOption = DAEMON_DASH_DISABLE_WALLET_EQUALS_TEXTBOX.text();
    fields.cliOption = DASH_DISABLE_DAEMON_EQUALS_TEXTBOX.text();
    // The block-count file of the home folder the command files go into, so
    // the line and the file the block counter reads share one home.
    fields.blockCountFile = mainSettings_().defaultBlockCountFile();
    fields.clientErrorFile = home_layout::clientErrorFile(app_.profile(), mainSettings_().SYNCWARD_HOME_TEXTBOX.text(),
                                                          app_.executableName);
    fields.nodeCheckFile = home_layout::nodeCheckFile(app_.profile(), mainSettings_().SYNCWARD_HOME_TEXTBOX.text(),
                                                      app_.executableName);
    fields.nodeLogFile = home_layout::nodeLogFile(app_.profile(), mainSettings_().SYNCWARD_HOME_TEXTBOX.text(),
                                                  app_.executableName);
    return fields;
}

// The configuration file is the main settings' choice as it stands now: a
// home folder set, or an own file ticked, after this window was loaded
// changes the lines it writes.
void CryptoSettingsWindow::followMainConfFile() {
    CONF_FILE_LOCATION_TEXTBOX.setText(mainSettings_().CONF_FILE_LOCATION_TEXTBOX.text());
}

void CryptoSettingsWindow::rebuildCommands() {
    const PlatformProfile& profile = app_.profile();
    followMainConfFile();
    const NodeCommandFields fields = commandFields();
    QV_QT_COMMAND_TEXTBOX.setText(qtRunCommand(profile, fields));
    QV_D_COMMAND_TEXTBOX.setText(daemonRunCommand(profile, fields));
    QVCLI_STOP_COMMAND_TEXTBOX.setText(cliStopCommand(profile, fields));
    GETBLOCKCOUNT_COMMAND_SETTINGS_TEXTBOX.setText(blockCountCommand(profile, fields));
    NODE_CHECK_COMMAND_SETTINGS_TEXTBOX.setText(nodeCheckCommand(profile, fields));
}

bool CryptoSettingsWindow::writeNodeCheckFile(const std::string& home) {
    rebuildCommands();
    if (DAEMONCLI_NAME_SETTINGS_TEXTBOX.text().empty() || !refusal(home).empty()) return false;
    return writeCommandFile(app_.platform.files, app_.profile(), home, app_.executableName, CommandFile::NodeCheck,
                            NODE_CHECK_COMMAND_SETTINGS_TEXTBOX.text());
}

// The command files of the programs that have a name, then the emptied
// block-count file. A program without a name gets no line (it would start
// the folder itself), and its file from an earlier Save goes: the run, a
// manual start and the output commands windows would otherwise use a line
// the settings no longer hold. All or nothing: when one write or removal
// fails, every file gets its old contents back, and the names of the files
// that failed come back.
CryptoSettingsWindow::FilesWritten CryptoSettingsWindow::writeFiles(const std::string& home) {
    FileSystem& files = app_.platform.files;
    const PlatformProfile& profile = app_.profile();
    const std::string& exe = app_.executableName;
    const bool hasClient = !DAEMONCLI_NAME_SETTINGS_TEXTBOX.text().empty();
    const std::tuple<CommandFile, TextBox*, bool> commandFiles[] = {
        {CommandFile::RunQt, &QV_QT_COMMAND_TEXTBOX, !QT_NAME_TEXTBOX.text().empty()},
        {CommandFile::RunDaemon, &QV_D_COMMAND_TEXTBOX, !DAEMOND_NAME_TEXTBOX.text().empty()},
        {CommandFile::CliStop, &QVCLI_STOP_COMMAND_TEXTBOX, hasClient},
        {CommandFile::BlockCounter, &GETBLOCKCOUNT_COMMAND_SETTINGS_TEXTBOX, hasClient},
        {CommandFile::NodeCheck, &NODE_CHECK_COMMAND_SETTINGS_TEXTBOX, hasClient},
    };
    std::vector<std::pair<std::string, TextRead>> changed;  // path, what it held before
    std::vector<std::string> failed, removed;
    for (const auto& [file, box, named] : commandFiles) {
        if (!named) continue;
        const std::string path = commandFilePath(profile, home, exe, file);
        TextRead before = files.readText(path, read_limits::shownInWindow);
        if (writeCommandFile(files, profile, home, exe, file, box->text()))
            changed.emplace_back(path, std::move(before));
        else
            failed.emplace_back(commandFileStem(file) + 1);  // "RUN-QT"
    }
    if (failed.empty() && !resetBlockCountFile(files, profile, home, exe)) failed.emplace_back("LATEST-BLOCKCOUNT");
    for (const auto& [file, box, named] : commandFiles) {
        if (named || !failed.empty()) continue;
        const std::string path = commandFilePath(profile, home, exe, file);
        TextRead before = files.readText(path, read_limits::shownInWindow);
        if (before.failure == ReadFailure::missing) continue;
        if (files.removeFile(path)) {
            removed.emplace_back(commandFileStem(file) + 1);
            changed.emplace_back(path, std::move(before));
        } else {
            failed.emplace_back(commandFileStem(file) + 1);
        }
    }
    if (!failed.empty()) {
        for (const auto& [path, before] : changed) {
            if (before.text)
                files.writeText(path, *before.text);
            else if (before.failure == ReadFailure::missing)
                files.removeFile(path);  // this Save created it
        }
        removed.clear();
    }
    return {joined(failed, ", "), joined(removed, ", ")};
}

// What would be refused before anything is stored or written: an empty or
// relative home folder, program folders that are not absolute, and command
// lines of more than one line.
std::string CryptoSettingsWindow::refusal(const std::string& home) const {
    const PlatformProfile& profile = app_.profile();
    if (home.empty()) return "NO HOME FOLDER SET IN MAIN SETTINGS";
    if (!profile.isAbsoluteFolder(home)) return "THE HOME FOLDER IN MAIN SETTINGS IS NOT A FULL PATH";
    const std::pair<const TextBox*, const char*> folders[] = {
        {&QT_LOCATION_TEXTBOX, "QT FOLDER"},
        {&DAEMON_CLI_LOCATION_TEXTBOX, "DAEMON / CLI FOLDER"},
        {&BLOCKCHAIN_HOME_TEXTBOX, "BLOCKCHAIN FOLDER"},
    };
    for (const auto& [box, name] : folders)
        if (!box->text().empty() && !profile.isAbsoluteFolder(box->text()))
            return std::string(name) + " MUST BE A FULL PATH";
    // The main settings' file, which the node is started with.
    const std::string& conf = CONF_FILE_LOCATION_TEXTBOX.text();
    if (!conf.empty() && !profile.isAbsoluteFolder(conf)) return "\".CONF\" FILE MUST BE A FULL PATH";
    for (const TextBox* box : {&QV_QT_COMMAND_TEXTBOX, &QV_D_COMMAND_TEXTBOX, &QVCLI_STOP_COMMAND_TEXTBOX,
                               &GETBLOCKCOUNT_COMMAND_SETTINGS_TEXTBOX, &NODE_CHECK_COMMAND_SETTINGS_TEXTBOX})
        if (box->text().find_first_of("\r\n") != std::string::npos)
            return "A FIELD HOLDS A LINE BREAK";
    return {};
}

// Either the whole Save happens (files written, settings stored, the main
// window updated) or nothing changes and the status says why: the next
// run must never run old command files beside new settings.
void CryptoSettingsWindow::save() {
    const SectionSettings& s = app_.settings;
    MainWindow& main = app_.main;
    // What is saved are the fields as they are now, not as the last tick saw them.
    rebuildCommands();

    const std::string home = mainSettings_().SYNCWARD_HOME_TEXTBOX.text();
    if (const std::string refused = refusal(home); !refused.empty()) {
        showStatus(MESSAGE_STATUS_TEXTBOX, "!!! " + refused + " - NOTHING SAVED !!!", colours::red);
        return;
    }
    // The files could be written, and still the lines would fail where they
    // send their output.
    if (const std::vector<std::string> missing = missingOutputFolders(app_.platform.files, app_.profile(), home);
        !missing.empty()) {
        showStatus(MESSAGE_STATUS_TEXTBOX,
                   "!!! FOLDER MISSING: " + joined(missing, ", ") + " - CREATE FOLDERS - NOTHING SAVED !!!",
                   colours::red);
        return;
    }
    const FilesWritten written = writeFiles(home);
    if (!written.failed.empty()) {
        showStatus(MESSAGE_STATUS_TEXTBOX,
                   "!!! NOT WRITTEN: " + written.failed +
                       " - CHECK THE HOME FOLDER / CREATE FOLDERS - NOTHING SAVED !!!",
                   colours::red);
        return;
    }

    COMMAND_UPDATE_TIMER.stop();
    main.CRYPTO_NAME_TEXTBOX.setText(CRYPTO_NAME_TEXTBOX.text());
    bool saved = true;
    for (TextBox* box : {&CRYPTO_NAME_TEXTBOX, &BLOCKCHAIN_HOME_TEXTBOX, &QT_LOCATION_TEXTBOX, &QT_NAME_TEXTBOX,
                         &DAEMON_CLI_LOCATION_TEXTBOX, &DAEMONCLI_NAME_SETTINGS_TEXTBOX, &DAEMOND_NAME_TEXTBOX})
        saved = s.saveText(*box) && saved;
    for (TickBox* box : {&QT_WALLET_TICKBOX, &QT_DISABLE_WALLET_TICKBOX, &DAEMON_WALLET_TICKBOX,
                         &DAEMON_DISABLE_WALLET_TICKBOX, &CLI_DAEMON_TICKBOX, &DISABLE_DAEMON_TICKBOX})
        saved = s.saveTick(*box) && saved;
    main.CRYPTO_NAME_TEXTBOX.setText(CRYPTO_NAME_TEXTBOX.text());
    main.QT_NAME_TEXTBOX.setText(QT_NAME_TEXTBOX.text());
    main.DAEMON_NAME_TEXTBOX.setText(DAEMOND_NAME_TEXTBOX.text());
    main.CLI_NAME_TEXTBOX.setText(DAEMONCLI_NAME_SETTINGS_TEXTBOX.text());
    // The folder sizer measures the main window's copy of the data folder.
    main.BLOCKCHAIN_HOME_TEXTBOX.setText(BLOCKCHAIN_HOME_TEXTBOX.text());

    TextBox* commands[] = {&QV_QT_COMMAND_TEXTBOX, &QV_D_COMMAND_TEXTBOX, &QVCLI_STOP_COMMAND_TEXTBOX,
                           &GETBLOCKCOUNT_COMMAND_SETTINGS_TEXTBOX};
    for (TextBox* box : commands) saved = s.saveText(*box) && saved;
    main.QV_QT_COMMAND_TEXTBOX.setText(QV_QT_COMMAND_TEXTBOX.text());
    main.QV_D_COMMAND_TEXTBOX.setText(QV_D_COMMAND_TEXTBOX.text());
    main.QVCLI_STOP_COMMAND_TEXTBOX.setText(QVCLI_STOP_COMMAND_TEXTBOX.text());
    main.GETBLOCKCOUNT_COMMAND_SETTINGS_TEXTBOX.setText(GETBLOCKCOUNT_COMMAND_SETTINGS_TEXTBOX.text());
    if (isOpen()) COMMAND_UPDATE_TIMER.start();
    CANCEL_BUTTON.setCaption("Close");

    if (saved && !written.removed.empty())
        showStatus(MESSAGE_STATUS_TEXTBOX,
                   "!!! CRYPTO SETTINGS SAVED - COMMAND FILES WRITTEN - REMOVED, AS ITS PROGRAM HAS NO NAME: " +
                       written.removed + " !!!",
                   colours::green);
    else if (saved)
        showStatus(MESSAGE_STATUS_TEXTBOX, crypto_texts::cryptoSettingsSaved, colours::green);
    else
        showStatus(MESSAGE_STATUS_TEXTBOX, notStoredText(app_.profile(), settings_texts::commandFilesNotStored),
                   colours::red);
}

}  // namespace syncward
