#pragma once

#include <array>
#include <functional>
#include <string>

#include "core/form/form.h"

namespace syncward {

struct AppContext;

// SYNCWARD_TERMINATOR_WINDOW: ends processes by name at once, without
// asking them to close: the node's three programs, the mailer, or a name
// the user types. Armed only while its tick box is ticked; disarmed, no
// TERMINATE button can be pressed. A name that would end this program
// itself goes to the self-termination window instead, whatever button and
// letter case asked for it.
class TerminatorWindow : public Form {
public:
    static constexpr const char* formName = "SYNCWARD_TERMINATOR_WINDOW";

    // confirmSelfTermination opens the self-termination window.
    TerminatorWindow(AppContext& app, std::function<void()> confirmSelfTermination);

    // Places the window, takes the watched names and opens disarmed.
    void load();

    TickBox ENABLE_TERMINATOR_TICKBOX{*this, "ENABLE_TERMINATOR_TICKBOX", "!!! ENABLE TERMINATOR !!!"};
    TextBox QT_NAME_TEXTBOX{*this, "QT_NAME_TEXTBOX"};
    TextBox DAEMON_NAME_TEXTBOX{*this, "DAEMON_NAME_TEXTBOX"};
    TextBox CLI_NAME_TEXTBOX{*this, "CLI_NAME_TEXTBOX"};
    TextBox PROCESS_TEXTBOX_4{*this, "PROCESS_TEXTBOX_4"};  // the mailer's name
    TextBox CUSTOM_PROCESS_NAME_TEXTBOX{*this, "CUSTOM_PROCESS_NAME_TEXTBOX"};
    Button QT_TERMINATE_BUTTON{*this, "QT_TERMINATE_BUTTON", "TERMINATE"};
    Button DAEMON_TERMINATE_BUTTON{*this, "DAEMON_TERMINATE_BUTTON", "TERMINATE"};
    Button CLI_TERMINATE_BUTTON{*this, "CLI_TERMINATE_BUTTON", "TERMINATE"};
    Button SENDEMAIL_TERMINATE_BUTTON{*this, "SENDEMAIL_TERMINATE_BUTTON", "TERMINATE"};
    Button CUSTOM_TERMINATE_BUTTON{*this, "CUSTOM_TERMINATE_BUTTON", "TERMINATE"};
    Label WARNING_1_LABEL{*this, "WARNING_1_LABEL", "!!! WARNING - TERMINATING PROCESSES CAN CREATE BIG PROBLEMS... !!! :)"};
    Label WARNING_2_LABEL{*this, "WARNING_2_LABEL", "!!! ONLY TERMINATE PROCESSES IF YOU CANT END THEM NORMALLY !!!"};
    Label WARNING_3_LABEL{*this, "WARNING_3_LABEL",
                          "!!! WARNING: TERMINATING QT / DAEMON PROCESSES MAY / \r\n"
                          "PROBABLY WILL CAUSE BLOCKCHAIN DATABASE CORRUPTION !!!\r\n"};
    Button OK_BUTTON{*this, "OK_BUTTON", "OK"};
    Label PROCESS_TERMINATOR_LABEL{*this, "PROCESS_TERMINATOR_LABEL", "PROCESS TERMINATOR"};
    Label SYNCWARD_TITLE_LABEL{*this, "SYNCWARD_TITLE_LABEL", "SYNCWARD"};
    // Says when the process list could not be read.
    Label TERMINATOR_STATUS_LABEL{*this, "TERMINATOR_STATUS_LABEL"};
    Timer MIRROR_PROCESS_STATE_TIMER{*this, "MIRROR_PROCESS_STATE_TIMER", 1000};
    Timer CUSTOM_PROCESS_WATCHER_TIMER{*this, "CUSTOM_PROCESS_WATCHER_TIMER", 1000};

    // The mirrored programs in the order of the main window's boxes: QT,
    // daemon, client, mailer.
    std::array<TextBox*, 4> nameBoxes() {
        return {&QT_NAME_TEXTBOX, &DAEMON_NAME_TEXTBOX, &CLI_NAME_TEXTBOX, &PROCESS_TEXTBOX_4};
    }
    std::array<Button*, 4> terminateButtons() {
        return {&QT_TERMINATE_BUTTON, &DAEMON_TERMINATE_BUTTON, &CLI_TERMINATE_BUTTON, &SENDEMAIL_TERMINATE_BUTTON};
    }

private:
    void armed();
    void disarm();
    void mirror();
    void watchCustom();
    void terminate(const std::string& name);

    AppContext& app_;
    std::function<void()> confirmSelfTermination_;
    // The status label shows this window's word that the process list could
    // not be read: a list read again takes it away, and nothing else.
    bool listUnavailableShown_ = false;
};

}  // namespace syncward
