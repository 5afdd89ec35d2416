#pragma once

#include <string>

#include "core/form/form.h"
#include "core/state/main_window.h"

namespace syncward {

struct AppContext;

namespace main_settings_texts {
inline constexpr const char* defaultFolderUsed = "!!! DEFAULT FOLDER USED - THANKS !!!";
inline constexpr const char* notDefaultFolder = "!!! NOT DEFAULT FOLDER - BEWARE OF FAILURES !!!";
inline constexpr const char* confFileChanged = "!!! CONF FILE CHANGED - RE-SAVE CRYPTO SETTINGS !!!";
inline constexpr const char* foldersCreated = "!!! FOLDERS CREATED !!!";
inline constexpr const char* homeFolderNotCreated = "!!! HOME FOLDER COULD NOT BE CREATED - NO FOLDER CREATED !!!";
inline constexpr const char* homeFolderEmpty = "!!! NO HOME FOLDER - CHOOSE ONE OR USE THE DEFAULT - NOT APPLIED !!!";
inline constexpr const char* homeFolderNotFull = "!!! HOME FOLDER MUST BE A FULL PATH - NOT APPLIED !!!";
inline constexpr const char* confFileNotFull = "!!! \".CONF\" FILE MUST BE A FULL PATH - NOT APPLIED !!!";
inline constexpr const char* invalidHeartbeatTime = "!!! INVALID HEARTBEAT TIME - USE HH:MM:SS - NOT APPLIED !!!";
}  // namespace main_settings_texts

// SYNCWARD_MAIN_SETTINGS: the home folder, the node configuration file,
// the heartbeat interval, and the buttons to the other settings windows.
// It reads the store when it loads, stores when it closes, and only its OK
// hands the values to the main window. Other windows read its fields; when
// it is not loaded they load it without showing it.
class MainSettingsWindow : public Form {
public:
    static constexpr const char* formName = "SYNCWARD_MAIN_SETTINGS";

    explicit MainSettingsWindow(AppContext& app);

    TextBox SYNCWARD_HOME_TEXTBOX{*this, "SYNCWARD_HOME_TEXTBOX"};
    Button BROWSE_FOLDER_BUTTON{*this, "BROWSE_FOLDER_BUTTON", "..."};
    Button USE_CURRENT_BUTTON{*this, "USE_CURRENT_BUTTON", "Current"};
    Button USE_DEFAULT_BUTTON{*this, "USE_DEFAULT_BUTTON", "Default"};
    Button CREATE_FOLDERS_BUTTON{*this, "CREATE_FOLDERS_BUTTON", "CREATE FOLDERS"};
    Label DEFAULT_FOLDER_LABEL;
    Label HELP_LABEL;
    TextBox MESSAGE_STATUS_TEXTBOX{*this, "MESSAGE_STATUS_TEXTBOX"};
    TickBox USE_OWN_CONF_TICKBOX{*this, "USE_OWN_CONF_TICKBOX", "USE OWN \".CONF\" FILE"};
    Label CONF_FILE_LOCATION_LABEL{*this, "CONF_FILE_LOCATION_LABEL", "SELECT \".CONF\" FILE:"};
    TextBox CONF_FILE_LOCATION_TEXTBOX{*this, "CONF_FILE_LOCATION_TEXTBOX"};
    Button CONF_BROWSE_BUTTON{*this, "CONF_BROWSE_BUTTON", "..."};
    Button CONF_MANAGER_BUTTON{*this, "CONF_MANAGER_BUTTON", "CRYPTO \".CONF\" FILE MANAGER"};
    TextBox HEARTBEAT_COUNTDOWN_TIME_TEXTBOX{*this, "HEARTBEAT_COUNTDOWN_TIME_TEXTBOX", main_defaults::heartbeatInterval};
    TextBox GETBLOCKCOUNT_LOG_LOCATION_TEXTBOX{*this, "GETBLOCKCOUNT_LOG_LOCATION_TEXTBOX"};
    TickBox AUTOLOAD_BLOCKCOUNT_FILE_TICKBOX{*this, "AUTOLOAD_BLOCKCOUNT_FILE_TICKBOX",
                                             "AutoLoad Block Count File On Startup"};
    Button CRYPTO_SETTINGS_BUTTON{*this, "CRYPTO_SETTINGS_BUTTON", "CRYPTO SETTINGS"};
    Button SE_SETTINGS_BUTTON{*this, "SE_SETTINGS_BUTTON", "EMAIL SETTINGS"};
    Button SCHEDULER_BUTTON{*this, "SCHEDULER_BUTTON", "SCHEDULER"};
    Button POWER_AUTOTIMER_BUTTON{*this, "POWER_AUTOTIMER_BUTTON", "POWER AUTOTIMER SETTINGS"};
    Button VIEW_OUTPUT_COMMANDS_BUTTON{*this, "VIEW_OUTPUT_COMMANDS_BUTTON", "VIEW OUTPUT COMMANDS"};
    Button REPORTS_LOGS_BUTTON{*this, "REPORTS_LOGS_BUTTON", "REPORTS / LOGS"};
    // Opens the check of the whole set-up as the settings stand.
    Button CHECK_SETUP_BUTTON{*this, "CHECK_SETUP_BUTTON", "CHECK SETUP"};
    Button OK_BUTTON{*this, "OK_BUTTON", "OK"};

    // Loading runs the load steps without showing the window; a closed
    // window is no longer loaded and loads afresh on its next use.
    bool loaded() const { return loaded_; }
    void load();

    // The configuration generator opens from here once it exists; until
    // then its button stays disabled whatever the home folder says.
    void setConfManagerAvailable(bool available);

    std::string defaultConfFile() const;
    std::string defaultBlockCountFile() const;

private:
    void resetToBuiltState();
    // The status box's word; whatever it says next replaces a refusal.
    void say(const std::string& text, Colour background);
    void checkHomeFolder();
    void showDefaultFolderMessage();
    void applyConfManagerRule();
    void applyConfFileChoice();
    void ownConfClicked();
    void createFolders();
    void browseHomeFolder();
    void browseConfFile();
    void ok();
    void storeOnClose();
    // Notes a failed store save; the user's action reports it when done.
    void stored(bool saved) { storeFailed_ = storeFailed_ || !saved; }
    void reportStoreFailure();
    // Why OK cannot take the home folder or the configuration file; nullptr
    // when it can.
    const char* homeFolderRefusal() const;
    // The configuration file is empty or a full path.
    bool confFileAccepted() const;

    AppContext& app_;
    bool loaded_ = false;
    bool loading_ = false;
    bool confManagerAvailable_ = false;
    bool storeFailed_ = false;
    // The status box shows OK's refusal of the heartbeat time, which a
    // corrected time takes away.
    bool heartbeatTimeRefused_ = false;
};

}  // namespace syncward
