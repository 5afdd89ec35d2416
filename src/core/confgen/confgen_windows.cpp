#include "core/confgen/confgen_windows.h"

#include "core/confgen/block_times_window.h"
#include "core/confgen/coin_presets_window.h"
#include "core/confgen/conf_generator_window.h"
#include "core/confgen/rpc_credentials_window.h"
#include "core/settings/main_settings_window.h"
#include "core/settings/settings_windows.h"
#include "core/state/app_context.h"

namespace syncward {

ConfGenWindows::ConfGenWindows(AppContext& app, SettingsWindows& settings) : app_(app), settings_(settings) {}

ConfGenWindows::~ConfGenWindows() = default;

ConfGeneratorWindow& ConfGenWindows::generator() {
    if (!generator_) {
        // The home folder as the main settings show it at the moment of use.
        generator_ = std::make_unique<ConfGeneratorWindow>(
            app_, [this] { return settings_.mainSettings().SYNCWARD_HOME_TEXTBOX.text(); });
        generator_->IDS_BUTTON.onClick.connect([this] { openPresets(); });
        generator_->QV_RPC_TEST_CREDENTIALS_BUTTON.onClick.connect([this] { openCredentials(); });
    }
    return *generator_;
}

CoinPresetsWindow& ConfGenWindows::presets() {
    if (!presets_) presets_ = std::make_unique<CoinPresetsWindow>(app_, generator());
    return *presets_;
}

RpcCredentialsWindow& ConfGenWindows::credentials() {
    if (!credentials_) credentials_ = std::make_unique<RpcCredentialsWindow>(app_, generator());
    return *credentials_;
}

BlockTimesWindow& ConfGenWindows::blockTimes() {
    if (!blockTimes_) blockTimes_ = std::make_unique<BlockTimesWindow>(app_);
    return *blockTimes_;
}

void ConfGenWindows::openGenerator() {
    MainSettingsWindow& owner = settings_.mainSettings();
    ConfGeneratorWindow& window = generator();
    window.load();
    app_.platform.windows.showModal(window, owner);
    window.opened();
}

void ConfGenWindows::openPresets() {
    CoinPresetsWindow& window = presets();
    window.load();
    app_.platform.windows.showModal(window, generator());
}

void ConfGenWindows::openCredentials() {
    RpcCredentialsWindow& window = credentials();
    window.open();
    app_.platform.windows.showModal(window, generator());
}

void ConfGenWindows::openBlockTimes() {
    BlockTimesWindow& window = blockTimes();
    window.load();
    app_.platform.windows.showModal(window, app_.main);
}

}  // namespace syncward
