#include "core/settings/email_settings_form.h"

#include "core/form/reaction_blocker.h"
#include "core/processes/mail_command_lines.h"
#include "core/state/app_context.h"

namespace syncward {

namespace {

std::string homeLabel(const PlatformProfile& profile) {
    return "\"" + profile.mailerName() + "\" HOME - eg - " + profile.mailerFolder();
}

}  // namespace

std::string email_texts::readAsOption(const std::string& field) {
    return "!!! " + field + " STARTS WITH \"-\" OR IS \"0\" - THE MAILER WOULD TAKE IT FOR AN OPTION - NOTHING SAVED !!!";
}

EmailSettingsForm::EmailSettingsForm(std::string formName, AppContext& app)
    : Form(std::move(formName), app.platform.loop), SE_HOME_LABEL(*this, "SE_HOME_LABEL", homeLabel(app.profile())), app_(app) {
    SMTP_PASSWORD_TEXTBOX.setMasked(true);
    SHOW_PASSWORD_TICKBOX.onClick.connect([this] { SMTP_PASSWORD_TEXTBOX.setMasked(!SHOW_PASSWORD_TICKBOX.ticked()); });
    USE_SE_HOME_BUTTON.setTooltip(app.profile().mailerFolder());
    USE_SE_HOME_BUTTON.onClick.connect([this] { SE_HOME_TEXTBOX.setText(app_.profile().mailerFolder()); });
    SE_HOME_BROWSE_BUTTON.onClick.connect([this] {
        const std::string title = "HOME FOLDER - " + app_.profile().mailerName();
        if (auto folder = app_.platform.dialogs.browseFolder(*this, title, SE_HOME_TEXTBOX.text()))
            SE_HOME_TEXTBOX.setText(folder->substr(0, folder->find('\0')));
    });
    installTlsGroup();
}

// The three boxes work as one choice. Unticking "no" leaves nothing ticked
// (the choice stays "no") so that "yes" or "auto" can be ticked; unticking
// either of those returns to "no" ticked.
void EmailSettingsForm::installTlsGroup() {
    TLS_NO_TICKBOX.onClick.connect([this] {
        if (TLS_NO_TICKBOX.ticked())
            setTlsBoxes(1, 0, 0, false, email_texts::tlsNo);
        else
            setTlsBoxes(0, 0, 0, true, email_texts::tlsNo);
    });
    TLS_YES_TICKBOX.onClick.connect([this] {
        if (TLS_YES_TICKBOX.ticked())
            setTlsBoxes(0, 1, 0, false, email_texts::tlsYes);
        else
            setTlsBoxes(1, 0, 0, false, email_texts::tlsNo);
    });
    TLS_AUTO_TICKBOX.onClick.connect([this] {
        if (TLS_AUTO_TICKBOX.ticked())
            setTlsBoxes(0, 0, 1, false, email_texts::tlsAuto);
        else
            setTlsBoxes(1, 0, 0, false, email_texts::tlsNo);
    });
}

void EmailSettingsForm::setTlsBoxes(int no, int yes, int autoTls, bool othersEnabled, const std::string& choice) {
    {
        const ReactionBlocker quiet[] = {ReactionBlocker(TLS_NO_TICKBOX), ReactionBlocker(TLS_YES_TICKBOX),
                                         ReactionBlocker(TLS_AUTO_TICKBOX)};
        TLS_NO_TICKBOX.setValue(no);
        TLS_YES_TICKBOX.setValue(yes);
        TLS_AUTO_TICKBOX.setValue(autoTls);
    }
    // The ticked box stays available to be unticked; the others only when
    // nothing is ticked.
    TLS_NO_TICKBOX.setEnabled(no || othersEnabled);
    TLS_YES_TICKBOX.setEnabled(yes || othersEnabled);
    TLS_AUTO_TICKBOX.setEnabled(autoTls || othersEnabled);
    tlsChosen(choice);
}

// A stored "yes" or "auto" comes back as itself: falling back to "no"
// would send the password unencrypted at the next OK.
void EmailSettingsForm::restoreTls(int no, int yes, int autoTls) {
    if (yes)
        setTlsBoxes(0, 1, 0, false, email_texts::tlsYes);
    else if (autoTls)
        setTlsBoxes(0, 0, 1, false, email_texts::tlsAuto);
    else if (no)
        setTlsBoxes(1, 0, 0, false, email_texts::tlsNo);
    else
        setTlsBoxes(0, 0, 0, true, email_texts::tlsNo);
}

void EmailSettingsForm::loadMailSettings(const SectionSettings& s) {
    for (TextBox* box : {&SE_HOME_TEXTBOX, &SMTP_SERVER_ADDRESS_PORT_TEXTBOX, &SMTP_USERNAME_TEXTBOX,
                         &SMTP_PASSWORD_TEXTBOX, &SEND_FROM_ADDRESS_TEXTBOX, &SEND_TO_ADDRESS_TEXTBOX,
                         &SEND_CC_ADDRESS_TEXTBOX, &SEND_BCC_ADDRESS_TEXTBOX})
        s.loadText(*box, "");
    restoreTls(s.getTick(TLS_NO_TICKBOX.name(), 1), s.getTick(TLS_YES_TICKBOX.name(), 0),
               s.getTick(TLS_AUTO_TICKBOX.name(), 0));
    SMTP_PASSWORD_TEXTBOX.setMasked(!SHOW_PASSWORD_TICKBOX.ticked());
}

bool EmailSettingsForm::storeMailSettings(const SectionSettings& s) const {
    bool saved = true;
    for (const TextBox* box : {&SE_HOME_TEXTBOX, &SMTP_SERVER_ADDRESS_PORT_TEXTBOX, &SMTP_USERNAME_TEXTBOX,
                               &SMTP_PASSWORD_TEXTBOX, &SEND_FROM_ADDRESS_TEXTBOX, &SEND_TO_ADDRESS_TEXTBOX,
                               &SEND_CC_ADDRESS_TEXTBOX, &SEND_BCC_ADDRESS_TEXTBOX})
        saved = s.saveText(*box) && saved;
    for (const TickBox* box : {&TLS_NO_TICKBOX, &TLS_YES_TICKBOX, &TLS_AUTO_TICKBOX}) saved = s.saveTick(*box) && saved;
    return saved;
}

void EmailSettingsForm::takeMailSettings(const EmailSettingsForm& other) {
    const std::pair<TextBox*, const TextBox*> texts[] = {
        {&SE_HOME_TEXTBOX, &other.SE_HOME_TEXTBOX},
        {&SMTP_SERVER_ADDRESS_PORT_TEXTBOX, &other.SMTP_SERVER_ADDRESS_PORT_TEXTBOX},
        {&SMTP_USERNAME_TEXTBOX, &other.SMTP_USERNAME_TEXTBOX},
        {&SMTP_PASSWORD_TEXTBOX, &other.SMTP_PASSWORD_TEXTBOX},
        {&SEND_FROM_ADDRESS_TEXTBOX, &other.SEND_FROM_ADDRESS_TEXTBOX},
        {&SEND_TO_ADDRESS_TEXTBOX, &other.SEND_TO_ADDRESS_TEXTBOX},
        {&SEND_CC_ADDRESS_TEXTBOX, &other.SEND_CC_ADDRESS_TEXTBOX},
        {&SEND_BCC_ADDRESS_TEXTBOX, &other.SEND_BCC_ADDRESS_TEXTBOX},
    };
    for (const auto& [mine, theirs] : texts) mine->setText(theirs->text());
    restoreTls(other.TLS_NO_TICKBOX.value(), other.TLS_YES_TICKBOX.value(), other.TLS_AUTO_TICKBOX.value());
}

std::string EmailSettingsForm::mailSettingRefusal() const {
    for (const TextBox* box : {&SE_HOME_TEXTBOX, &SMTP_SERVER_ADDRESS_PORT_TEXTBOX, &SMTP_USERNAME_TEXTBOX,
                               &SMTP_PASSWORD_TEXTBOX, &SEND_FROM_ADDRESS_TEXTBOX, &SEND_TO_ADDRESS_TEXTBOX,
                               &SEND_CC_ADDRESS_TEXTBOX, &SEND_BCC_ADDRESS_TEXTBOX})
        if (box->text().find_first_of(std::string("\r\n\0", 3)) != std::string::npos) return email_texts::lineBreak;
    const std::string& folder = SE_HOME_TEXTBOX.text();
    if (!folder.empty() && !app_.profile().isAbsoluteFolder(folder)) return email_texts::mailerFolderNotFull;
    // The values the mailer gets as arguments of their own (the password
    // goes to its standard input).
    const std::pair<const TextBox*, const char*> arguments[] = {
        {&SEND_FROM_ADDRESS_TEXTBOX, "FROM"},          {&SEND_TO_ADDRESS_TEXTBOX, "TO"},
        {&SEND_CC_ADDRESS_TEXTBOX, "CC"},              {&SEND_BCC_ADDRESS_TEXTBOX, "BCC"},
        {&SMTP_SERVER_ADDRESS_PORT_TEXTBOX, "SMTP SERVER"}, {&SMTP_USERNAME_TEXTBOX, "SMTP USER NAME"},
    };
    for (const auto& [box, field] : arguments)
        if (mailerWouldMisread(box->text())) return email_texts::readAsOption(field);
    return {};
}

}  // namespace syncward
