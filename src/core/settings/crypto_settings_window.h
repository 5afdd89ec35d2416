#pragma once

#include <functional>
#include <string>

#include "core/form/form.h"
#include "core/processes/node_command_lines.h"
#include "core/settings/option_pair.h"

namespace syncward {

struct AppContext;
class MainSettingsWindow;

namespace crypto_texts {
inline constexpr const char* disablesWallet = "!!! DISABLES ALL WALLET FUNCTIONALITY !!!";
inline constexpr const char* qtCommandPlaceholder =
    "!!! QT RUN COMMAND NOT GENERATED YET - PLEASE ENTER SETTINGS TO GENERATE COMMAND !!!";
inline constexpr const char* daemonCommandPlaceholder =
    "!!! DAEMON RUN COMMAND NOT GENERATED YET - PLEASE ENTER SETTINGS TO GENERATE COMMAND !!!";
inline constexpr const char* cliCommandPlaceholder =
    "!!! CLI RUN COMMAND NOT GENERATED YET - PLEASE ENTER SETTINGS TO GENERATE COMMAND !!!";
inline constexpr const char* blockCounterCommandPlaceholder =
    "!!! BLOCKCOUNTER RUN COMMAND NOT GENERATED YET - PLEASE ENTER SETTINGS TO GENERATE COMMAND !!!";
inline constexpr const char* nodeCheckCommandPlaceholder =
    "!!! NODE CHECK COMMAND NOT GENERATED YET - PLEASE ENTER SETTINGS TO GENERATE COMMAND !!!";
inline constexpr const char* cryptoSettingsSaved = "!!! CRYPTO SETTINGS SAVED - COMMAND FILES WRITTEN !!!";
}  // namespace crypto_texts

// SYNCWARD_CRYPTO_SETTINGS: the coin's programs, folders and start options.
// While open it rebuilds the node command lines once a second; Save
// stores the settings, writes the node command files into the main
// settings' home folder, empties the latest block-count file and hands the
// names and commands to the main window.
class CryptoSettingsWindow : public Form {
public:
    static constexpr const char* formName = "SYNCWARD_CRYPTO_SETTINGS";

    // The main settings window is asked for when needed: it may have to be
    // loaded first.
    CryptoSettingsWindow(AppContext& app, std::function<MainSettingsWindow&()> mainSettings);

    Label CRYPTO_NAME_LABEL{*this, "CRYPTO_NAME_LABEL", "CRYPTO NAME:"};
    TextBox CRYPTO_NAME_TEXTBOX{*this, "CRYPTO_NAME_TEXTBOX"};
    Label BLOCKCHAIN_HOME_LABEL{*this, "BLOCKCHAIN_HOME_LABEL", "CRYPTO BLOCKCHAIN - HOME FOLDER:"};
    TextBox BLOCKCHAIN_HOME_TEXTBOX{*this, "BLOCKCHAIN_HOME_TEXTBOX"};
    Button BLOCKCHAIN_HOME_BROWSE_BUTTON{*this, "BLOCKCHAIN_HOME_BROWSE_BUTTON", "..."};

    Label QT_LOCATION_LABEL;
    TextBox QT_LOCATION_TEXTBOX{*this, "QT_LOCATION_TEXTBOX"};
    Button USE_QT_LOCATION_BUTTON{*this, "USE_QT_LOCATION_BUTTON", "Use"};
    Button QT_LOCATION_BROWSE_BUTTON{*this, "QT_LOCATION_BROWSE_BUTTON", "..."};
    Label QT_NAME_LABEL;
    TextBox QT_NAME_TEXTBOX{*this, "QT_NAME_TEXTBOX"};
    Button USE_QT_NAME_BUTTON{*this, "USE_QT_NAME_BUTTON", "Use"};
    Button QT_NAME_BROWSE_BUTTON{*this, "QT_NAME_BROWSE_BUTTON", "..."};

    Label DAEMON_CLI_LOCATION_LABEL;
    TextBox DAEMON_CLI_LOCATION_TEXTBOX{*this, "DAEMON_CLI_LOCATION_TEXTBOX"};
    Button USE_DAEMON_CLI_LOCATION_BUTTON{*this, "USE_DAEMON_CLI_LOCATION_BUTTON", "Use"};
    Button DAEMON_CLI_LOCATION_BROWSE_BUTTON{*this, "DAEMON_CLI_LOCATION_BROWSE_BUTTON", "..."};
    Label DAEMOND_NAME_LABEL;
    TextBox DAEMOND_NAME_TEXTBOX{*this, "DAEMOND_NAME_TEXTBOX"};
    Button USE_DAEMOND_NAME_BUTTON{*this, "USE_DAEMOND_NAME_BUTTON", "Use"};
    Button DAEMOND_NAME_BROWSE_BUTTON{*this, "DAEMOND_NAME_BROWSE_BUTTON", "..."};
    Label DAEMONCLI_NAME_LABEL;
    TextBox DAEMONCLI_NAME_SETTINGS_TEXTBOX{*this, "DAEMONCLI_NAME_SETTINGS_TEXTBOX"};
    Button USE_DAEMONCLI_NAME_BUTTON{*this, "USE_DAEMONCLI_NAME_BUTTON", "Use"};
    Button DAEMONCLI_NAME_BROWSE_BUTTON{*this, "DAEMONCLI_NAME_BROWSE_BUTTON", "..."};

    TickBox QT_WALLET_TICKBOX{*this, "QT_WALLET_TICKBOX", "Wallet"};
    TickBox QT_DISABLE_WALLET_TICKBOX{*this, "QT_DISABLE_WALLET_TICKBOX", "Disabled"};
    TickBox DAEMON_WALLET_TICKBOX{*this, "DAEMON_WALLET_TICKBOX", "Wallet"};
    TickBox DAEMON_DISABLE_WALLET_TICKBOX{*this, "DAEMON_DISABLE_WALLET_TICKBOX", "Disabled"};
    TickBox CLI_DAEMON_TICKBOX{*this, "CLI_DAEMON_TICKBOX", "Daemon"};
    TickBox DISABLE_DAEMON_TICKBOX{*this, "DISABLE_DAEMON_TICKBOX", "Disabled"};
    // The start options the tick boxes chose; parts of the command lines.
    TextBox QT_DASH_DISABLE_WALLET_EQUALS_TEXTBOX{*this, "QT_DASH_DISABLE_WALLET_EQUALS_TEXTBOX"};
    TextBox DAEMON_DASH_DISABLE_WALLET_EQUALS_TEXTBOX{*this, "DAEMON_DASH_DISABLE_WALLET_EQUALS_TEXTBOX"};
    TextBox DASH_DISABLE_DAEMON_EQUALS_TEXTBOX{*this, "DASH_DISABLE_DAEMON_EQUALS_TEXTBOX"};

    TextBox CONF_FILE_LOCATION_TEXTBOX{*this, "CONF_FILE_LOCATION_TEXTBOX"};
    TextBox QV_QT_COMMAND_TEXTBOX{*this, "QV_QT_COMMAND_TEXTBOX", crypto_texts::qtCommandPlaceholder};
    TextBox QV_D_COMMAND_TEXTBOX{*this, "QV_D_COMMAND_TEXTBOX", crypto_texts::daemonCommandPlaceholder};
    TextBox QVCLI_STOP_COMMAND_TEXTBOX{*this, "QVCLI_STOP_COMMAND_TEXTBOX", crypto_texts::cliCommandPlaceholder};
    TextBox GETBLOCKCOUNT_COMMAND_SETTINGS_TEXTBOX{*this, "GETBLOCKCOUNT_COMMAND_SETTINGS_TEXTBOX",
                                                   crypto_texts::blockCounterCommandPlaceholder};
    // Asks the node for its chain state and peers once the block counts agree.
    TextBox NODE_CHECK_COMMAND_SETTINGS_TEXTBOX{*this, "NODE_CHECK_COMMAND_SETTINGS_TEXTBOX",
                                                crypto_texts::nodeCheckCommandPlaceholder};

    // This window's own status: failed writes and stores are told here.
    TextBox MESSAGE_STATUS_TEXTBOX{*this, "MESSAGE_STATUS_TEXTBOX"};
    Button SAVE_BUTTON{*this, "SAVE_BUTTON", "Save"};
    Button CANCEL_BUTTON{*this, "CANCEL_BUTTON", "Cancel"};
    Button VIEW_OUTPUT_COMMANDS_BUTTON{*this, "VIEW_OUTPUT_COMMANDS_BUTTON", "VIEW OUTPUT COMMANDS"};

    Timer COMMAND_UPDATE_TIMER{*this, "COMMAND_UPDATE_TIMER"};

    bool loaded() const { return loaded_; }
    void load();
    // The command lines are rebuilt while the window is open, not while it
    // is merely loaded for another window's sake.
    void opened();
    // The four command lines from the fields as they are now.
    void rebuildCommands();
    NodeCommandFields commandFields();
    // Writes the node-check command file alone from the fields as loaded,
    // into the home folder the run uses: a home whose command files an
    // earlier version wrote has none. False without a client or a file.
    bool writeNodeCheckFile(const std::string& home);

private:
    void followMainConfFile();
    void installBrowsers();
    void resetToBuiltState();
    void save();
    struct FilesWritten {
        std::string failed;   // "RUN-CLI-STOP, LATEST-BLOCKCOUNT": nothing was changed
        std::string removed;  // "RUN-QT": files of programs that no longer have a name
    };
    FilesWritten writeFiles(const std::string& home);
    std::string refusal(const std::string& home) const;

    AppContext& app_;
    std::function<MainSettingsWindow&()> mainSettings_;
    OptionPair qtOption_;
    OptionPair daemonOption_;
    OptionPair cliOption_;
    bool loaded_ = false;
};

}  // namespace syncward
