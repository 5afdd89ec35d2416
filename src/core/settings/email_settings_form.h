#pragma once

#include <string>

#include "core/form/form.h"

namespace syncward {

struct AppContext;
class SectionSettings;

namespace email_texts {
inline constexpr const char* tlsNo = "no";
inline constexpr const char* tlsYes = "yes";
inline constexpr const char* tlsAuto = "auto";
inline constexpr const char* lineBreak = "!!! A FIELD HOLDS A LINE BREAK OR A NUL - NOTHING SAVED !!!";
inline constexpr const char* mailerFolderNotFull =
    "!!! THE MAILER'S HOME FOLDER MUST BE A FULL PATH - NOTHING SAVED !!!";
// "!!! CC STARTS WITH "-" OR IS "0" - THE MAILER WOULD TAKE IT FOR AN OPTION - NOTHING SAVED !!!"
std::string readAsOption(const std::string& field);
}  // namespace email_texts

// The eleven mail settings both e-mail windows have, under the same names:
// the mailer's folder, server, login, addresses and the TLS choice, with
// the password masked unless "Show Password" is ticked. The main e-mail
// window keeps them in this copy's section, the shared window in the
// section every copy shares.
class EmailSettingsForm : public Form {
public:
    EmailSettingsForm(std::string formName, AppContext& app);

    Label SE_HOME_LABEL;
    TextBox SE_HOME_TEXTBOX{*this, "SE_HOME_TEXTBOX"};
    Button USE_SE_HOME_BUTTON{*this, "USE_SE_HOME_BUTTON", "Use"};
    Button SE_HOME_BROWSE_BUTTON{*this, "SE_HOME_BROWSE_BUTTON", "..."};
    TextBox SMTP_SERVER_ADDRESS_PORT_TEXTBOX{*this, "SMTP_SERVER_ADDRESS_PORT_TEXTBOX"};
    TextBox SMTP_USERNAME_TEXTBOX{*this, "SMTP_USERNAME_TEXTBOX"};
    TextBox SMTP_PASSWORD_TEXTBOX{*this, "SMTP_PASSWORD_TEXTBOX"};
    TickBox SHOW_PASSWORD_TICKBOX{*this, "SHOW_PASSWORD_TICKBOX", "Show Password"};
    TextBox SEND_FROM_ADDRESS_TEXTBOX{*this, "SEND_FROM_ADDRESS_TEXTBOX"};
    TextBox SEND_TO_ADDRESS_TEXTBOX{*this, "SEND_TO_ADDRESS_TEXTBOX"};
    TextBox SEND_CC_ADDRESS_TEXTBOX{*this, "SEND_CC_ADDRESS_TEXTBOX"};
    TextBox SEND_BCC_ADDRESS_TEXTBOX{*this, "SEND_BCC_ADDRESS_TEXTBOX"};
    TickBox TLS_NO_TICKBOX{*this, "TLS_NO_TICKBOX", "no", 1};
    TickBox TLS_YES_TICKBOX{*this, "TLS_YES_TICKBOX", "yes"};
    TickBox TLS_AUTO_TICKBOX{*this, "TLS_AUTO_TICKBOX", "auto"};

    // "no", "yes" or "auto": what the mailer is told.
    const std::string& tlsChoice() const { return tlsChoice_; }

    // The eleven values, in their order, from a section; a stored TLS
    // choice comes back as it was stored.
    void loadMailSettings(const SectionSettings& section);
    // False when any save failed.
    bool storeMailSettings(const SectionSettings& section) const;
    // The eleven values as the other window shows them, TLS included.
    void takeMailSettings(const EmailSettingsForm& other);
    // Why OK cannot take the values, as the status says it; empty when it
    // can. A value with a line break would end the one-line command file
    // early (and no shell passes a NUL on); a mailer folder that is not a full path would be looked for
    // wherever the shell runs (or read as an option); an address, server
    // or user the mailer would read as an option of its own is refused
    // (mailerWouldMisread).
    std::string mailSettingRefusal() const;

protected:
    // The main window also shows the choice as text.
    virtual void tlsChosen(const std::string& choice) { tlsChoice_ = choice; }
    AppContext& app_;

private:
    void installTlsGroup();
    // Sets the three boxes without running their reactions, then the choice.
    void setTlsBoxes(int no, int yes, int autoTls, bool othersEnabled, const std::string& choice);
    void restoreTls(int no, int yes, int autoTls);

    std::string tlsChoice_ = email_texts::tlsNo;
};

}  // namespace syncward
