#pragma once

#include <functional>

#include "core/settings/email_settings_form.h"
#include "core/state/section_settings.h"

namespace syncward {

class EmailMainSettingsWindow;

// The settings section every copy of the program shares, whatever its
// executable name.
inline constexpr const char* sharedEmailSection = "SYNCWARD-SHARED-EMAIL-SETTINGS";

// SYNCWARD_EMAIL_SHARED_SETTINGS: one set of mail settings for every copy
// on the machine. OK stores them in the shared section; "USE THESE SHARED
// SETTINGS" copies them into the main e-mail window, which stores and
// writes them only on its own OK.
class EmailSharedSettingsWindow : public EmailSettingsForm {
public:
    static constexpr const char* formName = "SYNCWARD_EMAIL_SHARED_SETTINGS";

    EmailSharedSettingsWindow(AppContext& app, std::function<EmailMainSettingsWindow&()> mainEmail);

    TextBox MESSAGE_STATUS_TEXTBOX{*this, "MESSAGE_STATUS_TEXTBOX"};
    Button OK_BUTTON{*this, "OK_BUTTON", "OK"};
    Button CANCEL_BUTTON{*this, "CANCEL_BUTTON", "Cancel"};
    Button USE_THESE_SHARED_SETTINGS_BUTTON{*this, "USE_THESE_SHARED_SETTINGS_BUTTON", "USE THESE SHARED SETTINGS"};

    void load();

private:
    void ok();

    std::function<EmailMainSettingsWindow&()> mainEmail_;
    SectionSettings shared_;
};

}  // namespace syncward
