#pragma once

#include <array>
#include <functional>
#include <string>

#include "core/form/form.h"
#include "core/processes/command_file.h"

namespace syncward {

struct AppContext;

namespace output_commands_texts {
inline constexpr const char* noneSelected = "!!! NO COMMAND SELECTED - PLEASE SELECT A COMMAND !!!";
inline constexpr const char* noNodeCheckFile = "!!! NO NODE CHECK FILE YET - SAVE THE CRYPTO SETTINGS !!!";
}  // namespace output_commands_texts

// SYNCWARD_SINGLE_OUTPUT_COMMANDS_WINDOW: one of the six command lines the
// main window holds, with the command file the run starts, as they are
// at the moment its button is pressed.
class SingleOutputCommandsWindow : public Form {
public:
    static constexpr const char* formName = "SYNCWARD_SINGLE_OUTPUT_COMMANDS_WINDOW";

    // home: the home folder whose command files are shown.
    SingleOutputCommandsWindow(AppContext& app, std::function<std::string()> home);

    Button QT_RUN_COMMAND_BUTTON{*this, "QT_RUN_COMMAND_BUTTON", "QT RUN COMMAND"};
    Button DAEMON_RUN_COMMAND_BUTTON{*this, "DAEMON_RUN_COMMAND_BUTTON", "DAEMON RUN COMMAND"};
    Button CLI_STOP_RUN_COMMAND_BUTTON{*this, "CLI_STOP_RUN_COMMAND_BUTTON", "CLI \"STOP\"  RUN COMMAND"};
    Button BLOCKCOUNTER_RUN_COMMAND_BUTTON{*this, "BLOCKCOUNTER_RUN_COMMAND_BUTTON",
                                          "BLOCKCOUNTER \"GETBLOCKCOUNT\"  RUN COMMAND"};
    Button START_EMAIL_RUN_COMMAND_BUTTON{*this, "START_EMAIL_RUN_COMMAND_BUTTON", "\"START EMAIL\" RUN COMMAND"};
    Button END_EMAIL_RUN_COMMAND_BUTTON{*this, "END_EMAIL_RUN_COMMAND_BUTTON", "\"END EMAIL\" RUN COMMAND"};
    Button NODE_CHECK_RUN_COMMAND_BUTTON{*this, "NODE_CHECK_RUN_COMMAND_BUTTON", "NODE CHECK RUN COMMAND"};
    Label COMMAND_NAME_LABEL{*this, "COMMAND_NAME_LABEL", "RUN COMMAND - "};
    TextBox ALL_COMMANDS_TEXTBOX{*this, "ALL_COMMANDS_TEXTBOX", output_commands_texts::noneSelected};
    TextBox ALL_LOCATIONS_TEXTBOX{*this, "ALL_LOCATIONS_TEXTBOX", output_commands_texts::noneSelected};
    Button VIEW_ALL_COMMANDS_BUTTON{*this, "VIEW_ALL_COMMANDS_BUTTON", "VIEW ALL COMMANDS"};
    Button OK_BUTTON{*this, "OK_BUTTON", "OK"};

    void load();

private:
    void show(CommandFile file);

    AppContext& app_;
    std::function<std::string()> home_;
};

// SYNCWARD_ALL_OUTPUT_COMMANDS_WINDOW: all seven at once, as they were when
// it opened.
class AllOutputCommandsWindow : public Form {
public:
    static constexpr const char* formName = "SYNCWARD_ALL_OUTPUT_COMMANDS_WINDOW";

    AllOutputCommandsWindow(AppContext& app, std::function<std::string()> home);

    Label QT_TITLE_LABEL{*this, "QT_TITLE_LABEL"};
    TextBox QV_QT_COMMAND_TEXTBOX{*this, "QV_QT_COMMAND_TEXTBOX"};
    TextBox SYNCWARD_QT_BAT_LOCATION_TEXTBOX{*this, "SYNCWARD_QT_BAT_LOCATION_TEXTBOX"};
    Label DAEMON_TITLE_LABEL{*this, "DAEMON_TITLE_LABEL"};
    TextBox QV_D_COMMAND_TEXTBOX{*this, "QV_D_COMMAND_TEXTBOX"};
    TextBox SYNCWARD_DAEMON_BAT_LOCATION_TEXTBOX{*this, "SYNCWARD_DAEMON_BAT_LOCATION_TEXTBOX"};
    Label CLI_STOP_TITLE_LABEL{*this, "CLI_STOP_TITLE_LABEL"};
    TextBox QVCLI_STOP_COMMAND_TEXTBOX{*this, "QVCLI_STOP_COMMAND_TEXTBOX"};
    TextBox SYNCWARD_CLI_STOP_BAT_LOCATION_TEXTBOX{*this, "SYNCWARD_CLI_STOP_BAT_LOCATION_TEXTBOX"};
    Label BLOCKCOUNTER_TITLE_LABEL{*this, "BLOCKCOUNTER_TITLE_LABEL"};
    TextBox GETBLOCKCOUNT_COMMAND_SETTINGS_TEXTBOX{*this, "GETBLOCKCOUNT_COMMAND_SETTINGS_TEXTBOX"};
    TextBox SYNCWARD_BLOCKCOUNTER_BAT_LOCATION_TEXTBOX{*this, "SYNCWARD_BLOCKCOUNTER_BAT_LOCATION_TEXTBOX"};
    Label SE_START_TITLE_LABEL{*this, "SE_START_TITLE_LABEL"};
    TextBox EMAIL_OUTPUT_START_COMMAND_TEXTBOX{*this, "EMAIL_OUTPUT_START_COMMAND_TEXTBOX"};
    TextBox SYNCWARD_SE_START_BAT_LOCATION_TEXTBOX{*this, "SYNCWARD_SE_START_BAT_LOCATION_TEXTBOX"};
    Label SE_END_TITLE_LABEL{*this, "SE_END_TITLE_LABEL"};
    TextBox EMAIL_OUTPUT_END_COMMAND_TEXTBOX{*this, "EMAIL_OUTPUT_END_COMMAND_TEXTBOX"};
    TextBox SYNCWARD_SE_END_BAT_LOCATION_TEXTBOX{*this, "SYNCWARD_SE_END_BAT_LOCATION_TEXTBOX"};
    Label NODE_CHECK_TITLE_LABEL{*this, "NODE_CHECK_TITLE_LABEL"};
    TextBox NODE_CHECK_COMMAND_TEXTBOX{*this, "NODE_CHECK_COMMAND_TEXTBOX"};
    TextBox SYNCWARD_NODE_CHECK_BAT_LOCATION_TEXTBOX{*this, "SYNCWARD_NODE_CHECK_BAT_LOCATION_TEXTBOX"};
    Button OK_BUTTON{*this, "OK_BUTTON", "OK"};

    void load();

private:
    struct Row {
        CommandFile file;
        Label* title;
        TextBox* command;
        TextBox* location;
    };
    std::array<Row, 7> rows();

    AppContext& app_;
    std::function<std::string()> home_;
};

// The two windows, created on first use and loaded afresh on every open;
// the single one opens the other over itself.
class OutputCommandsWindows {
public:
    // They open from the settings windows, before the main settings' OK
    // perhaps: the command files shown are those of the home folder that
    // home gives (the main settings' as shown there), the main window's
    // when none is given.
    explicit OutputCommandsWindows(AppContext& app, std::function<std::string()> home = {});

    // Modal over the window whose "VIEW OUTPUT COMMANDS" was pressed.
    void openSingle(Form& owner);
    void openAll(Form& owner);

    SingleOutputCommandsWindow& single() { return single_; }
    AllOutputCommandsWindow& all() { return all_; }

private:
    AppContext& app_;
    SingleOutputCommandsWindow single_;
    AllOutputCommandsWindow all_;
};

}  // namespace syncward
