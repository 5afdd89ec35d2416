#include "core/settings/settings_windows.h"

#include "core/settings/crypto_settings_window.h"
#include "core/settings/main_settings_window.h"
#include "core/scheduler/scheduled_task_window.h"
#include "core/state/app_context.h"

namespace syncward {

SettingsWindows::SettingsWindows(AppContext& app) : app_(app) {}

SettingsWindows::~SettingsWindows() = default;

MainSettingsWindow& SettingsWindows::mainSettings() {
    if (!mainSettings_) {
        mainSettings_ = std::make_unique<MainSettingsWindow>(app_);
        mainSettings_->CRYPTO_SETTINGS_BUTTON.onClick = [this] { openCryptoSettings(); };
        if (openConfManager) {
            mainSettings_->CONF_MANAGER_BUTTON.onClick = [this] { openConfManager(); };
            mainSettings_->setConfManagerAvailable(true);
        }
        mainSettings_->SCHEDULER_BUTTON.onClick = [this] { openScheduledTask(); };
    }
    if (!mainSettings_->loaded()) mainSettings_->load();
    return *mainSettings_;
}

CryptoSettingsWindow& SettingsWindows::cryptoSettings() {
    if (!cryptoSettings_)
        cryptoSettings_ = std::make_unique<CryptoSettingsWindow>(app_, [this]() -> MainSettingsWindow& {
            return mainSettings();
        });
    if (!cryptoSettings_->loaded()) cryptoSettings_->load();
    return *cryptoSettings_;
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

}  // namespace syncward
