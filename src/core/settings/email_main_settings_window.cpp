#include "core/settings/email_main_settings_window.h"

#include <optional>
#include <utility>
#include <vector>

#include "core/form/reaction_blocker.h"
#include "core/processes/command_file_writer.h"
#include "core/processes/mail_command_lines.h"
#include "core/settings/main_settings_window.h"
#include "core/settings/settings_status.h"
#include "core/state/app_context.h"
#include "core/state/home_layout.h"

namespace syncward {

namespace {
constexpr WindowPlacement windowPlacement{"EMAIL-MAIN-SETTINGS-", 9915, 5385};
}  // namespace

EmailMainSettingsWindow::EmailMainSettingsWindow(AppContext& app, std::function<MainSettingsWindow&()> mainSettings)
    : EmailSettingsForm(formName, app), mainSettings_(std::move(mainSettings)) {
    setCaption("SYNCWARD - EMAIL MAIN SETTINGS");
    declareModelOnly({&TLS_TB_SETTING, &MESSAGE_COMMAND_TB, &ATTACHMENT_COMMAND_TB});
    // Composed, not typed.
    for (TextBox* box : {&START_EMAIL_SUBJECT_TEXTBOX, &END_EMAIL_SUBJECT_TEXTBOX, &EMAIL_OUTPUT_START_COMMAND_TEXTBOX,
                         &EMAIL_OUTPUT_END_COMMAND_TEXTBOX, &MESSAGE_STATUS_TEXTBOX})
        box->setLocked(true);
    COMMAND_UPDATE_TIMER.onTick.connect([this] { rebuildCommands(); });
    OK_BUTTON.onClick.connect([this] { ok(); });
    CANCEL_BUTTON.onClick.connect([this] { close(); });
    // However it closes without OK, the main window gets back the lines it
    // had: they are stored when the program closes, and the command files
    // still hold the old ones.
    onClose.connect([this] {
        COMMAND_UPDATE_TIMER.stop();
        app_.settings.savePosition(*this, windowPlacement);
        if (!applied_) {
            MainWindow& main = app_.main;
            main.EMAIL_OUTPUT_START_COMMAND_TEXTBOX.setText(mainStartCommand_);
            main.EMAIL_OUTPUT_END_COMMAND_TEXTBOX.setText(mainEndCommand_);
            main.SE_HOME_TEXTBOX.setText(mainMailerFolder_);
        }
        loaded_ = false;
    });
}

void EmailMainSettingsWindow::tlsChosen(const std::string& choice) {
    EmailSettingsForm::tlsChosen(choice);
    TLS_TB_SETTING.setText(choice);
}

void EmailMainSettingsWindow::resetToBuiltState() {
    {
        const ReactionBlocker quiet(REPORT_AS_ATTACHMENT_TICKBOX);
        REPORT_AS_ATTACHMENT_TICKBOX.setValue(0);
    }
    {
        const ReactionBlocker quiet(INCLUDE_HISTORY_IN_REPORT_MAIL_TICKBOX);
        INCLUDE_HISTORY_IN_REPORT_MAIL_TICKBOX.setValue(0);
    }
    SHOW_PASSWORD_TICKBOX.setValue(0);
    showStatus(MESSAGE_STATUS_TEXTBOX, "", colours::windowBackground);
    applied_ = false;
}

void EmailMainSettingsWindow::load() {
    const SectionSettings& s = app_.settings;
    resetToBuiltState();
    s.loadPlacement(*this, windowPlacement);
    loadMailSettings(s);
    // Lines stored before they were masked are shown masked too.
    for (TextBox* box : {&EMAIL_OUTPUT_START_COMMAND_TEXTBOX, &EMAIL_OUTPUT_END_COMMAND_TEXTBOX}) {
        s.loadText(*box, "");
        box->setText(maskedMailCommand(app_.profile(), box->text()));
    }
    startCommand_.clear();
    endCommand_.clear();
    s.loadTick(REPORT_AS_ATTACHMENT_TICKBOX, 0);
    s.loadTick(INCLUDE_HISTORY_IN_REPORT_MAIL_TICKBOX, 0);
    MESSAGE_COMMAND_TB.setText("");
    ATTACHMENT_COMMAND_TB.setText("");
    COMMAND_UPDATE_TIMER.setInterval(500);
    const MainWindow& main = app_.main;
    mainStartCommand_ = main.EMAIL_OUTPUT_START_COMMAND_TEXTBOX.text();
    mainEndCommand_ = main.EMAIL_OUTPUT_END_COMMAND_TEXTBOX.text();
    mainMailerFolder_ = main.SE_HOME_TEXTBOX.text();
    loaded_ = true;
}

void EmailMainSettingsWindow::opened() { COMMAND_UPDATE_TIMER.start(); }

// The subjects carry the coin's name; the files the lines name lie in the
// home folder the command files are written to.
EmailMainSettingsWindow::Composed EmailMainSettingsWindow::compose() const {
    const MainWindow& main = app_.main;
    const PlatformProfile& profile = app_.profile();
    const std::string home = mainSettings_().SYNCWARD_HOME_TEXTBOX.text();
    MailFields fields;
    fields.mailerFolder = SE_HOME_TEXTBOX.text();
    fields.from = SEND_FROM_ADDRESS_TEXTBOX.text();
    fields.to = SEND_TO_ADDRESS_TEXTBOX.text();
    fields.cc = SEND_CC_ADDRESS_TEXTBOX.text();
    fields.bcc = SEND_BCC_ADDRESS_TEXTBOX.text();
    fields.server = SMTP_SERVER_ADDRESS_PORT_TEXTBOX.text();
    fields.user = SMTP_USERNAME_TEXTBOX.text();
    fields.password = SMTP_PASSWORD_TEXTBOX.text();
    fields.tls = TLS_TB_SETTING.text();
    fields.logFile = home_layout::mailerLogFile(profile, home, app_.executableName);
    fields.reportFile = home_layout::reportFile(profile, home, app_.executableName);

    Composed c;
    c.startSubject = startMailSubject(main.CRYPTO_NAME_TEXTBOX.text());
    c.endSubject = endMailSubject(main.CRYPTO_NAME_TEXTBOX.text());
    const std::string messageFile = INCLUDE_HISTORY_IN_REPORT_MAIL_TICKBOX.ticked()
                                        ? home_layout::reportMailFile(profile, home, app_.executableName)
                                        : fields.reportFile;
    c.messageOption = reportMessageOption(profile, messageFile);
    if (REPORT_AS_ATTACHMENT_TICKBOX.ticked()) c.attachmentOption = reportAttachmentOption(profile, fields.reportFile);
    c.lines.start = startMailCommand(profile, fields, c.startSubject);
    c.lines.end = endMailCommand(profile, fields, c.endSubject, c.messageOption, c.attachmentOption);
    return c;
}

EmailMainSettingsWindow::CommandLines EmailMainSettingsWindow::commandFileLines() const { return compose().lines; }

void EmailMainSettingsWindow::rebuildCommands() {
    MainWindow& main = app_.main;
    const PlatformProfile& profile = app_.profile();
    main.SE_HOME_TEXTBOX.setText(SE_HOME_TEXTBOX.text());
    const Composed c = compose();
    START_EMAIL_SUBJECT_TEXTBOX.setText(c.startSubject);
    END_EMAIL_SUBJECT_TEXTBOX.setText(c.endSubject);
    MESSAGE_COMMAND_TB.setText("");
    ATTACHMENT_COMMAND_TB.setText("");
    MESSAGE_COMMAND_TB.setText(c.messageOption);
    ATTACHMENT_COMMAND_TB.setText(c.attachmentOption);
    startCommand_ = c.lines.start;
    endCommand_ = c.lines.end;
    // Only the command files get the password; wherever a line is shown
    // (here, the main window's copies, the output commands windows, the
    // stored lines) it is masked.
    EMAIL_OUTPUT_START_COMMAND_TEXTBOX.setText(maskedMailCommand(profile, startCommand_));
    EMAIL_OUTPUT_END_COMMAND_TEXTBOX.setText(maskedMailCommand(profile, endCommand_));
    main.EMAIL_OUTPUT_START_COMMAND_TEXTBOX.setText(EMAIL_OUTPUT_START_COMMAND_TEXTBOX.text());
    main.EMAIL_OUTPUT_END_COMMAND_TEXTBOX.setText(EMAIL_OUTPUT_END_COMMAND_TEXTBOX.text());
}

std::string EmailMainSettingsWindow::refusal(const std::string& home) const {
    if (home.empty()) return email_main_texts::noHome;
    if (!app_.profile().isAbsoluteFolder(home)) return email_main_texts::homeNotFull;
    if (std::string refused = mailSettingRefusal(); !refused.empty()) return refused;
    // The subjects carry the coin's name from the crypto settings.
    for (const TextBox* box : {&EMAIL_OUTPUT_START_COMMAND_TEXTBOX, &EMAIL_OUTPUT_END_COMMAND_TEXTBOX})
        if (box->text().find_first_of("\r\n") != std::string::npos) return email_main_texts::lineBreak;
    return {};
}

std::string EmailMainSettingsWindow::writeFiles(const std::string& home) {
    FileSystem& files = app_.platform.files;
    const PlatformProfile& profile = app_.profile();
    const std::string& exe = app_.executableName;
    const std::pair<CommandFile, const std::string*> commandFiles[] = {
        {CommandFile::StartEmail, &startCommand_},
        {CommandFile::EndReportEmail, &endCommand_},
    };
    std::vector<std::pair<std::string, TextRead>> written;  // path, what it held before
    std::string failed;
    for (const auto& [file, line] : commandFiles) {
        const std::string path = commandFilePath(profile, home, exe, file);
        TextRead before = files.readText(path, read_limits::shownInWindow);
        if (writeCommandFile(files, profile, home, exe, file, *line))
            written.emplace_back(path, std::move(before));
        else
            failed += (failed.empty() ? "" : ", ") + std::string(commandFileStem(file) + 1);
    }
    // Never one new file beside one old one: the written one gets its old
    // contents back, or goes when this OK created it.
    if (!failed.empty()) {
        for (const auto& [path, before] : written) {
            if (before.text)
                files.writeText(path, *before.text);
            else if (before.failure == ReadFailure::missing)
                files.removeFile(path);
        }
    }
    return failed;
}

// Files first: a save the files do not match would mail with old settings
// while the window says they are new.
void EmailMainSettingsWindow::ok() {
    const SectionSettings& s = app_.settings;
    MainWindow& main = app_.main;
    rebuildCommands();
    const std::string home = mainSettings_().SYNCWARD_HOME_TEXTBOX.text();
    if (const std::string refused = refusal(home); !refused.empty()) {
        showStatus(MESSAGE_STATUS_TEXTBOX, refused, colours::red);
        return;
    }
    if (const std::string failed = writeFiles(home); !failed.empty()) {
        showStatus(MESSAGE_STATUS_TEXTBOX,
                   "!!! NOT WRITTEN: " + failed + " - CHECK THE HOME FOLDER / CREATE FOLDERS - NOTHING SAVED !!!",
                   colours::red);
        return;
    }
    s.savePosition(*this, windowPlacement);
    bool saved = storeMailSettings(s);
    for (const TextBox* box : {&EMAIL_OUTPUT_START_COMMAND_TEXTBOX, &EMAIL_OUTPUT_END_COMMAND_TEXTBOX})
        saved = s.saveText(*box) && saved;
    saved = s.saveTick(REPORT_AS_ATTACHMENT_TICKBOX) && saved;
    saved = s.saveTick(INCLUDE_HISTORY_IN_REPORT_MAIL_TICKBOX) && saved;
    main.EMAIL_OUTPUT_START_COMMAND_TEXTBOX.setText(EMAIL_OUTPUT_START_COMMAND_TEXTBOX.text());
    main.EMAIL_OUTPUT_END_COMMAND_TEXTBOX.setText(EMAIL_OUTPUT_END_COMMAND_TEXTBOX.text());
    applied_ = true;
    if (!saved) {
        showStatus(MESSAGE_STATUS_TEXTBOX, notStoredText(app_.profile(), settings_texts::commandFilesNotStored),
                   colours::red);
        return;
    }
    close();
}

}  // namespace syncward
