#include "core/settings/settings_windows.h"

#include "core/processes/output_commands_windows.h"
#include "core/scheduler/scheduled_task_window.h"
#include "core/settings/crypto_settings_window.h"
#include "core/settings/email_main_settings_window.h"
#include "core/settings/email_shared_settings_window.h"
#include "core/settings/main_settings_window.h"
#include "core/state/app_context.h"

namespace syncward {

// The output commands open from the settings windows: they show the files
// the run would start, those of the home folder in use, not of one typed
// into the main settings and not yet given with OK.
SettingsWindows::SettingsWindows(AppContext& app)
    : app_(app),
      outputCommands_(std::make_unique<OutputCommandsWindows>(
          app, [this] { return app_.main.SYNCWARD_HOME_TEXTBOX.text(); })) {}

SettingsWindows::~SettingsWindows() = default;

MainSettingsWindow& SettingsWindows::mainSettings() {
    if (!mainSettings_) {
        mainSettings_ = std::make_unique<MainSettingsWindow>(app_);
        mainSettings_->CRYPTO_SETTINGS_BUTTON.onClick.connect([this] { openCryptoSettings(); });
        if (openConfManager) {
            mainSettings_->CONF_MANAGER_BUTTON.onClick.connect([this] { openConfManager(); });
            mainSettings_->setConfManagerAvailable(true);
        }
        mainSettings_->SCHEDULER_BUTTON.onClick.connect([this] { openScheduledTask(); });
        mainSettings_->SE_SETTINGS_BUTTON.onClick.connect([this] { openEmailSettings(); });
        mainSettings_->VIEW_OUTPUT_COMMANDS_BUTTON.onClick.connect([this] {
            outputCommands_->openSingle(*mainSettings_);
        });
        mainSettings_->REPORTS_LOGS_BUTTON.onClick.connect([this] {
            if (openReportsLogs) openReportsLogs(*mainSettings_, mainSettings_->SYNCWARD_HOME_TEXTBOX.text());
        });
        mainSettings_->CHECK_SETUP_BUTTON.onClick.connect([this] {
            if (openSetupCheck) openSetupCheck(*mainSettings_);
        });
    }
    if (!mainSettings_->loaded()) mainSettings_->load();
    return *mainSettings_;
}

CryptoSettingsWindow& SettingsWindows::cryptoSettings() {
    if (!cryptoSettings_) {
        cryptoSettings_ = std::make_unique<CryptoSettingsWindow>(app_, [this]() -> MainSettingsWindow& {
            return mainSettings();
        });
        cryptoSettings_->VIEW_OUTPUT_COMMANDS_BUTTON.onClick.connect([this] {
            outputCommands_->openSingle(*cryptoSettings_);
        });
    }
    if (!cryptoSettings_->loaded()) cryptoSettings_->load();
    return *cryptoSettings_;
}

bool SettingsWindows::writeStoredNodeCheckFile() {
    // A window of its own, loaded from the store: the crypto settings may
    // be open with edits that were never saved.
    CryptoSettingsWindow stored(app_, [this]() -> MainSettingsWindow& { return mainSettings(); });
    stored.load();
    return stored.writeNodeCheckFile(app_.main.SYNCWARD_HOME_TEXTBOX.text());
}

EmailMainSettingsWindow& SettingsWindows::emailSettings() {
    if (!emailSettings_) {
        emailSettings_ = std::make_unique<EmailMainSettingsWindow>(app_, [this]() -> MainSettingsWindow& {
            return mainSettings();
        });
        emailSettings_->SHARED_SETTINGS_BUTTON.onClick.connect([this] { openEmailSharedSettings(); });
        emailSettings_->VIEW_OUTPUT_COMMANDS_BUTTON.onClick.connect([this] {
            outputCommands_->openSingle(*emailSettings_);
        });
    }
    if (!emailSettings_->loaded()) emailSettings_->load();
    return *emailSettings_;
}

EmailSharedSettingsWindow& SettingsWindows::emailSharedSettings() {
    if (!emailSharedSettings_)
        emailSharedSettings_ = std::make_unique<EmailSharedSettingsWindow>(app_, [this]() -> EmailMainSettingsWindow& {
            return emailSettings();
        });
    return *emailSharedSettings_;
}

void SettingsWindows::openMainSettings() { app_.platform.windows.showModal(mainSettings(), app_.main); }

void SettingsWindows::openCryptoSettings() {
    MainSettingsWindow& owner = mainSettings();
    CryptoSettingsWindow& crypto = cryptoSettings();
    app_.platform.windows.showModal(crypto, owner);
    crypto.opened();
}

ScheduledTaskWindow& SettingsWindows::scheduledTask() {
    if (!scheduledTask_) scheduledTask_ = std::make_unique<ScheduledTaskWindow>(app_);
    return *scheduledTask_;
}

void SettingsWindows::openScheduledTask() {
    MainSettingsWindow& owner = mainSettings();
    ScheduledTaskWindow& window = scheduledTask();
    window.load();
    app_.platform.windows.showModal(window, owner);
}

void SettingsWindows::openEmailSettings() {
    MainSettingsWindow& owner = mainSettings();
    EmailMainSettingsWindow& email = emailSettings();
    app_.platform.windows.showModal(email, owner);
    email.opened();
}

void SettingsWindows::openEmailSharedSettings() {
    EmailMainSettingsWindow& owner = emailSettings();
    EmailSharedSettingsWindow& shared = emailSharedSettings();
    shared.load();
    app_.platform.windows.showModal(shared, owner);
}

}  // namespace syncward
