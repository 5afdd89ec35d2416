#include "core/settings/email_shared_settings_window.h"

#include <utility>

#include "core/settings/email_main_settings_window.h"
#include "core/settings/settings_status.h"
#include "core/state/app_context.h"

namespace syncward {

namespace {
constexpr WindowPlacement windowPlacement{"SHARED-SETTINGS-", 9960, 5505};
}  // namespace

EmailSharedSettingsWindow::EmailSharedSettingsWindow(AppContext& app,
                                                     std::function<EmailMainSettingsWindow&()> mainEmail)
    : EmailSettingsForm(formName, app), mainEmail_(std::move(mainEmail)), shared_(app.platform.store, sharedEmailSection) {
    setCaption("SYNCWARD - EMAIL SHARED SETTINGS");
    MESSAGE_STATUS_TEXTBOX.setLocked(true);
    OK_BUTTON.onClick.connect([this] { ok(); });
    CANCEL_BUTTON.onClick.connect([this] { close(); });
    USE_THESE_SHARED_SETTINGS_BUTTON.onClick.connect([this] { mainEmail_().takeMailSettings(*this); });
    // The place is this copy's own, in its own section.
    onClose.connect([this] { app_.settings.savePosition(*this, windowPlacement); });
}

void EmailSharedSettingsWindow::load() {
    app_.settings.loadPlacement(*this, windowPlacement);
    SHOW_PASSWORD_TICKBOX.setValue(0);
    showStatus(MESSAGE_STATUS_TEXTBOX, "", colours::windowBackground);
    loadMailSettings(shared_);
}

void EmailSharedSettingsWindow::ok() {
    // Shared values end up in every copy's command line, one line each.
    if (const std::string refused = mailSettingRefusal(); !refused.empty()) {
        showStatus(MESSAGE_STATUS_TEXTBOX, refused, colours::red);
        return;
    }
    if (!storeMailSettings(shared_)) {
        showStatus(MESSAGE_STATUS_TEXTBOX, notStoredText(app_.profile(), settings_texts::settingsNotStored), colours::red);
        return;
    }
    close();
}

}  // namespace syncward
