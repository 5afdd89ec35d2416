#include "core/confgen/coin_presets_window.h"

#include <stdexcept>

#include "core/coins/coin_catalogue.h"
#include "core/confgen/coin_presets.h"
#include "core/confgen/conf_generator_window.h"
#include "core/form/reaction_blocker.h"
#include "core/state/app_context.h"

namespace syncward {

namespace {
constexpr WindowPlacement windowPlacement{"IDS-", 6870, 3180};
}  // namespace

CoinPresetsWindow::CoinPresetsWindow(AppContext& app, ConfGeneratorWindow& generator)
    : Form(formName, app.platform.loop),
      BTC_BTG_RPC_NOTE_TEXTBOX(*this, "BTC_BTG_RPC_NOTE_TEXTBOX",
                               "!!! BTG USES THE SAME RPC PORT AS BTC !!!" + app.profile().lineEnd() +
                                   "!!! CHANGE THE RPC PORT IF RUNNING AT THE SAME TIME !!!" + app.profile().lineEnd()),
      app_(app),
      generator_(generator) {
    setCaption("SYNCWARD - CONF-GENERATOR - IMPORT DEFAULT SETTINGS");
    BTC_BTG_RPC_NOTE_TEXTBOX.setLocked(true);
    IMPORT_SETTINGS_TICKBOX.onClick.connect([this] { arm(); });
    BASIC_SETTINGS_BUTTON.onClick.connect([this] { importBasicSettings(); });
    for (std::size_t n = 0; n < coinButtons_.size(); ++n) {
        const Coin& coin = coinCatalogue[n];
        coinButtons_[n]->onClick.connect([this, &coin] { importCoin(coin); });
    }
    CANCEL_BUTTON.onClick.connect([this] { close(); });
    onClose.connect([this] { app_.settings.savePosition(*this, windowPlacement); });
    arm();
}

std::vector<std::unique_ptr<Button>> CoinPresetsWindow::makeCoinButtons(Form& form) {
    std::vector<std::unique_ptr<Button>> buttons;
    for (const Coin& coin : coinCatalogue)
        buttons.push_back(std::make_unique<Button>(form, std::string(coin.ticker) + "_IMPORT_BUTTON", coin.ticker));
    return buttons;
}

std::vector<Button*> CoinPresetsWindow::coinButtons() const {
    std::vector<Button*> buttons;
    for (const auto& button : coinButtons_) buttons.push_back(button.get());
    return buttons;
}

Button& CoinPresetsWindow::coinButton(const std::string& ticker) const {
    for (std::size_t n = 0; n < coinButtons_.size(); ++n)
        if (ticker == coinCatalogue[n].ticker) return *coinButtons_[n];
    throw std::out_of_range("no preset button for " + ticker);
}

void CoinPresetsWindow::load() {
    app_.settings.loadPlacement(*this, windowPlacement);
    {
        const ReactionBlocker quiet(IMPORT_SETTINGS_TICKBOX);
        IMPORT_SETTINGS_TICKBOX.setValue(0);
    }
    arm();
    CANCEL_BUTTON.setCaption("Cancel");
}

void CoinPresetsWindow::arm() {
    const bool armed = IMPORT_SETTINGS_TICKBOX.ticked();
    BASIC_SETTINGS_BUTTON.setEnabled(armed);
    for (const auto& button : coinButtons_) button->setEnabled(armed);
}

void CoinPresetsWindow::importCoin(const Coin& coin) {
    ConfGeneratorWindow& g = generator_;
    IMPORT_SETTINGS_TICKBOX.setValue(0);
    g.CRYPTO_NAME_TEXTBOX.setText(cryptoName(coin));
    if (coin.oldWallet) {
        g.OLD_WALLET_SUPPORT_TICKBOX.setValue(1);
        g.DAEMON_TICKBOX.setValue(1);
        g.DAEMON_TICKBOX.setEnabled(true);
    }
    g.PEER_PORT_TEXTBOX.setText(std::to_string(coin.peerPort));
    g.RPC_PORT_TEXTBOX.setText(std::to_string(coin.rpcPort));
    g.FULL_NODE_LIST_TEXTBOX.setText(coin.vertcoinNodes ? g.VTC_NODE_LIST_TEXTBOX.text() : "");
    CANCEL_BUTTON.setCaption("Close");
}

void CoinPresetsWindow::importBasicSettings() {
    ConfGeneratorWindow& g = generator_;
    g.WALLET_FILE_TEXTBOX.setText(basic_settings::walletFile);
    g.WALLET_TICKBOX.setValue(1);
    g.SERVER_TICKBOX.setValue(1);
    g.ALERTS_TICKBOX.setValue(1);
    g.LISTEN_TICKBOX.setValue(1);
    g.UPNP_TICKBOX.setValue(0);
    g.DNS_TICKBOX.setValue(1);
    g.OLD_WALLET_SUPPORT_TICKBOX.setValue(0);
    g.DAEMON_TICKBOX.setValue(0);
    g.DAEMON_TICKBOX.setEnabled(false);
    g.PEER_LOCALHOST_TICKBOX.setValue(1);
    g.RPC_LOCALHOST_TICKBOX.setValue(1);
    g.TIMEOUT_TEXTBOX.setText(basic_settings::timeout);
    g.RPC_TIMEOUT_TEXTBOX.setText(basic_settings::rpcTimeout);
    g.MAX_CONNECTIONS_TEXTBOX.setText(basic_settings::maxConnections);
    g.UACOMMENT_TEXTBOX.setText("");
    CANCEL_BUTTON.setCaption("Close");
}

}  // namespace syncward
