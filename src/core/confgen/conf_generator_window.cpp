#include "core/confgen/conf_generator_window.h"

#include <utility>

#include "core/confgen/coin_presets.h"
#include "core/confgen/rpc_credentials.h"
#include "core/form/reaction_blocker.h"
#include "core/settings/settings_status.h"
#include "core/state/app_context.h"
#include "core/state/home_layout.h"

namespace syncward {

namespace {

// The generator shares the main window's place: whichever closed last
// decides where both open next.
constexpr WindowPlacement windowPlacement{"MAIN-", 13785, 7965};

// A key is plain ("server=") or commented ("#server="); the line stays in
// the file either way.
void setKey(TextBox& key, bool plain) {
    std::string bare = key.text();
    if (bare.starts_with('#')) bare.erase(0, 1);
    key.setText(plain ? bare : "#" + bare);
}

std::string state(const TickBox& box) { return box.ticked() ? "1" : "0"; }

}  // namespace

ConfGeneratorWindow::ConfGeneratorWindow(AppContext& app, std::function<std::string()> homeFolder)
    : Form(formName, app.platform.loop),
      VTC_NODE_LIST_TEXTBOX(*this, "VTC_NODE_LIST_TEXTBOX", vertcoinNodeList(app.profile().lineEnd())),
      app_(app),
      homeFolder_(std::move(homeFolder)) {
    setCaption(confgen_texts::caption);
    declareModelOnly({&FULL_NODE_LIST_TEXTBOX, &WALLET_EQUALS_TEXTBOX, &DISABLE_WALLET_EQUALS_TEXTBOX,
                      &SERVER_EQUALS_TEXTBOX, &ALERTS_EQUALS_TEXTBOX, &LISTEN_EQUALS_TEXTBOX, &UPNP_EQUALS_TEXTBOX,
                      &DNS_EQUALS_TEXTBOX, &DAEMON_EQUALS_TEXTBOX, &PEER_ALLOW_LOCAL_IP_TEXTBOX,
                      &RPC_ALLOW_LOCAL_IP_TEXTBOX, &PEER_TIMEOUT_EQUALS_TEXTBOX, &RPC_TIMEOUT_EQUALS_TEXTBOX,
                      &MAX_CONNECTIONS_EQUALS_TEXTBOX, &PORT_EQUALS_TEXTBOX, &RPC_PORT_EQUALS_TEXTBOX,
                      &UACOMMENT_EQUALS_TEXTBOX, &RPCUSER_EQUALS_TEXTBOX, &RPCPASSWORD_EQUALS_TEXTBOX,
                      &RPCAUTH_EQUALS_TEXTBOX, &LOCALHOST_IP_TEXTBOX, &QV_CONF_MESSAGE, &FULL_QV_CONF_MESSAGE,
                      &VTC_NODE_LIST_TEXTBOX});
    for (TextBox* box : {&CONF_FILE_LOCATION_TEXTBOX, &CONF_OUTPUT_TEXTBOX, &MESSAGE_STATUS_TEXTBOX})
        box->setLocked(true);
    CRYPTO_NAME_TEXTBOX.setTooltip("Enter Crypto Name eg BTC");
    WALLET_FILE_TEXTBOX.setTooltip("Wallet File Saved In Blockchain Folder - Default=wallet.dat");
    DISABLE_WALLET_TICKBOX.setTooltip("!!! DISABLES ALL WALLET FUNCTIONALITY !!!");
    OLD_WALLET_SUPPORT_TICKBOX.setTooltip("For OLD Crypto's eg Namecoin NMC");
    TIMEOUT_TEXTBOX.setTooltip("timeout=   (Milliseconds - Minimum=1 - Default=5000)");
    USER_DEFINED_SETTINGS_TEXTBOX.setTooltip("USE \"CTRL-ENTER\" FOR NEW LINE");
    CONF_OUTPUT_TEXTBOX.setTooltip("Final Crypto-Conf Output");
    QV_RPC_TEST_CREDENTIALS_BUTTON.setTooltip(
        "RPC TEST Credentials !!! RUN \"rpcuser.py\" TO MAKE YOUR OWN !!! Requires \"Python\" !!!");
    RPC_WARNING_LABEL.setForeground(colours::red);
    DISABLE_WALLET_TICKBOX.setEnabled(false);
    DAEMON_TICKBOX.setEnabled(false);

    installTickReactions();
    for (TextBox* field : singleLineFields()) field->onChange.connect([this, field] { keepOneLine(*field); });
    CONF_OUTPUT_TIMER.onTick.connect([this] { rebuildPreview(); });
    NO_2X_BUTTON.onClick.connect([this] { UACOMMENT_TEXTBOX.setText("NO2X"); });
    CLEAR_ALL_BUTTON.onClick.connect([this] { clearAll(); });
    SAVE_BUTTON.onClick.connect([this] { save(); });
    CANCEL_BUTTON.onClick.connect([this] { close(); });
    // Nothing but the place is kept; unsaved changes are dropped.
    onClose.connect([this] {
        app_.settings.savePosition(*this, windowPlacement);
        CONF_OUTPUT_TIMER.stop();
    });
}

// Each line's value field, for the lines that hold one value: a line break
// in any of them would add a line of its own to the node's configuration.
std::vector<TextBox*> ConfGeneratorWindow::singleLineFields() {
    return {&CRYPTO_NAME_TEXTBOX, &WALLET_FILE_TEXTBOX, &TIMEOUT_TEXTBOX,   &RPC_TIMEOUT_TEXTBOX,
            &MAX_CONNECTIONS_TEXTBOX, &PEER_PORT_TEXTBOX, &RPC_PORT_TEXTBOX, &UACOMMENT_TEXTBOX,
            &RPC_USER_TEXTBOX,    &RPC_PASSWORD_TEXTBOX, &RPC_AUTH_TEXTBOX};
}

std::vector<TickBox*> ConfGeneratorWindow::storedTicks() {
    return {&WALLET_TICKBOX, &DISABLE_WALLET_TICKBOX, &SERVER_TICKBOX, &ALERTS_TICKBOX,
            &LISTEN_TICKBOX, &UPNP_TICKBOX, &DNS_TICKBOX, &OLD_WALLET_SUPPORT_TICKBOX,
            &DAEMON_TICKBOX, &PEER_LOCALHOST_TICKBOX, &RPC_LOCALHOST_TICKBOX};
}

void ConfGeneratorWindow::installTickReactions() {
    const std::pair<TickBox*, TextBox*> ownKey[] = {
        {&SERVER_TICKBOX, &SERVER_EQUALS_TEXTBOX},         {&ALERTS_TICKBOX, &ALERTS_EQUALS_TEXTBOX},
        {&LISTEN_TICKBOX, &LISTEN_EQUALS_TEXTBOX},         {&UPNP_TICKBOX, &UPNP_EQUALS_TEXTBOX},
        {&DNS_TICKBOX, &DNS_EQUALS_TEXTBOX},               {&PEER_LOCALHOST_TICKBOX, &PEER_ALLOW_LOCAL_IP_TEXTBOX},
        {&RPC_LOCALHOST_TICKBOX, &RPC_ALLOW_LOCAL_IP_TEXTBOX},
    };
    for (const auto& [box, key] : ownKey) box->onClick.connect([box, key] { setKey(*key, box->ticked()); });
    // "Disabled" means something only with a wallet line to switch off.
    WALLET_TICKBOX.onClick.connect([this] {
        const bool on = WALLET_TICKBOX.ticked();
        setKey(DISABLE_WALLET_EQUALS_TEXTBOX, on);
        DISABLE_WALLET_TICKBOX.setEnabled(on);
        if (!on) DISABLE_WALLET_TICKBOX.setValue(0);
    });
    // Only old coins read "daemon=" from the file; ticking support makes
    // the line count, whatever "Daemon" says.
    OLD_WALLET_SUPPORT_TICKBOX.onClick.connect([this] {
        const bool on = OLD_WALLET_SUPPORT_TICKBOX.ticked();
        DAEMON_TICKBOX.setEnabled(on);
        setKey(DAEMON_EQUALS_TEXTBOX, on);
        if (!on) DAEMON_TICKBOX.setValue(0);
    });
}

// A pasted line break would start a configuration line of its own, so it
// is taken out where it lands; the user block is the place for more lines.
void ConfGeneratorWindow::keepOneLine(TextBox& field) {
    std::string text = field.text();
    if (text.find_first_of("\r\n") == std::string::npos) return;
    std::erase(text, '\r');
    std::erase(text, '\n');
    field.setText(text);
    showStatus(MESSAGE_STATUS_TEXTBOX, confgen_texts::lineBreakRemoved, colours::red);
}

void ConfGeneratorWindow::resetToBuiltState() {
    for (TextBox* box : singleLineFields()) {
        const ReactionBlocker quiet(*box);
        box->setText("");
    }
    for (TextBox* box : {&USER_DEFINED_SETTINGS_TEXTBOX, &FULL_NODE_LIST_TEXTBOX, &CONF_OUTPUT_TEXTBOX,
                         &CONF_FILE_LOCATION_TEXTBOX, &FULL_QV_CONF_MESSAGE})
        box->setText("");
    for (TickBox* box : storedTicks()) {
        const ReactionBlocker quiet(*box);
        box->setValue(0);
    }
    for (TextBox* key : {&WALLET_EQUALS_TEXTBOX, &DISABLE_WALLET_EQUALS_TEXTBOX, &SERVER_EQUALS_TEXTBOX,
                         &ALERTS_EQUALS_TEXTBOX, &LISTEN_EQUALS_TEXTBOX, &UPNP_EQUALS_TEXTBOX, &DNS_EQUALS_TEXTBOX,
                         &DAEMON_EQUALS_TEXTBOX, &PEER_ALLOW_LOCAL_IP_TEXTBOX, &RPC_ALLOW_LOCAL_IP_TEXTBOX,
                         &PEER_TIMEOUT_EQUALS_TEXTBOX, &RPC_TIMEOUT_EQUALS_TEXTBOX, &MAX_CONNECTIONS_EQUALS_TEXTBOX,
                         &PORT_EQUALS_TEXTBOX, &RPC_PORT_EQUALS_TEXTBOX, &UACOMMENT_EQUALS_TEXTBOX,
                         &RPCUSER_EQUALS_TEXTBOX, &RPCPASSWORD_EQUALS_TEXTBOX, &RPCAUTH_EQUALS_TEXTBOX})
        setKey(*key, true);
    DISABLE_WALLET_TICKBOX.setEnabled(false);
    DAEMON_TICKBOX.setEnabled(false);
    showStatus(MESSAGE_STATUS_TEXTBOX, "", colours::windowBackground);
    RPC_WARNING_LABEL.setCaption("");
    CANCEL_BUTTON.setCaption("Cancel");
}

void ConfGeneratorWindow::load() {
    const SectionSettings& s = app_.settings;
    resetToBuiltState();
    s.loadPlacement(*this, windowPlacement);
    CONF_OUTPUT_TIMER.setInterval(1000);

    // In this order; a loaded tick that changes runs its reaction.
    s.loadText(CRYPTO_NAME_TEXTBOX, "");
    s.loadText(WALLET_FILE_TEXTBOX, "");
    for (TickBox* box : storedTicks()) s.loadTick(*box, 0);
    for (TextBox* box : {&TIMEOUT_TEXTBOX, &RPC_TIMEOUT_TEXTBOX, &MAX_CONNECTIONS_TEXTBOX, &PEER_PORT_TEXTBOX,
                         &RPC_PORT_TEXTBOX, &UACOMMENT_TEXTBOX, &RPC_USER_TEXTBOX, &RPC_PASSWORD_TEXTBOX,
                         &RPC_AUTH_TEXTBOX, &FULL_NODE_LIST_TEXTBOX, &USER_DEFINED_SETTINGS_TEXTBOX})
        s.loadText(*box, "");

    CONF_FILE_LOCATION_TEXTBOX.setText(home_layout::configFile(app_.profile(), homeFolder_(), app_.executableName));
    FULL_QV_CONF_MESSAGE.setText("# - " + CRYPTO_NAME_TEXTBOX.text() + QV_CONF_MESSAGE.text());
    setKeysFromTicks();
}

void ConfGeneratorWindow::opened() { CONF_OUTPUT_TIMER.start(); }

// The keys as the loaded ticks say, whatever order the reactions ran in.
void ConfGeneratorWindow::setKeysFromTicks() {
    setKey(DISABLE_WALLET_EQUALS_TEXTBOX, WALLET_TICKBOX.ticked());
    setKey(SERVER_EQUALS_TEXTBOX, SERVER_TICKBOX.ticked());
    setKey(ALERTS_EQUALS_TEXTBOX, ALERTS_TICKBOX.ticked());
    setKey(LISTEN_EQUALS_TEXTBOX, LISTEN_TICKBOX.ticked());
    setKey(UPNP_EQUALS_TEXTBOX, UPNP_TICKBOX.ticked());
    setKey(DNS_EQUALS_TEXTBOX, DNS_TICKBOX.ticked());
    DAEMON_TICKBOX.setEnabled(OLD_WALLET_SUPPORT_TICKBOX.ticked());
    setKey(DAEMON_EQUALS_TEXTBOX, DAEMON_TICKBOX.ticked());
    setKey(PEER_ALLOW_LOCAL_IP_TEXTBOX, PEER_LOCALHOST_TICKBOX.ticked());
    setKey(RPC_ALLOW_LOCAL_IP_TEXTBOX, RPC_LOCALHOST_TICKBOX.ticked());
}

void ConfGeneratorWindow::rebuildPreview() {
    FULL_QV_CONF_MESSAGE.setText("# - " + CRYPTO_NAME_TEXTBOX.text() + QV_CONF_MESSAGE.text());
    const std::pair<TextBox*, const TextBox*> valueLines[] = {
        {&WALLET_EQUALS_TEXTBOX, &WALLET_FILE_TEXTBOX},        {&PEER_TIMEOUT_EQUALS_TEXTBOX, &TIMEOUT_TEXTBOX},
        {&RPC_TIMEOUT_EQUALS_TEXTBOX, &RPC_TIMEOUT_TEXTBOX},   {&MAX_CONNECTIONS_EQUALS_TEXTBOX, &MAX_CONNECTIONS_TEXTBOX},
        {&PORT_EQUALS_TEXTBOX, &PEER_PORT_TEXTBOX},            {&RPC_PORT_EQUALS_TEXTBOX, &RPC_PORT_TEXTBOX},
        {&UACOMMENT_EQUALS_TEXTBOX, &UACOMMENT_TEXTBOX},       {&RPCUSER_EQUALS_TEXTBOX, &RPC_USER_TEXTBOX},
        {&RPCPASSWORD_EQUALS_TEXTBOX, &RPC_PASSWORD_TEXTBOX},  {&RPCAUTH_EQUALS_TEXTBOX, &RPC_AUTH_TEXTBOX},
    };
    for (const auto& [key, value] : valueLines) setKey(*key, !value->text().empty());

    const std::string& ip = LOCALHOST_IP_TEXTBOX.text();
    const std::string lines[] = {
        FULL_QV_CONF_MESSAGE.text(),
        WALLET_EQUALS_TEXTBOX.text() + WALLET_FILE_TEXTBOX.text(),
        DISABLE_WALLET_EQUALS_TEXTBOX.text() + state(DISABLE_WALLET_TICKBOX),
        SERVER_EQUALS_TEXTBOX.text() + state(SERVER_TICKBOX),
        ALERTS_EQUALS_TEXTBOX.text() + state(ALERTS_TICKBOX),
        LISTEN_EQUALS_TEXTBOX.text() + state(LISTEN_TICKBOX),
        UPNP_EQUALS_TEXTBOX.text() + state(UPNP_TICKBOX),
        DNS_EQUALS_TEXTBOX.text() + state(DNS_TICKBOX),
        DAEMON_EQUALS_TEXTBOX.text() + state(DAEMON_TICKBOX),
        PEER_ALLOW_LOCAL_IP_TEXTBOX.text() + ip,
        RPC_ALLOW_LOCAL_IP_TEXTBOX.text() + ip,
        PEER_TIMEOUT_EQUALS_TEXTBOX.text() + TIMEOUT_TEXTBOX.text(),
        RPC_TIMEOUT_EQUALS_TEXTBOX.text() + RPC_TIMEOUT_TEXTBOX.text(),
        MAX_CONNECTIONS_EQUALS_TEXTBOX.text() + MAX_CONNECTIONS_TEXTBOX.text(),
        PORT_EQUALS_TEXTBOX.text() + PEER_PORT_TEXTBOX.text(),
        RPC_PORT_EQUALS_TEXTBOX.text() + RPC_PORT_TEXTBOX.text(),
        UACOMMENT_EQUALS_TEXTBOX.text() + UACOMMENT_TEXTBOX.text(),
        "",
        RPCUSER_EQUALS_TEXTBOX.text() + RPC_USER_TEXTBOX.text(),
        RPCPASSWORD_EQUALS_TEXTBOX.text() + RPC_PASSWORD_TEXTBOX.text(),
        RPCAUTH_EQUALS_TEXTBOX.text() + RPC_AUTH_TEXTBOX.text(),
        "",
        USER_DEFINED_SETTINGS_TEXTBOX.text(),
        "",
        FULL_NODE_LIST_TEXTBOX.text(),
    };
    std::string text;
    for (const std::string& line : lines) text += (&line == lines ? "" : app_.profile().lineEnd()) + line;
    CONF_OUTPUT_TEXTBOX.setText(text);

    // The program's own client passes only the configuration file: without
    // rpcpassword it has nothing to log in with, and a preset's rpcauth
    // beside another password keeps the published password valid.
    const std::string& password = RPC_PASSWORD_TEXTBOX.text();
    const std::string& auth = RPC_AUTH_TEXTBOX.text();
    if (!auth.empty() && password.empty())
        RPC_WARNING_LABEL.setCaption(confgen_texts::clientCannotLogIn);
    else if (passwordLeavesPresetAuthOpen(password, auth))
        RPC_WARNING_LABEL.setCaption(confgen_texts::presetAuthStillOpen);
    else
        RPC_WARNING_LABEL.setCaption("");
}

std::string ConfGeneratorWindow::fileText() const { return CONF_OUTPUT_TEXTBOX.text() + app_.profile().lineEnd(); }

void ConfGeneratorWindow::clearAll() {
    for (TextBox* box : {&CRYPTO_NAME_TEXTBOX, &WALLET_FILE_TEXTBOX}) box->setText("");
    for (TickBox* box : {&WALLET_TICKBOX, &SERVER_TICKBOX, &ALERTS_TICKBOX, &LISTEN_TICKBOX, &UPNP_TICKBOX,
                         &DNS_TICKBOX, &OLD_WALLET_SUPPORT_TICKBOX, &DAEMON_TICKBOX})
        box->setValue(0);
    DAEMON_TICKBOX.setEnabled(false);
    PEER_LOCALHOST_TICKBOX.setValue(0);
    RPC_LOCALHOST_TICKBOX.setValue(0);
    for (TextBox* box : {&TIMEOUT_TEXTBOX, &RPC_TIMEOUT_TEXTBOX, &MAX_CONNECTIONS_TEXTBOX, &PEER_PORT_TEXTBOX,
                         &RPC_PORT_TEXTBOX, &UACOMMENT_TEXTBOX, &RPC_USER_TEXTBOX, &RPC_PASSWORD_TEXTBOX,
                         &RPC_AUTH_TEXTBOX, &USER_DEFINED_SETTINGS_TEXTBOX, &FULL_NODE_LIST_TEXTBOX})
        box->setText("");
}

void ConfGeneratorWindow::save() {
    const SectionSettings& s = app_.settings;
    const PlatformProfile& profile = app_.profile();
    // Without a full home folder the file would land at the root or
    // wherever the program happens to run: nothing is done.
    const std::string home = homeFolder_();
    if (home.empty() || !profile.isAbsoluteFolder(home)) {
        showStatus(MESSAGE_STATUS_TEXTBOX, home.empty() ? confgen_texts::noHomeFolder : confgen_texts::homeNotFull,
                   colours::red);
        return;
    }

    s.savePosition(*this, windowPlacement);
    bool stored = true;
    stored = s.saveText(CRYPTO_NAME_TEXTBOX) && stored;
    stored = s.saveText(WALLET_FILE_TEXTBOX) && stored;
    for (TickBox* box : storedTicks()) stored = s.saveTick(*box) && stored;
    for (TextBox* box : {&TIMEOUT_TEXTBOX, &RPC_TIMEOUT_TEXTBOX, &MAX_CONNECTIONS_TEXTBOX, &PEER_PORT_TEXTBOX,
                         &RPC_PORT_TEXTBOX, &UACOMMENT_TEXTBOX, &RPC_USER_TEXTBOX, &RPC_PASSWORD_TEXTBOX,
                         &RPC_AUTH_TEXTBOX, &FULL_NODE_LIST_TEXTBOX, &USER_DEFINED_SETTINGS_TEXTBOX})
        stored = s.saveText(*box) && stored;
    app_.main.CRYPTO_NAME_TEXTBOX.setText(CRYPTO_NAME_TEXTBOX.text());

    // The file is what the fields say now, not what the last tick saw: a
    // SAVE right after opening would otherwise write an empty preview.
    rebuildPreview();
    const std::string path = home_layout::configFile(profile, home, app_.executableName);
    CONF_FILE_LOCATION_TEXTBOX.setText(path);
    if (!app_.platform.files.writeText(path, fileText())) {
        showStatus(MESSAGE_STATUS_TEXTBOX, confgen_texts::notWritten, colours::red);
        return;
    }
    CANCEL_BUTTON.setCaption("Close");
    if (stored)
        showStatus(MESSAGE_STATUS_TEXTBOX, confgen_texts::saved, colours::green);
    else
        showStatus(MESSAGE_STATUS_TEXTBOX, notStoredText(app_.profile(), confgen_texts::writtenNotStored), colours::red);
}

}  // namespace syncward
