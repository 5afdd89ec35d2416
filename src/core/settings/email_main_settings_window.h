#pragma once

#include <functional>
#include <string>

#include "core/settings/email_settings_form.h"

namespace syncward {

class MainSettingsWindow;

namespace email_main_texts {
inline constexpr const char* saved = "!!! EMAIL SETTINGS SAVED - COMMAND FILES WRITTEN !!!";
inline constexpr const char* noHome = "!!! NO HOME FOLDER SET IN MAIN SETTINGS - NOTHING SAVED !!!";
inline constexpr const char* homeNotFull = "!!! THE HOME FOLDER IN MAIN SETTINGS IS NOT A FULL PATH - NOTHING SAVED !!!";
inline constexpr const char* lineBreak = email_texts::lineBreak;
}  // namespace email_main_texts

// SYNCWARD_EMAIL_MAIN_SETTINGS: this copy's mail settings and the two
// mailer command lines, rebuilt every half second while the window is
// open and handed to the main window at once. OK stores everything and
// writes the two command files into the main settings' home folder; Cancel
// (or the close box) gives the main window back the lines it had.
class EmailMainSettingsWindow : public EmailSettingsForm {
public:
    static constexpr const char* formName = "SYNCWARD_EMAIL_MAIN_SETTINGS";
    static constexpr const char* includeHistoryName = "INCLUDE_HISTORY_IN_REPORT_MAIL_TICKBOX";

    EmailMainSettingsWindow(AppContext& app, std::function<MainSettingsWindow&()> mainSettings);

    TickBox REPORT_AS_ATTACHMENT_TICKBOX{*this, "REPORT_AS_ATTACHMENT_TICKBOX", "Also Attachment Report To Email"};
    // The mail's text is then the report followed by the last runs of the
    // history; the report file itself stays as it is.
    TickBox INCLUDE_HISTORY_IN_REPORT_MAIL_TICKBOX{*this, includeHistoryName, "Include History In Report Mail"};
    TextBox START_EMAIL_SUBJECT_TEXTBOX{*this, "START_EMAIL_SUBJECT_TEXTBOX"};
    TextBox END_EMAIL_SUBJECT_TEXTBOX{*this, "END_EMAIL_SUBJECT_TEXTBOX"};
    TextBox TLS_TB_SETTING{*this, "TLS_TB_SETTING", email_texts::tlsNo};
    TextBox MESSAGE_COMMAND_TB{*this, "MESSAGE_COMMAND_TB"};
    TextBox ATTACHMENT_COMMAND_TB{*this, "ATTACHMENT_COMMAND_TB"};
    TextBox EMAIL_OUTPUT_START_COMMAND_TEXTBOX{*this, "EMAIL_OUTPUT_START_COMMAND_TEXTBOX"};
    TextBox EMAIL_OUTPUT_END_COMMAND_TEXTBOX{*this, "EMAIL_OUTPUT_END_COMMAND_TEXTBOX"};
    // This window's own status: refused and failed saves are told here.
    TextBox MESSAGE_STATUS_TEXTBOX{*this, "MESSAGE_STATUS_TEXTBOX"};
    Timer COMMAND_UPDATE_TIMER{*this, "COMMAND_UPDATE_TIMER"};
    Button OK_BUTTON{*this, "OK_BUTTON", "OK"};
    Button CANCEL_BUTTON{*this, "CANCEL_BUTTON", "Cancel"};
    Button SHARED_SETTINGS_BUTTON{*this, "SHARED_SETTINGS_BUTTON", "SHARED SETTINGS"};
    Button VIEW_OUTPUT_COMMANDS_BUTTON{*this, "VIEW_OUTPUT_COMMANDS_BUTTON", "VIEW OUTPUT COMMANDS"};

    bool loaded() const { return loaded_; }
    void load();
    // The lines follow the fields while the window is open.
    void opened();
    // One tick: the subjects, the two parts of the end mail and both lines,
    // handed to the main window.
    void rebuildCommands();
    // The two lines exactly as OK writes them into the command files (with
    // the password), from the fields as they stand; nothing shown changes.
    struct CommandLines {
        std::string start, end;
    };
    CommandLines commandFileLines() const;

protected:
    void tlsChosen(const std::string& choice) override;

private:
    struct Composed {
        std::string startSubject, endSubject, messageOption, attachmentOption;
        CommandLines lines;
    };
    Composed compose() const;
    void resetToBuiltState();
    void ok();
    // Writes both command files or neither; the names of the files that
    // could not be written.
    std::string writeFiles(const std::string& home);
    std::string refusal(const std::string& home) const;

    std::function<MainSettingsWindow&()> mainSettings_;
    bool loaded_ = false;
    bool applied_ = false;
    // What the main window held when this window opened, for Cancel.
    std::string mainStartCommand_, mainEndCommand_, mainMailerFolder_;
    // The two lines with the password, for the command files only.
    std::string startCommand_, endCommand_;
};

}  // namespace syncward
