#include "core/state/main_window.h"

#include <array>

#include "core/platform/platform_profile.h"

namespace syncward {

namespace {

const std::array<std::string, MainWindow::stepCount> stepNames = {
    "LOG - DATE / TIME / PC NAME",  "START KITT HEARTBEAT",        "START RUNTIME-TIMER",
    "SEND START EMAIL",             "LOG BC FOLDER START SIZE",    "LOG BLOCK START NUMBER",
    "RUN QT / DAEMON",              "RUN BLOCKCOUNTER",            "BLOCKCOUNTER COMPLETED",
    "LOG BLOCK END NUMBER",         "SEND \"CLI STOP\" REQUEST",   "QT / DAEMON SHUTDOWN",
    "LOG BC FOLDER END SIZE",       "LOG ENDTIME",                 "LOG TOTAL RUNTIME",
    "CREATE FINAL LOG REPORT",      "SEND END REPORT EMAIL",       "STOP KITT HEATBEAT",
    "AUTOCLOSE / POWER AUTOTIMER",
};

}  // namespace

const std::string& MainWindow::stepName(int step) { return stepNames.at(step - 1); }

MainWindow::MainWindow(EventLoop& loop, const PlatformProfile& profile)
    : Form(formName, loop),
      LOG_FILE_OUTPUT_TEXTBOX(*this, "LOG_FILE_OUTPUT_TEXTBOX",
                              "!!! LOG GENERATED AFTER RUN COMPLETION !!!" + profile.lineEnd()),
      LOG_TOP_MESSAGE_TEXTBOX(*this, "LOG_TOP_MESSAGE_TEXTBOX", "!!! - QUORVEL - SYNCWARD - !!!" + profile.lineEnd()),
      LOG_BOTTOM_MESSAGE_TEXTBOX(*this, "LOG_BOTTOM_MESSAGE_TEXTBOX",
                                 "!!! - Thanks for using Quorvel Software - !!!" + profile.lineEnd() +
                                     "quorvel.example - SYNCWARD by QUORVEL" + profile.lineEnd()),
      ZERO_NEW_LINE_TEXTBOX(*this, "ZERO_NEW_LINE_TEXTBOX", "0" + profile.lineEnd()) {
    // Values of the run and its report that the window does not show: the
    // names and commands the settings windows show, the report and its parts.
    declareModelOnly({&SE_HOME_TEXTBOX, &DAEMON_NAME_TEXTBOX, &CLI_NAME_TEXTBOX, &EMAIL_OUTPUT_START_COMMAND_TEXTBOX,
                      &EMAIL_OUTPUT_END_COMMAND_TEXTBOX, &RUN_QT_OR_D_TEXTBOX, &LOG_FILE_OUTPUT_TEXTBOX,
                      &LOG_TOP_MESSAGE_TEXTBOX, &SPLITTER_LINE_TEXTBOX, &LOG_BOTTOM_MESSAGE_TEXTBOX,
                      &ZERO_NEW_LINE_TEXTBOX, &EMPTY_TEXTBOX});
    for (int step = 1; step <= stepCount; ++step) {
        auto light = std::make_unique<TextBox>(*this, "TASK_" + std::to_string(step) + "_LIGHT", std::to_string(step));
        light->setTooltip(stepName(step));
        light->setLocked(true);
        taskLights_.push_back(std::move(light));
        taskTimers_.push_back(std::make_unique<Timer>(*this, "TASK_" + std::to_string(step) + "_MAIN_TIMER"));
    }

    const std::string& mailer = profile.mailerName();
    const std::array<std::pair<std::string, std::string>, processBoxCount> processBoxes = {{
        {"QT", "QT PROCESS - GREEN=RUNNING, RED=STOPPED"},
        {"DAEMON", "DAEMON  PROCESS - GREEN=RUNNING, RED=STOPPED"},
        {"CLI", "CLI  PROCESS - GREEN=RUNNING, RED=STOPPED"},
        {mailer, "\"" + mailer + "\" PROCESS - EMAIL SENDING UTILITY -  GREEN=RUNNING, RED=STOPPED"},
    }};
    for (int n = 1; n <= processBoxCount; ++n) {
        auto box = std::make_unique<TextBox>(*this, "PROCESS_TEXTBOX_" + std::to_string(n), processBoxes[n - 1].first);
        box->setTooltip(processBoxes[n - 1].second);
        box->setBackground(colours::buttonFace);  // neither green nor red until the watch answers
        box->setLocked(true);
        processBoxes_.push_back(std::move(box));
    }

    for (int n = 1; n <= kittLabelCount; ++n)
        kittLabels_.push_back(std::make_unique<Label>(*this, "KITT_LABEL_" + std::to_string(n)));
    for (int n = 1; n <= kittTimerCount; ++n)
        kittTimers_.push_back(std::make_unique<Timer>(*this, "KITT_RED_TIMER_" + std::to_string(n)));

    // Tooltips and states the window has before start-up.
    AUTOSTART_TICKBOX.setTooltip("AUTOSTART MULTILOADER");
    START_TIME_TEXTBOX.setTooltip("SYNCWARD STARTED AT THIS TIME");
    END_TIME_TEXTBOX.setTooltip("SYNCWARD FINISHED AT THIS TIME");
    TERMINATOR_BUTTON.setTooltip("!!! PROCESS TERMINATOR !!!");
    BLOCK_TIMES_WINDOW_BUTTON.setTooltip("!!! SHOW BLOCK TIMES WINDOW !!!");
    FFS_RUN_1_BUTTON.setTooltip("Get Folder Size Now");
    FFS_RUN_2_BUTTON.setTooltip("Get Folder Size Now");
    START_STOP_TIMER_BUTTON.setTooltip("START / STOP BLOCKCOUNTER");
    START_OVERRIDE_BUTTON.setTooltip("START / STOP BLOCKCOUNTER OVERRIDE TIMER");
    FINISH_BLOCKCOUNTER_BUTTON.setTooltip("STOP BLOCKCOUNTER AND CONTINUE RUN PROCESS");
    MULTILOADER_START_STOP_BUTTON.setTooltip("START MULTILOADER");
    IDENTICAL_TEXTBOX.setTooltip("!!! IDENTICAL BLOCK NUMBERS FOUND !!!");
    VERIFYING_TEXTBOX.setTooltip("VERIFYING IDENTICAL BLOCK NUMBERS");
    TRIPLE_CHECK_TEXTBOX.setTooltip("TRIPLE-CHECKING IDENTICAL BLOCK NUMBERS");
    CONFIRMED_TEXTBOX.setTooltip("!!! IDENTICAL BLOCK NUMBERS CONFIRMED !!!");

    END_LOG_BUTTON.setEnabled(false);
    AUTOCLOSE_START_BUTTON.setEnabled(false);
    USER_OVERRIDE_TIME_TEXTBOX.setEnabled(false);
    OVERRIDE_TIMER_TEXTBOX.setEnabled(false);
    START_OVERRIDE_BUTTON.setEnabled(false);
    AUTOSTART_OVERRIDE_TIMER_TICKBOX.setEnabled(false);
    FINISH_BLOCKCOUNTER_BUTTON.setEnabled(false);
    RUN_NOW_BUTTON.setEnabled(false);

    // Boxes that only show what the program computed.
    for (TextBox* shown : {&AUTOSTART_TIMER_TEXTBOX, &AUTOCLOSE_TIMER_TEXTBOX, &RUN_QT_OR_D_TEXTBOX,
                           &MULTILOADER_LAST_RUN_TEXTBOX, &BLOCKCOUNTER_LAST_RUN_TEXTBOX, &DATE_TEXTBOX,
                           &START_TIME_TEXTBOX, &PC_NAME_TEXTBOX, &BC_FOLDER_SIZE_BEFORE, &BC_FOLDER_SIZE_AFTER,
                           &BLOCKCOUNT_LOG_START_TEXTBOX, &BLOCKCOUNT_LOG_END_TEXTBOX, &DOWNLOADED_BLOCKS_TEXTBOX,
                           &END_TIME_TEXTBOX, &TOTAL_RUNTIME_TEXTBOX, &LOG_FILE_OUTPUT_TEXTBOX,
                           &CURRENT_BLOCK_TEXTBOX, &LAST_BLOCKCOUNT_TEXTBOX, &BLOCKCOUNT_TIMER_TEXTBOX,
                           &OVERRIDE_TIMER_TEXTBOX, &IDENTICAL_TEXTBOX, &VERIFYING_TEXTBOX, &TRIPLE_CHECK_TEXTBOX,
                           &CONFIRMED_TEXTBOX, &AUTOCLOSE_OR_POWER_AUTOTIMER_TEXTBOX, &AUTOTIMER_ACTION_TEXTBOX,
                           &HEARTBEAT_COUNTDOWN_DISPLAY_TEXTBOX})
        shown->setLocked(true);
}

}  // namespace syncward
