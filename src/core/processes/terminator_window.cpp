#include "core/processes/terminator_window.h"

#include "core/processes/own_process_name.h"
#include "core/state/app_context.h"

namespace syncward {

namespace {

constexpr WindowPlacement windowPlacement{"TERMINATOR_WINDOW-", 10545, 4755};
constexpr const char* processListUnavailable = "!!! PROCESS LIST UNAVAILABLE - CUSTOM PROCESS NOT CHECKED !!!";

}  // namespace

TerminatorWindow::TerminatorWindow(AppContext& app, std::function<void()> confirmSelfTermination)
    : Form(formName, app.platform.loop), app_(app), confirmSelfTermination_(std::move(confirmSelfTermination)) {
    setCaption("SYNCWARD - PROCESS TERMINATOR");
    PROCESS_TEXTBOX_4.setText(app.profile().mailerName());
    ENABLE_TERMINATOR_TICKBOX.onClick.connect([this] {
        if (ENABLE_TERMINATOR_TICKBOX.ticked())
            armed();
        else
            disarm();
    });
    MIRROR_PROCESS_STATE_TIMER.onTick.connect([this] { mirror(); });
    CUSTOM_PROCESS_WATCHER_TIMER.onTick.connect([this] { watchCustom(); });
    // Each uses its box's text as it stands at the click: the boxes stay
    // editable while their program runs.
    for (auto [box, button] : {std::pair{&QT_NAME_TEXTBOX, &QT_TERMINATE_BUTTON},
                               std::pair{&DAEMON_NAME_TEXTBOX, &DAEMON_TERMINATE_BUTTON},
                               std::pair{&CLI_NAME_TEXTBOX, &CLI_TERMINATE_BUTTON},
                               std::pair{&PROCESS_TEXTBOX_4, &SENDEMAIL_TERMINATE_BUTTON},
                               std::pair{&CUSTOM_PROCESS_NAME_TEXTBOX, &CUSTOM_TERMINATE_BUTTON}})
        button->onClick.connect([this, box = box] { terminate(box->text()); });
    OK_BUTTON.onClick.connect([this] { close(); });
    onClose.connect([this] {
        MIRROR_PROCESS_STATE_TIMER.stop();
        CUSTOM_PROCESS_WATCHER_TIMER.stop();
        app_.settings.savePosition(*this, windowPlacement);
    });
}

void TerminatorWindow::load() {
    app_.settings.loadPlacement(*this, windowPlacement);
    TERMINATOR_STATUS_LABEL.setCaption("");
    listUnavailableShown_ = false;
    MIRROR_PROCESS_STATE_TIMER.setInterval(1000);
    CUSTOM_PROCESS_WATCHER_TIMER.setInterval(1000);
    const MainWindow& w = app_.main;
    for (auto [mine, watched] : {std::pair{&QT_NAME_TEXTBOX, &w.QT_NAME_TEXTBOX},
                                 std::pair{&DAEMON_NAME_TEXTBOX, &w.DAEMON_NAME_TEXTBOX},
                                 std::pair{&CLI_NAME_TEXTBOX, &w.CLI_NAME_TEXTBOX}}) {
        mine->setText(watched->text());
        mine->setTooltip(watched->text());
    }
    PROCESS_TEXTBOX_4.setText(app_.profile().mailerName());
    // The arming is never stored: every open starts disarmed.
    ENABLE_TERMINATOR_TICKBOX.setValue(0);
    disarm();
}

void TerminatorWindow::armed() {
    CUSTOM_PROCESS_NAME_TEXTBOX.setEnabled(true);
    // Show the states now rather than a second later.
    mirror();
    watchCustom();
    CUSTOM_PROCESS_WATCHER_TIMER.start();
    MIRROR_PROCESS_STATE_TIMER.start();
}

void TerminatorWindow::disarm() {
    MIRROR_PROCESS_STATE_TIMER.stop();
    CUSTOM_PROCESS_WATCHER_TIMER.stop();
    CUSTOM_PROCESS_NAME_TEXTBOX.setText("");
    CUSTOM_PROCESS_NAME_TEXTBOX.setEnabled(false);
    CUSTOM_PROCESS_NAME_TEXTBOX.setBackground(colours::windowBackground);
    for (TextBox* box : nameBoxes()) {
        box->setBackground(colours::windowBackground);
        box->setEnabled(false);
    }
    // Unticked means nothing can be ended: a button left live from the
    // last state would end a program with the window disarmed.
    for (Button* button : terminateButtons()) button->setEnabled(false);
    CUSTOM_TERMINATE_BUTTON.setEnabled(false);
}

void TerminatorWindow::mirror() {
    const auto boxes = nameBoxes();
    const auto buttons = terminateButtons();
    // Mailer first, then QT, daemon and client.
    for (WatchedProgram program :
         {WatchedProgram::mailer, WatchedProgram::qt, WatchedProgram::daemon, WatchedProgram::client}) {
        const auto n = static_cast<std::size_t>(program);
        boxes[n]->setBackground(app_.main.processBox(program).background());
        const bool running = app_.main.run.programs.running(program);
        buttons[n]->setEnabled(running);
        boxes[n]->setEnabled(running);
    }
}

void TerminatorWindow::watchCustom() {
    const std::string& name = CUSTOM_PROCESS_NAME_TEXTBOX.text();
    if (name.empty()) {
        CUSTOM_PROCESS_NAME_TEXTBOX.setBackground(colours::windowBackground);
        CUSTOM_TERMINATE_BUTTON.setEnabled(false);
        return;
    }
    const auto answer = app_.platform.processes.running({name});
    if (!answer || answer->size() != 1) {
        CUSTOM_TERMINATE_BUTTON.setEnabled(false);
        TERMINATOR_STATUS_LABEL.setCaption(processListUnavailable);
        listUnavailableShown_ = true;
        return;
    }
    if (listUnavailableShown_) {
        TERMINATOR_STATUS_LABEL.setCaption("");
        listUnavailableShown_ = false;
    }
    const bool running = (*answer)[0];
    CUSTOM_PROCESS_NAME_TEXTBOX.setBackground(running ? colours::green : colours::red);
    CUSTOM_TERMINATE_BUTTON.setEnabled(running);
}

void TerminatorWindow::terminate(const std::string& name) {
    if (name.empty()) return;
    if (wouldEndThisProgram(app_, name))
        confirmSelfTermination_();
    else
        app_.platform.processes.terminate(name);
}

}  // namespace syncward
