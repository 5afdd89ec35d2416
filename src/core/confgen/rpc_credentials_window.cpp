#include "core/confgen/rpc_credentials_window.h"

#include "core/confgen/conf_generator_window.h"
#include "core/confgen/rpc_credentials.h"
#include "core/state/app_context.h"

namespace syncward {

namespace {

constexpr WindowPlacement windowPlacement{"TEST-RPC-CREDENTIALS-", 7920, 6690};

// Where the node's own script is, and how to run it with the tools of the
// system the program runs on.
std::string infoText(const PlatformProfile& profile) {
    const std::string& end = profile.lineEnd();
    std::string text = "The node's \"rpcauth.py\" script comes with its source code, in the folder" + end +
                       "\"share/rpcauth\" of the coin's source repository (Bitcoin Core, Litecoin Core, ...)." + end;
    if (profile.flavour() == PlatformProfile::Flavour::Windows)
        return text + "Use \"MSYS2 MinGW\" to run the python script to create your own credentials." + end +
               "Open the script in Notepad to check that you haven't downloaded an HTML page !!!";
    return text + "Use \"python3\" in a terminal to run the python script to create your own credentials." + end +
           "Open the script with \"less\" to check that you haven't downloaded an HTML page !!!";
}

}  // namespace

RpcCredentialsWindow::RpcCredentialsWindow(AppContext& app, ConfGeneratorWindow& generator)
    : Form(formName, app.platform.loop),
      RPCUSER_INFO_TEXTBOX(*this, "RPCUSER_INFO_TEXTBOX", infoText(app.profile())),
      app_(app),
      generator_(generator) {
    setCaption("SYNCWARD - CONF-GENERATOR - TEST RPC CREDENTIALS");
    RPCUSER_INFO_TEXTBOX.setLocked(true);
    NOT_SECURE_LABEL.setForeground(colours::red);
    CREDENTIALS_WARNING_LABEL.setForeground(colours::red);
    for (std::size_t n = 0; n < rpcTestPresets.size(); ++n) {
        const std::string number = std::to_string(n + 1);
        auto& button = *presetButtons_.emplace_back(
            std::make_unique<Button>(*this, "TEST_CFG_" + number + "_BUTTON", number));
        button.setTooltip(rpcTestPresets[n].user);
        button.setBackground(colours::buttonFace);
        button.onClick.connect([this, n] { showPreset(n); });
    }
    RPC_PASSWORD_TEXTBOX.onChange.connect([this] { checkPassword(); });
    RPC_AUTH_TEXTBOX.onChange.connect([this] { checkPassword(); });
    USE_CURRENT_CREDENTIALS_BUTTON.onClick.connect([this] { handOver(); });
    CANCEL_BUTTON.onClick.connect([this] { close(); });
    onClose.connect([this] { app_.settings.savePosition(*this, windowPlacement); });
}

void RpcCredentialsWindow::open() {
    app_.settings.loadPlacement(*this, windowPlacement);
    CANCEL_BUTTON.setCaption("Cancel");
    RPC_USER_TEXTBOX.setText(generator_.RPC_USER_TEXTBOX.text());
    RPC_PASSWORD_TEXTBOX.setText(generator_.RPC_PASSWORD_TEXTBOX.text());
    RPC_AUTH_TEXTBOX.setText(generator_.RPC_AUTH_TEXTBOX.text());
    checkPassword();
    // Every opening starts neutral; only a preset of the same user name
    // turns green.
    for (auto& button : presetButtons_) button->setBackground(colours::buttonFace);
    if (const auto match = presetWithUser(RPC_USER_TEXTBOX.text())) markPreset(*match);
}

void RpcCredentialsWindow::showPreset(std::size_t index) {
    const RpcCredentials& preset = rpcTestPresets[index];
    RPC_USER_TEXTBOX.setText(preset.user);
    RPC_PASSWORD_TEXTBOX.setText(preset.password);
    RPC_AUTH_TEXTBOX.setText(preset.auth);
    markPreset(index);
}

void RpcCredentialsWindow::markPreset(std::size_t index) {
    for (std::size_t n = 0; n < presetButtons_.size(); ++n)
        presetButtons_[n]->setBackground(n == index ? colours::green : colours::buttonFace);
}

void RpcCredentialsWindow::checkPassword() {
    const bool open = passwordLeavesPresetAuthOpen(RPC_PASSWORD_TEXTBOX.text(), RPC_AUTH_TEXTBOX.text());
    CREDENTIALS_WARNING_LABEL.setCaption(open ? credentials_texts::passwordNotPreset : "");
}

// A preset's rpcauth beside a password of the user's own would let anybody
// who read the published preset in as well: it is not handed over, and
// the typed password (through rpcuser and rpcpassword) is the one login.
void RpcCredentialsWindow::handOver() {
    const bool leaveAuthOut = passwordLeavesPresetAuthOpen(RPC_PASSWORD_TEXTBOX.text(), RPC_AUTH_TEXTBOX.text());
    generator_.RPC_USER_TEXTBOX.setText(RPC_USER_TEXTBOX.text());
    generator_.RPC_PASSWORD_TEXTBOX.setText(RPC_PASSWORD_TEXTBOX.text());
    generator_.RPC_AUTH_TEXTBOX.setText(leaveAuthOut ? "" : RPC_AUTH_TEXTBOX.text());
    if (leaveAuthOut) {
        RPC_AUTH_TEXTBOX.setText("");
        CREDENTIALS_WARNING_LABEL.setCaption(credentials_texts::authLeftOut);
    }
    CANCEL_BUTTON.setCaption("Close");
}

}  // namespace syncward
