#include "core/state/main_window_painter.h"

#include <string>
#include <utility>

#include "core/state/main_window.h"

namespace syncward {

namespace {

Colour stepColour(StepState state) {
    switch (state) {
        case StepState::running: return colours::cyan;
        case StepState::counting: return colours::pink;
        case StepState::done: return colours::green;
        case StepState::skippedOrFailed:
        case StepState::notReached: break;
    }
    return colours::red;
}

Colour checkColour(CheckMark mark) {
    switch (mark) {
        case CheckMark::pending: return colours::pink;
        case CheckMark::passed: return colours::green;
        case CheckMark::open: break;
    }
    return colours::windowBackground;
}

const char* roleOf(WatchedProgram program) {
    switch (program) {
        case WatchedProgram::qt: return "QT";
        case WatchedProgram::daemon: return "DAEMON";
        case WatchedProgram::client: return "CLI";
        case WatchedProgram::mailer: break;
    }
    return nullptr;  // the mailer goes by its own name
}

void paintSwitch(Button& button, bool on) { button.setCaption(on ? "STOP" : "START"); }

}  // namespace

void setStep(MainWindow& w, RunStep step, StepState state) {
    w.run.step(step) = state;
    if (state != StepState::notReached) w.taskLight(step).setBackground(stepColour(state));
}

void setProgramSeen(MainWindow& w, WatchedProgram program, bool running) {
    w.run.programs[program] = running ? ProgramSeen::running : ProgramSeen::stopped;
    TextBox& box = w.processBox(program);
    box.setBackground(running ? colours::green : colours::red);
    const char* role = roleOf(program);
    box.setTooltip(std::string(role ? role : w.processBox(program).text()) +
                   (running ? " PROCESS RUNNING" : " PROCESS STOPPED"));
    if (program == WatchedProgram::client) w.RUN_NOW_BUTTON.setEnabled(!running);
}

void setAgreement(MainWindow& w, const AgreementState& agreement) {
    w.run.agreement = agreement;
    w.IDENTICAL_TEXTBOX.setBackground(checkColour(agreement.identical));
    w.VERIFYING_TEXTBOX.setBackground(checkColour(agreement.verifying));
    w.TRIPLE_CHECK_TEXTBOX.setBackground(checkColour(agreement.tripleCheck));
    w.CONFIRMED_TEXTBOX.setBackground(checkColour(agreement.confirmed));
}

void setCheck(MainWindow& w, CheckMark AgreementState::*check, CheckMark mark) {
    AgreementState agreement = w.run.agreement;
    agreement.*check = mark;
    setAgreement(w, agreement);
}

void resetAgreement(MainWindow& w) { setAgreement(w, AgreementState{}); }

void setReading(MainWindow& w, std::string BlockReadings::*reading, std::string text) {
    w.run.readings.*reading = std::move(text);
    w.CURRENT_BLOCK_TEXTBOX.setText(w.run.readings.current);
    w.LAST_BLOCKCOUNT_TEXTBOX.setText(w.run.readings.lastAccepted);
}

void setChainSwitch(MainWindow& w, bool on) {
    w.run.switches.chain = on;
    paintSwitch(w.MULTILOADER_START_STOP_BUTTON, on);
}

void setCounterSwitch(MainWindow& w, bool on) {
    w.run.switches.counter = on;
    paintSwitch(w.START_STOP_TIMER_BUTTON, on);
}

void setOverrideSwitch(MainWindow& w, bool on) {
    w.run.switches.override = on;
    paintSwitch(w.START_OVERRIDE_BUTTON, on);
}

void setHeartbeatSwitch(MainWindow& w, bool on) {
    w.run.switches.heartbeat = on;
    w.KITT_START_BUTTON.setCaption(on ? "STOP KITT" : "START KITT");
}

void setAutostartSwitch(MainWindow& w, bool on) {
    w.run.switches.autostart = on;
    paintSwitch(w.AUTOSTART_START_BUTTON, on);
}

void setAutocloseSwitch(MainWindow& w, bool on) {
    w.run.switches.autoclose = on;
    paintSwitch(w.AUTOCLOSE_START_BUTTON, on);
}

void showRunFacts(MainWindow& w) {
    const RunFacts& f = w.facts;
    w.DATE_TEXTBOX.setText(f.date);
    w.START_TIME_TEXTBOX.setText(f.startTime);
    w.BC_FOLDER_SIZE_BEFORE.setText(f.folderBefore.shown);
    w.BC_FOLDER_SIZE_AFTER.setText(f.folderAfter.shown);
    w.BLOCKCOUNT_LOG_START_TEXTBOX.setText(f.startBlock.text);
    w.BLOCKCOUNT_LOG_END_TEXTBOX.setText(f.endBlock.text);
    w.DOWNLOADED_BLOCKS_TEXTBOX.setText(f.downloaded);
    w.END_TIME_TEXTBOX.setText(f.endTime);
    w.TOTAL_RUNTIME_TEXTBOX.setText(f.totalRuntime);
}

}  // namespace syncward
