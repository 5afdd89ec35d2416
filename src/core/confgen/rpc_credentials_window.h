#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/form/form.h"

namespace syncward {

struct AppContext;
class ConfGeneratorWindow;

namespace credentials_texts {
inline constexpr const char* notSecure = "!!! NOT SECURE - FOR TESTING ONLY !!!";
inline constexpr const char* passwordNotPreset =
    "!!! THIS PASSWORD IS NOT THE PRESET'S - ITS RPCAUTH WOULD STILL LET THE PUBLISHED PASSWORD IN !!!";
inline constexpr const char* authLeftOut =
    "!!! PASSWORD CHANGED - THE PRESET'S RPCAUTH WAS NOT HANDED OVER - RPC AUTH EMPTIED !!!";
}  // namespace credentials_texts

// Ten ready-made RPC credential sets for trying a node, handed to the
// generator on request. Only the place is stored; the generator's SAVE
// stores the credentials.
class RpcCredentialsWindow : public Form {
public:
    static constexpr const char* formName = "SYNCWARD_TEST_RPC_CREDENTIALS";
    static constexpr int presetCount = 10;

    RpcCredentialsWindow(AppContext& app, ConfGeneratorWindow& generator);

    TextBox RPC_USER_TEXTBOX{*this, "RPC_USER_TEXTBOX"};
    TextBox RPC_PASSWORD_TEXTBOX{*this, "RPC_PASSWORD_TEXTBOX"};
    TextBox RPC_AUTH_TEXTBOX{*this, "RPC_AUTH_TEXTBOX"};
    Button USE_CURRENT_CREDENTIALS_BUTTON{*this, "USE_CURRENT_CREDENTIALS_BUTTON", "USE CURRENT CREDENTIALS"};
    Button CANCEL_BUTTON{*this, "CANCEL_BUTTON", "Cancel"};
    TextBox RPCUSER_INFO_TEXTBOX;
    Label NOT_SECURE_LABEL{*this, "NOT_SECURE_LABEL", credentials_texts::notSecure};
    // Says when the password on display no longer belongs to the preset
    // whose rpcauth is on display.
    Label CREDENTIALS_WARNING_LABEL{*this, "CREDENTIALS_WARNING_LABEL"};

    // TEST_CFG_1_BUTTON to TEST_CFG_10_BUTTON.
    Button& presetButton(int n) { return *presetButtons_.at(static_cast<std::size_t>(n - 1)); }

    // Placed, filled from the generator, the matching preset marked green.
    void open();

private:
    void showPreset(std::size_t index);
    void markPreset(std::size_t index);
    void checkPassword();
    void handOver();

    AppContext& app_;
    ConfGeneratorWindow& generator_;
    std::vector<std::unique_ptr<Button>> presetButtons_;
};

}  // namespace syncward
