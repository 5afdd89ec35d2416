#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/form/form.h"

namespace syncward {

struct AppContext;

namespace confgen_texts {
inline constexpr const char* caption = "SYNCWARD - CRYPTO \".CONF\" CONFIGURATION FILE GENERATOR";
inline constexpr const char* confMessage = " - CONF FILE CREATED USING QUORVEL - SYNCWARD - CONF-GENERATOR -";
inline constexpr const char* localhost = "127.0.0.1";
inline constexpr const char* lineBreakRemoved = "!!! LINE BREAK REMOVED - THIS FIELD TAKES ONE LINE !!!";
inline constexpr const char* noHomeFolder = "!!! NO HOME FOLDER SET IN MAIN SETTINGS - NOTHING SAVED !!!";
inline constexpr const char* homeNotFull = "!!! THE HOME FOLDER IN MAIN SETTINGS IS NOT A FULL PATH - NOTHING SAVED !!!";
inline constexpr const char* notWritten =
    "!!! CONF FILE NOT WRITTEN - CHECK THE HOME FOLDER / CREATE FOLDERS - SETTINGS STORED !!!";
inline constexpr const char* saved = "!!! CONF FILE SAVED !!!";
inline constexpr const char* writtenNotStored = "CONF FILE WRITTEN - SETTINGS NOT STORED";
inline constexpr const char* clientCannotLogIn =
    "!!! RPCAUTH WITHOUT RPCPASSWORD - THE BLOCKCOUNTER'S CLIENT CANNOT LOG IN - ENTER RPC USERNAME AND PASSWORD TOO !!!";
inline constexpr const char* presetAuthStillOpen =
    "!!! PASSWORD IS NOT THE PRESET'S - ITS RPCAUTH STILL LETS THE PUBLISHED PASSWORD IN - EMPTY RPC AUTH !!!";
}  // namespace confgen_texts

// The configuration generator: the node's configuration file composed from
// tick boxes and fields, shown as a live preview and written into the home
// folder's CONFIGS folder on SAVE. Every line of the file stays in it; a
// switched-off line carries its key commented out ("#server=0").
class ConfGeneratorWindow : public Form {
public:
    static constexpr const char* formName = "SYNCWARD_CONF_GENERATOR";

    // The home folder is the one the main settings show now.
    ConfGeneratorWindow(AppContext& app, std::function<std::string()> homeFolder);

    TextBox CRYPTO_NAME_TEXTBOX{*this, "CRYPTO_NAME_TEXTBOX"};
    TextBox WALLET_FILE_TEXTBOX{*this, "WALLET_FILE_TEXTBOX"};
    TickBox WALLET_TICKBOX{*this, "WALLET_TICKBOX", "Wallet"};
    TickBox DISABLE_WALLET_TICKBOX{*this, "DISABLE_WALLET_TICKBOX", "Disabled"};
    TickBox SERVER_TICKBOX{*this, "SERVER_TICKBOX", "Server"};
    TickBox ALERTS_TICKBOX{*this, "ALERTS_TICKBOX", "Alerts"};
    TickBox LISTEN_TICKBOX{*this, "LISTEN_TICKBOX", "Listen"};
    TickBox UPNP_TICKBOX{*this, "UPNP_TICKBOX", "UPnP"};
    TickBox DNS_TICKBOX{*this, "DNS_TICKBOX", "DNS"};
    TickBox OLD_WALLET_SUPPORT_TICKBOX{*this, "OLD_WALLET_SUPPORT_TICKBOX", "OLD Wallet Support"};
    TickBox DAEMON_TICKBOX{*this, "DAEMON_TICKBOX", "Daemon"};
    TickBox PEER_LOCALHOST_TICKBOX{*this, "PEER_LOCALHOST_TICKBOX", "PEER - Allow Localhost"};
    TickBox RPC_LOCALHOST_TICKBOX{*this, "RPC_LOCALHOST_TICKBOX", "RPC - Allow Localhost"};
    TextBox TIMEOUT_TEXTBOX{*this, "TIMEOUT_TEXTBOX"};
    TextBox RPC_TIMEOUT_TEXTBOX{*this, "RPC_TIMEOUT_TEXTBOX"};
    TextBox MAX_CONNECTIONS_TEXTBOX{*this, "MAX_CONNECTIONS_TEXTBOX"};
    TextBox PEER_PORT_TEXTBOX{*this, "PEER_PORT_TEXTBOX"};
    TextBox RPC_PORT_TEXTBOX{*this, "RPC_PORT_TEXTBOX"};
    TextBox UACOMMENT_TEXTBOX{*this, "UACOMMENT_TEXTBOX"};
    TextBox RPC_USER_TEXTBOX{*this, "RPC_USER_TEXTBOX"};
    TextBox RPC_PASSWORD_TEXTBOX{*this, "RPC_PASSWORD_TEXTBOX"};
    TextBox RPC_AUTH_TEXTBOX{*this, "RPC_AUTH_TEXTBOX"};
    TextBox USER_DEFINED_SETTINGS_TEXTBOX{*this, "USER_DEFINED_SETTINGS_TEXTBOX"};
    TextBox FULL_NODE_LIST_TEXTBOX{*this, "FULL_NODE_LIST_TEXTBOX"};

    // The current key of each line, plain or commented.
    TextBox WALLET_EQUALS_TEXTBOX{*this, "WALLET_EQUALS_TEXTBOX", "wallet="};
    TextBox DISABLE_WALLET_EQUALS_TEXTBOX{*this, "DISABLE_WALLET_EQUALS_TEXTBOX", "disablewallet="};
    TextBox SERVER_EQUALS_TEXTBOX{*this, "SERVER_EQUALS_TEXTBOX", "server="};
    TextBox ALERTS_EQUALS_TEXTBOX{*this, "ALERTS_EQUALS_TEXTBOX", "alerts="};
    TextBox LISTEN_EQUALS_TEXTBOX{*this, "LISTEN_EQUALS_TEXTBOX", "listen="};
    TextBox UPNP_EQUALS_TEXTBOX{*this, "UPNP_EQUALS_TEXTBOX", "upnp="};
    TextBox DNS_EQUALS_TEXTBOX{*this, "DNS_EQUALS_TEXTBOX", "dns="};
    TextBox DAEMON_EQUALS_TEXTBOX{*this, "DAEMON_EQUALS_TEXTBOX", "daemon="};
    TextBox PEER_ALLOW_LOCAL_IP_TEXTBOX{*this, "PEER_ALLOW_LOCAL_IP_TEXTBOX", "allowip="};
    TextBox RPC_ALLOW_LOCAL_IP_TEXTBOX{*this, "RPC_ALLOW_LOCAL_IP_TEXTBOX", "rpcallowip="};
    TextBox PEER_TIMEOUT_EQUALS_TEXTBOX{*this, "PEER_TIMEOUT_EQUALS_TEXTBOX", "timeout="};
    TextBox RPC_TIMEOUT_EQUALS_TEXTBOX{*this, "RPC_TIMEOUT_EQUALS_TEXTBOX", "rpctimeout="};
    TextBox MAX_CONNECTIONS_EQUALS_TEXTBOX{*this, "MAX_CONNECTIONS_EQUALS_TEXTBOX", "maxconnections="};
    TextBox PORT_EQUALS_TEXTBOX{*this, "PORT_EQUALS_TEXTBOX", "port="};
    TextBox RPC_PORT_EQUALS_TEXTBOX{*this, "RPC_PORT_EQUALS_TEXTBOX", "rpcport="};
    TextBox UACOMMENT_EQUALS_TEXTBOX{*this, "UACOMMENT_EQUALS_TEXTBOX", "uacomment="};
    TextBox RPCUSER_EQUALS_TEXTBOX{*this, "RPCUSER_EQUALS_TEXTBOX", "rpcuser="};
    TextBox RPCPASSWORD_EQUALS_TEXTBOX{*this, "RPCPASSWORD_EQUALS_TEXTBOX", "rpcpassword="};
    TextBox RPCAUTH_EQUALS_TEXTBOX{*this, "RPCAUTH_EQUALS_TEXTBOX", "rpcauth="};

    TextBox LOCALHOST_IP_TEXTBOX{*this, "LOCALHOST_IP_TEXTBOX", confgen_texts::localhost};
    TextBox QV_CONF_MESSAGE{*this, "QV_CONF_MESSAGE", confgen_texts::confMessage};
    TextBox FULL_QV_CONF_MESSAGE{*this, "FULL_QV_CONF_MESSAGE"};
    TextBox VTC_NODE_LIST_TEXTBOX;

    TextBox CONF_FILE_LOCATION_TEXTBOX{*this, "CONF_FILE_LOCATION_TEXTBOX"};
    TextBox CONF_OUTPUT_TEXTBOX{*this, "CONF_OUTPUT_TEXTBOX"};
    Label USER_SETTINGS_GUIDANCE_LABEL{*this, "USER_SETTINGS_GUIDANCE_LABEL",
                                       "User Defined Settings - USE CAUTION IF NOT 127.0.0.1 / Localhost !!! :)"};
    Label REMOTE_GUIDANCE_LABEL{*this, "REMOTE_GUIDANCE_LABEL",
                                "\"OPTION=LAN-IP-ADDRESS\" =  \"addnode=\" / \"allowip=\" / \"rpcallowip=\" = Remote "
                                "Connections / Remote Management"};
    // What went wrong with a field or a SAVE, and what the credentials in
    // the preview would do at the node.
    TextBox MESSAGE_STATUS_TEXTBOX{*this, "MESSAGE_STATUS_TEXTBOX"};
    Label RPC_WARNING_LABEL{*this, "RPC_WARNING_LABEL"};

    Button SAVE_BUTTON{*this, "SAVE_BUTTON", "SAVE"};
    Button CANCEL_BUTTON{*this, "CANCEL_BUTTON", "Cancel"};
    Button CLEAR_ALL_BUTTON{*this, "CLEAR_ALL_BUTTON", "Clear ALL"};
    Button NO_2X_BUTTON{*this, "NO_2X_BUTTON", "NO2X"};
    Button IDS_BUTTON{*this, "IDS_BUTTON", "Import Default Settings"};
    Button QV_RPC_TEST_CREDENTIALS_BUTTON{*this, "QV_RPC_TEST_CREDENTIALS_BUTTON", "RPC TEST Credentials"};

    Timer CONF_OUTPUT_TIMER{*this, "CONF_OUTPUT_TIMER"};

    // The opening steps up to the timer's start; opened() starts it.
    void load();
    void opened();
    // One tick of the preview: header, value keys, text, warnings.
    void rebuildPreview();
    // The file: the preview and one line end.
    std::string fileText() const;

private:
    std::vector<TickBox*> storedTicks();
    std::vector<TextBox*> singleLineFields();
    void installTickReactions();
    void resetToBuiltState();
    void setKeysFromTicks();
    void keepOneLine(TextBox& field);
    void clearAll();
    void save();

    AppContext& app_;
    std::function<std::string()> homeFolder_;
};

}  // namespace syncward
