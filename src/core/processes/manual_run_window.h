#pragma once

#include <array>

#include "core/form/form.h"
#include "core/processes/command_file.h"

namespace syncward {

struct AppContext;

// SYNCWARD_MANUAL_RUN_WINDOW: starts the QT wallet or the daemon, or sends
// the client's stop request, by hand, with the run's own command files.
// It never asks the process list itself: once a second it copies the main
// window's four state boxes and offers only the starts that make sense.
class ManualRunWindow : public Form {
public:
    static constexpr const char* formName = "SYNCWARD_MANUAL_RUN_WINDOW";

    explicit ManualRunWindow(AppContext& app);

    // Places the window and shows the current states at once, as on every open.
    void load();

    TextBox PROCESS_TEXTBOX_1{*this, "PROCESS_TEXTBOX_1", "QT"};
    TextBox PROCESS_TEXTBOX_2{*this, "PROCESS_TEXTBOX_2", "DAEMON"};
    TextBox PROCESS_TEXTBOX_3{*this, "PROCESS_TEXTBOX_3", "CLI"};
    TextBox PROCESS_TEXTBOX_4{*this, "PROCESS_TEXTBOX_4"};  // the mailer's name
    Button QT_START_BUTTON{*this, "QT_START_BUTTON", "START QT"};
    Button DAEMON_START_BUTTON{*this, "DAEMON_START_BUTTON", "START DAEMON"};
    Button CLI_STOP_BUTTON{*this, "CLI_STOP_BUTTON", "CLI \"STOP\" REQUEST"};
    Button OK_BUTTON{*this, "OK_BUTTON", "OK"};
    Label QV_SYNCWARD_TITLE_LABEL{*this, "QV_SYNCWARD_TITLE_LABEL", "SYNCWARD"};
    Label MANUAL_RUN_LABEL{*this, "MANUAL_RUN_LABEL", "MANUAL RUN"};
    // Says when a click could not start anything.
    Label MANUAL_RUN_STATUS_LABEL{*this, "MANUAL_RUN_STATUS_LABEL"};
    Timer BUTTON_UPDATE_TIMER{*this, "BUTTON_UPDATE_TIMER", 1000};

    std::array<TextBox*, 4> processBoxes() {
        return {&PROCESS_TEXTBOX_1, &PROCESS_TEXTBOX_2, &PROCESS_TEXTBOX_3, &PROCESS_TEXTBOX_4};
    }

private:
    void mirror();
    void start(CommandFile file);

    AppContext& app_;
};

}  // namespace syncward
