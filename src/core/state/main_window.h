#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/form/form.h"
#include "core/state/run_facts.h"
#include "core/state/run_events.h"
#include "core/state/run_state.h"
#include "core/state/window_placement.h"

namespace syncward {

class EventLoop;
class PlatformProfile;

// The texts the last-run boxes and the run record share with other parts.
namespace main_texts {
inline constexpr const char* completedSuccessfully = "!!! COMPLETED SUCCESSFULLY !!!";
inline constexpr const char* noActionSet = "!!! NO ACTION SET !!!";
inline constexpr const char* stillToRun = run_fact_texts::stillToRun;
inline constexpr const char* ready = "READY...";
inline constexpr const char* manualExit = "!!! MANUAL EXIT !!!";
inline constexpr const char* reportNotWritten = "!!! END REPORT FILE NOT WRITTEN - CHECK THE REPORTS FOLDER !!!";
inline constexpr const char* outcomeNotWritten = "!!! COMPLETED - REPORT OR SETTINGS NOT WRITTEN - CHECK THE DISK !!!";
// Stored when a run starts, overwritten when it ends: found at start-up, it
// tells of a run that was cut short (a crash, a kill, a power cut).
inline constexpr const char* runUnderWay = "!!! RUN UNDER WAY - STARTED ";
inline constexpr const char* runInterrupted = "!!! RUN INTERRUPTED - STARTED ";
// Stored by STOP in place of the mark above: the run ended there.
inline constexpr const char* runStopped = "!!! RUN STOPPED BY THE USER !!!";
inline constexpr const char* runStoppedNotStored = "!!! RUN STOPPED - NOT STORED - CHECK THE DISK !!!";
inline constexpr const char* outcomeNoHome = "!!! COMPLETED - NO HOME FOLDER SET - REPORT NOT WRITTEN !!!";
}  // namespace main_texts

// Intervals and countdowns the main window starts from when nothing valid
// is stored.
namespace main_defaults {
inline constexpr const char* countInterval = "00:05:00";
inline constexpr const char* overrideInterval = "01:00:00";
inline constexpr const char* heartbeatInterval = "00:05:00";
inline constexpr const char* countdownSeconds = "11";
}  // namespace main_defaults

inline constexpr WindowPlacement mainWindowPlacement{"MAIN-", 15825, 6750};

// SYNCWARD_MAIN: the program's shared state. Everything a run needs lives
// in these controls and in the window-level values below; every other
// window and every activity reads and writes them directly. The behaviour
// is installed by the subsystems (run sequence, block counter, ...), which
// attach reactions to these controls and timers.
class MainWindow : public Form {
public:
    static constexpr const char* formName = "SYNCWARD_MAIN";

    static constexpr int stepCount = runStepCount;
    static constexpr int kittLabelCount = 7;
    static constexpr int kittTimerCount = 16;
    static constexpr int processBoxCount = 4;

    MainWindow(EventLoop& loop, const PlatformProfile& profile);

    // The run's state as values: steps, watched programs, the block
    // counter's readings and their agreement, the START / STOP switches.
    // Set through the painter.
    RunState run;
    // What this run learnt: readings, the node's verdict, times, sizes.
    // Set by the steps, shown by the painter in the run record's boxes.
    RunFacts facts;
    RunEvents runEvents;

    // Window-level values (whole seconds).
    long long COUNTDOWN_REMAINING = 0;
    long long OVERRIDE_REMAINING = 0;
    long long HEARTBEAT_REMAINING = 0;
    long long RUNTIME_ELAPSED = 0;
    long long AUTOSTART_REMAINING = 11;
    long long AUTOCLOSE_REMAINING = 11;
    std::string COMPUTER_NAME;
    // How step 12 waits for the node: seconds waited, and whether the stop
    // request failed to start or the node was asked to shut down itself.
    long long SHUTDOWN_WAIT_ELAPSED = 0;
    bool STOP_REQUEST_FAILED = false;
    bool SHUTDOWN_REQUESTED = false;
    // How many ticks the node check's answer has been awaited.
    long long NODE_CHECK_WAIT_TICKS = 0;
    // Node checks in a row the node could not answer at all (no command
    // file, calls it does not know, no whole answer in time).
    int NODE_CHECK_UNANSWERED = 0;
    // Ticks the client has been seen running in the current wait for it.
    long long CLIENT_RUNNING_TICKS = 0;
    // What the run knows of its node: whether a named node program was
    // seen running since the run started it, and why its start failed.
    bool NODE_SEEN_RUNNING = false;
    int NODE_RUNNING_LOOKS = 0;  // looks of the watch in a row that saw it
    std::string NODE_START_FAILURE;
    // A usable block count came in during this phase.
    bool READING_SEEN = false;
    // The override timer runs as the unattended limit of a phase that must
    // finish, though the user did not start the override.
    bool PHASE_LIMIT = false;
    // Steps 1 to 19 are under way.
    bool RUN_UNDER_WAY = false;

    // Settings-backed controls.
    TickBox ALWAYS_ON_TOP_TICKBOX{*this, "ALWAYS_ON_TOP_TICKBOX", "Always On Top", 1};
    TickBox AUTOSTART_TICKBOX{*this, "AUTOSTART_TICKBOX", "AutoStart"};
    TextBox USER_COUNT_TIME_TEXTBOX{*this, "USER_COUNT_TIME_TEXTBOX", main_defaults::countInterval};
    TextBox USER_OVERRIDE_TIME_TEXTBOX{*this, "USER_OVERRIDE_TIME_TEXTBOX", main_defaults::overrideInterval};
    TickBox OVERRIDE_TIMER_ENABLE_TICKBOX{*this, "OVERRIDE_TIMER_ENABLE_TICKBOX", "OVERRIDE TIMER"};
    TickBox AUTOSTART_OVERRIDE_TIMER_TICKBOX{*this, "AUTOSTART_OVERRIDE_TIMER_TICKBOX", "AUTO START"};
    TickBox FINISH_WHEN_IDENTICAL_TICKBOX{*this, "FINISH_WHEN_IDENTICAL_TICKBOX", "Finish When Identical"};
    TickBox CONFIRM_WITH_NODE_TICKBOX{*this, "CONFIRM_WITH_NODE_TICKBOX", "Confirm With Node", 1};
    TickBox TIP_AGE_LIMIT_TICKBOX{*this, "TIP_AGE_LIMIT_TICKBOX", "Tip Age Limit"};
    TextBox TIP_AGE_LIMIT_TEXTBOX{*this, "TIP_AGE_LIMIT_TEXTBOX", "02:00:00"};
    Button TIP_AGE_SUGGEST_BUTTON{*this, "TIP_AGE_SUGGEST_BUTTON", "Suggest"};
    TextBox AUTOSTART_TIMER_TEXTBOX{*this, "AUTOSTART_TIMER_TEXTBOX", main_defaults::countdownSeconds};
    TextBox AUTOCLOSE_TIMER_TEXTBOX{*this, "AUTOCLOSE_TIMER_TEXTBOX", main_defaults::countdownSeconds};
    TextBox QV_QT_COMMAND_TEXTBOX{*this, "QV_QT_COMMAND_TEXTBOX"};
    TextBox QV_D_COMMAND_TEXTBOX{*this, "QV_D_COMMAND_TEXTBOX"};
    TextBox QVCLI_STOP_COMMAND_TEXTBOX{*this, "QVCLI_STOP_COMMAND_TEXTBOX"};
    TextBox GETBLOCKCOUNT_COMMAND_SETTINGS_TEXTBOX{*this, "GETBLOCKCOUNT_COMMAND_SETTINGS_TEXTBOX"};
    TextBox SYNCWARD_HOME_TEXTBOX{*this, "SYNCWARD_HOME_TEXTBOX"};
    TextBox BLOCKCHAIN_HOME_TEXTBOX{*this, "BLOCKCHAIN_HOME_TEXTBOX"};
    TextBox SE_HOME_TEXTBOX{*this, "SE_HOME_TEXTBOX"};
    TextBox CRYPTO_NAME_TEXTBOX{*this, "CRYPTO_NAME_TEXTBOX"};
    TextBox QT_NAME_TEXTBOX{*this, "QT_NAME_TEXTBOX"};
    TextBox DAEMON_NAME_TEXTBOX{*this, "DAEMON_NAME_TEXTBOX"};
    TextBox CLI_NAME_TEXTBOX{*this, "CLI_NAME_TEXTBOX"};
    TextBox EMAIL_OUTPUT_START_COMMAND_TEXTBOX{*this, "EMAIL_OUTPUT_START_COMMAND_TEXTBOX"};
    TextBox EMAIL_OUTPUT_END_COMMAND_TEXTBOX{*this, "EMAIL_OUTPUT_END_COMMAND_TEXTBOX"};
    TextBox AUTOCLOSE_OR_POWER_AUTOTIMER_TEXTBOX{*this, "AUTOCLOSE_OR_POWER_AUTOTIMER_TEXTBOX", main_texts::noActionSet};
    TextBox AUTOTIMER_ACTION_TEXTBOX{*this, "AUTOTIMER_ACTION_TEXTBOX", main_texts::noActionSet};
    TextBox RUN_QT_OR_D_TEXTBOX{*this, "RUN_QT_OR_D_TEXTBOX"};
    TickBox RUN_QT_TICKBOX{*this, "RUN_QT_TICKBOX", "RUN QT"};
    TickBox RUN_DAEMON_TICKBOX{*this, "RUN_DAEMON_TICKBOX", "RUN DAEMON"};
    TextBox CONF_FILE_LOCATION_TEXTBOX{*this, "CONF_FILE_LOCATION_TEXTBOX"};
    TextBox HEARTBEAT_COUNTDOWN_TIME_TEXTBOX{*this, "HEARTBEAT_COUNTDOWN_TIME_TEXTBOX", main_defaults::heartbeatInterval};
    TextBox MULTILOADER_LAST_RUN_TEXTBOX{*this, "MULTILOADER_LAST_RUN_TEXTBOX"};
    TextBox BLOCKCOUNTER_LAST_RUN_TEXTBOX{*this, "BLOCKCOUNTER_LAST_RUN_TEXTBOX"};
    TickBox AUTOLOAD_BLOCKCOUNT_FILE_TICKBOX{*this, "AUTOLOAD_BLOCKCOUNT_FILE_TICKBOX",
                                             "AutoLoad Block Count File On Startup", 1};
    TextBox GETBLOCKCOUNT_LOG_LOCATION_TEXTBOX{*this, "GETBLOCKCOUNT_LOG_LOCATION_TEXTBOX"};
    TickBox TASK_2_ENABLE_TICKBOX{*this, "TASK_2_ENABLE_TICKBOX", "START KITT HEARTBEAT"};
    TickBox TASK_4_ENABLE_TICKBOX{*this, "TASK_4_ENABLE_TICKBOX", "SEND START EMAIL"};
    TickBox TASK_8_ENABLE_TICKBOX{*this, "TASK_8_ENABLE_TICKBOX", "RUN BLOCKCOUNTER"};
    TickBox TASK_11_ENABLE_TICKBOX{*this, "TASK_11_ENABLE_TICKBOX", "SEND \"CLI STOP\" REQUEST"};
    TickBox TASK_17_ENABLE_TICKBOX{*this, "TASK_17_ENABLE_TICKBOX", "SEND END REPORT EMAIL"};
    TickBox TASK_18_ENABLE_TICKBOX{*this, "TASK_18_ENABLE_TICKBOX", "STOP KITT HEATBEAT"};
    TickBox TASK_19_ENABLE_TICKBOX{*this, "TASK_19_ENABLE_TICKBOX", "AUTOCLOSE"};
    TickBox TASK_20_ENABLE_TICKBOX{*this, "TASK_20_ENABLE_TICKBOX", "POWER AUTOTIMER"};

    // The run record, reset at start-up and read by the end report.
    TextBox DATE_TEXTBOX{*this, "DATE_TEXTBOX"};
    TextBox START_TIME_TEXTBOX{*this, "START_TIME_TEXTBOX"};
    TextBox PC_NAME_TEXTBOX{*this, "PC_NAME_TEXTBOX", "PC NAME"};
    TextBox BC_FOLDER_SIZE_BEFORE{*this, "BC_FOLDER_SIZE_BEFORE", main_texts::stillToRun};
    TextBox BC_FOLDER_SIZE_AFTER{*this, "BC_FOLDER_SIZE_AFTER", main_texts::stillToRun};
    TextBox BLOCKCOUNT_LOG_START_TEXTBOX{*this, "BLOCKCOUNT_LOG_START_TEXTBOX", "0"};
    TextBox BLOCKCOUNT_LOG_END_TEXTBOX{*this, "BLOCKCOUNT_LOG_END_TEXTBOX"};
    TextBox DOWNLOADED_BLOCKS_TEXTBOX{*this, "DOWNLOADED_BLOCKS_TEXTBOX"};
    TextBox END_TIME_TEXTBOX{*this, "END_TIME_TEXTBOX"};
    TextBox TOTAL_RUNTIME_TEXTBOX{*this, "TOTAL_RUNTIME_TEXTBOX"};
    TextBox LOG_FILE_OUTPUT_TEXTBOX;
    // Fixed texts of the end report.
    TextBox LOG_TOP_MESSAGE_TEXTBOX;
    TextBox SPLITTER_LINE_TEXTBOX{*this, "SPLITTER_LINE_TEXTBOX", std::string(61, '=')};
    TextBox LOG_BOTTOM_MESSAGE_TEXTBOX;
    // Constants of the completion checks.
    TextBox ZERO_NEW_LINE_TEXTBOX;
    TextBox EMPTY_TEXTBOX{*this, "EMPTY_TEXTBOX"};

    // Indicators.
    Label CURRENT_STATUS_LABEL{*this, "CURRENT_STATUS_LABEL", main_texts::ready};
    TextBox CURRENT_BLOCK_TEXTBOX{*this, "CURRENT_BLOCK_TEXTBOX"};
    TextBox LAST_BLOCKCOUNT_TEXTBOX{*this, "LAST_BLOCKCOUNT_TEXTBOX"};
    TextBox BLOCKCOUNT_TIMER_TEXTBOX{*this, "BLOCKCOUNT_TIMER_TEXTBOX"};
    TextBox OVERRIDE_TIMER_TEXTBOX{*this, "OVERRIDE_TIMER_TEXTBOX"};
    TextBox IDENTICAL_TEXTBOX{*this, "IDENTICAL_TEXTBOX", "IDENTICAL"};
    TextBox VERIFYING_TEXTBOX{*this, "VERIFYING_TEXTBOX", "VERIFYING"};
    TextBox TRIPLE_CHECK_TEXTBOX{*this, "TRIPLE_CHECK_TEXTBOX", "TRIPLE-CHECK"};
    TextBox CONFIRMED_TEXTBOX{*this, "CONFIRMED_TEXTBOX", "CONFIRMED"};
    Label RUNTIME_LABEL{*this, "RUNTIME_LABEL", "00:00:00"};
    TextBox HEARTBEAT_COUNTDOWN_DISPLAY_TEXTBOX{*this, "HEARTBEAT_COUNTDOWN_DISPLAY_TEXTBOX"};
    Label KITT_BACKGROUND_LABEL{*this, "KITT_BACKGROUND_LABEL"};
    Label VERT_NUM_LIGHT_LABEL{*this, "VERT_NUM_LIGHT_LABEL", "NUM"};
    Label VERT_CAPS_LIGHT_LABEL{*this, "VERT_CAPS_LIGHT_LABEL", "CAPS"};
    Label VERT_SCROLL_LIGHT_LABEL{*this, "VERT_SCROLL_LIGHT_LABEL", "SCROLL"};
    TextBox CLOSE_REQUEST_COUNTDOWN_TEXTBOX{*this, "CLOSE_REQUEST_COUNTDOWN_TEXTBOX"};
    Label APP_EXE_NAME_LABEL{*this, "APP_EXE_NAME_LABEL"};

    // Buttons.
    Button SETTINGS_BUTTON{*this, "SETTINGS_BUTTON", "Settings"};
    Button ABOUT_BUTTON{*this, "ABOUT_BUTTON", "About"};
    Button HELP_BUTTON{*this, "HELP_BUTTON", "Basic Help"};
    Button BOX_INFO_BUTTON{*this, "BOX_INFO_BUTTON", "Box Info"};
    Button TERMINATOR_BUTTON{*this, "TERMINATOR_BUTTON", "Terminator"};
    Button BLOCK_TIMES_WINDOW_BUTTON{*this, "BLOCK_TIMES_WINDOW_BUTTON", "Block Times"};
    Button MANUAL_RUN_BUTTON{*this, "MANUAL_RUN_BUTTON", "Manual Run"};
    Button END_LOG_BUTTON{*this, "END_LOG_BUTTON", "End Log"};
    Button HISTORY_BUTTON{*this, "HISTORY_BUTTON", "History"};
    Button MULTILOADER_START_STOP_BUTTON{*this, "MULTILOADER_START_STOP_BUTTON", "START"};
    Button AUTOSTART_START_BUTTON{*this, "AUTOSTART_START_BUTTON", "START"};
    Button AUTOCLOSE_START_BUTTON{*this, "AUTOCLOSE_START_BUTTON", "START"};
    Button EXIT_BUTTON{*this, "EXIT_BUTTON", "EXIT"};
    Button START_STOP_TIMER_BUTTON{*this, "START_STOP_TIMER_BUTTON", "START"};
    Button START_OVERRIDE_BUTTON{*this, "START_OVERRIDE_BUTTON", "START"};
    Button RUN_NOW_BUTTON{*this, "RUN_NOW_BUTTON", "Run Now"};
    Button FINISH_BLOCKCOUNTER_BUTTON{*this, "FINISH_BLOCKCOUNTER_BUTTON", "MANUAL FINISH BLOCKCOUNTER"};
    Button KITT_START_BUTTON{*this, "KITT_START_BUTTON", "START KITT"};
    Button FFS_RUN_1_BUTTON{*this, "FFS_RUN_1_BUTTON", "Run"};
    Button FFS_RUN_2_BUTTON{*this, "FFS_RUN_2_BUTTON", "Run"};

    // Timers (intervals are given at start-up).
    Timer AUTOSTART_TIMER{*this, "AUTOSTART_TIMER"};
    Timer AUTOCLOSE_TIMER{*this, "AUTOCLOSE_TIMER"};
    Timer COMPLETED_TIMER{*this, "COMPLETED_TIMER"};
    Timer RUNTIME_TIMER{*this, "RUNTIME_TIMER"};
    Timer AlwaysOnTopTimer{*this, "AlwaysOnTopTimer"};
    Timer BLOCKCOUNTER_COUNTDOWN_TIMER{*this, "BLOCKCOUNTER_COUNTDOWN_TIMER"};
    Timer GETBLOCKCOUNT_TIMER{*this, "GETBLOCKCOUNT_TIMER"};
    Timer BLOCKCOUNT_TEXTBOX_UPDATER_TIMER{*this, "BLOCKCOUNT_TEXTBOX_UPDATER_TIMER"};
    Timer OVERRIDE_TIMER{*this, "OVERRIDE_TIMER"};
    Timer CLI_PROCESS_WATCHER_TIMER{*this, "CLI_PROCESS_WATCHER_TIMER"};
    Timer TOOLTIP_TIMER{*this, "TOOLTIP_TIMER"};
    Timer ZERO_EMPTY_TEXTBOX_CHECKER_TIMER{*this, "ZERO_EMPTY_TEXTBOX_CHECKER_TIMER"};
    Timer IDENTICAL_CHECKER_TIMER{*this, "IDENTICAL_CHECKER_TIMER"};
    Timer VERIFY_TIMER{*this, "VERIFY_TIMER"};
    Timer TRIPLE_CHECK_TIMER{*this, "TRIPLE_CHECK_TIMER"};
    Timer CHECKER_TIMER{*this, "CHECKER_TIMER"};
    Timer NODE_CHECK_TIMER{*this, "NODE_CHECK_TIMER"};
    Timer NODE_CHECK_WATCHER_TIMER{*this, "NODE_CHECK_WATCHER_TIMER"};
    Timer MULTI_PROCESS_WATCHER_TIMER{*this, "MULTI_PROCESS_WATCHER_TIMER"};
    Timer NCS_TIMER{*this, "NCS_TIMER"};
    Timer HEARTBEAT_TIMER{*this, "HEARTBEAT_TIMER"};
    Timer NUMLOCK_TIMER_1{*this, "NUMLOCK_TIMER_1"};
    Timer NUMLOCK_TIMER_2{*this, "NUMLOCK_TIMER_2"};
    Timer FOLDER_SIZER_BEFORE_TIMER{*this, "FOLDER_SIZER_BEFORE_TIMER"};
    Timer FOLDER_SIZER_AFTER_TIMER{*this, "FOLDER_SIZER_AFTER_TIMER"};

    // Numbered families: TASK_n_LIGHT and TASK_n_MAIN_TIMER (n = 1..19),
    // PROCESS_TEXTBOX_n (1..4), KITT_LABEL_n (1..7), KITT_RED_TIMER_n (1..16).
    TextBox& taskLight(int step) { return *taskLights_.at(step - 1); }
    Timer& taskTimer(int step) { return *taskTimers_.at(step - 1); }
    TextBox& processBox(int n) { return *processBoxes_.at(n - 1); }
    TextBox& taskLight(RunStep step) { return taskLight(stepNumber(step)); }
    Timer& taskTimer(RunStep step) { return taskTimer(stepNumber(step)); }
    TextBox& processBox(WatchedProgram p) { return processBox(static_cast<int>(p) + 1); }
    Label& kittLabel(int n) { return *kittLabels_.at(n - 1); }
    Timer& kittTimer(int n) { return *kittTimers_.at(n - 1); }

    // The eight step switches, in the order they are loaded and stored.
    std::array<TickBox*, 8> stepSwitches() {
        return {&TASK_2_ENABLE_TICKBOX,  &TASK_4_ENABLE_TICKBOX,  &TASK_8_ENABLE_TICKBOX,  &TASK_11_ENABLE_TICKBOX,
                &TASK_17_ENABLE_TICKBOX, &TASK_18_ENABLE_TICKBOX, &TASK_19_ENABLE_TICKBOX, &TASK_20_ENABLE_TICKBOX};
    }

    // The name each step shows on its light and its switch.
    static const std::string& stepName(int step);

private:
    std::vector<std::unique_ptr<TextBox>> taskLights_;
    std::vector<std::unique_ptr<Timer>> taskTimers_;
    std::vector<std::unique_ptr<TextBox>> processBoxes_;
    std::vector<std::unique_ptr<Label>> kittLabels_;
    std::vector<std::unique_ptr<Timer>> kittTimers_;
};

}  // namespace syncward
