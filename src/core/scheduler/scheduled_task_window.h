#pragma once

#include <array>
#include <string>

#include "core/form/form.h"
#include "core/scheduler/task_commands.h"

namespace syncward {

struct AppContext;

namespace scheduler_texts {
inline constexpr const char* taskCreated = "TASK-CREATED";
inline constexpr const char* taskDeleted = "TASK-DELETED";
inline constexpr const char* everyDay = "MON,TUE,WED,THU,FRI,SAT,SUN ";
inline constexpr const char* invalidRunTime = "!!! INVALID RUN TIME - USE HH:MM (00:00 TO 23:59) !!!";
}  // namespace scheduler_texts

// The weekly scheduled task window: has the system start this copy of the
// program on one chosen week day, or every day, at a chosen time.
class ScheduledTaskWindow : public Form {
public:
    static constexpr const char* formName = "SYNCWARD_SCHEDULED_TASK";

    explicit ScheduledTaskWindow(AppContext& app);

    // Places the window and fills it from the settings and, where the
    // system can be asked, from the task itself. Opening never changes the
    // task.
    void load();

    TextBox TASK_NAME_TEXTBOX{*this, "TASK_NAME_TEXTBOX"};
    TextBox TASK_RUN_TIME_TEXTBOX{*this, "TASK_RUN_TIME_TEXTBOX", "00:00"};
    TickBox SELECT_ALL_DAYS_TICKBOX{*this, "SELECT_ALL_DAYS_TICKBOX", "Every Day"};
    TickBox MON_TICKBOX{*this, "MON_TICKBOX", "Monday"};
    TickBox TUE_TICKBOX{*this, "TUE_TICKBOX", "Tuesday"};
    TickBox WED_TICKBOX{*this, "WED_TICKBOX", "Wednesday"};
    TickBox THU_TICKBOX{*this, "THU_TICKBOX", "Thursday"};
    TickBox FRI_TICKBOX{*this, "FRI_TICKBOX", "Friday"};
    TickBox SAT_TICKBOX{*this, "SAT_TICKBOX", "Saturday"};
    TickBox SUN_TICKBOX{*this, "SUN_TICKBOX", "Sunday"};
    TickBox ENABLE_SCHED_TASK_TICKBOX{*this, "ENABLE_SCHED_TASK_TICKBOX", "Enable Scheduled Task"};
    // A start the computer was off for is made up at the next boot or login.
    TickBox CATCH_UP_TICKBOX{*this, "CATCH_UP_TICKBOX", "Catch Up Missed Runs"};
    TextBox TASK_STATUS_TEXTBOX{*this, "TASK_STATUS_TEXTBOX", scheduler_texts::taskDeleted};
    TickBox ONLY_VIEW_COMMAND_TICKBOX{*this, "ONLY_VIEW_COMMAND_TICKBOX", "ONLY VIEW COMMANDS"};
    TickBox ENABLE_DELETE_BUTTON_TICKBOX{*this, "ENABLE_DELETE_BUTTON_TICKBOX", "Enable Delete"};
    TextBox OUTPUT_COMMAND_TEXTBOX{*this, "OUTPUT_COMMAND_TEXTBOX"};
    Button CREATE_TASK_BUTTON{*this, "CREATE_TASK_BUTTON", "Create Task"};
    Button DELETE_TASK_BUTTON{*this, "DELETE_TASK_BUTTON", "Delete Task"};
    Button OK_BUTTON{*this, "OK_BUTTON", "OK"};
    Label SCHEDULER_HEADING_LABEL;
    TextBox SCHEDULER_NOTE_TEXTBOX;
    TextBox COMMAND_LINE_OPTIONS_TEXTBOX;
    // What really happened to the task, or why not.
    Label SCHEDULER_STATUS_LABEL{*this, "SCHEDULER_STATUS_LABEL"};
    // When the task starts next, and whether its last start was missed.
    Label NEXT_RUN_LABEL{*this, "NEXT_RUN_LABEL"};
    // The day list that goes after "/D ", and the home folder the Windows
    // task starts the program from.
    TextBox SELECTED_DAYS_TEXTBOX{*this, "SELECTED_DAYS_TEXTBOX"};
    TextBox SYNCWARD_HOME_TEXTBOX{*this, "SYNCWARD_HOME_TEXTBOX"};

    // Monday to Sunday.
    std::array<TickBox*, 7> dayTickBoxes() {
        return {&MON_TICKBOX, &TUE_TICKBOX, &WED_TICKBOX, &THU_TICKBOX, &FRI_TICKBOX, &SAT_TICKBOX, &SUN_TICKBOX};
    }

private:
    void everyDayClicked();
    void dayClicked(std::size_t index);
    void deriveDayList();
    void setDayOptionsAvailable(bool available);
    void showCreated();
    void showDeleted();
    void create();
    void enableClicked();
    void catchUpClicked();
    void showNextRun();
    void remove();
    void ok();
    void saveTaskState();
    void report(const std::string& message, bool good);
    bool anyDayChosen();

    AppContext& app_;
    TaskCommands commands_;
    bool loading_ = false;
    // The stored state of the weekly task, as the crontab was last found.
    bool taskCreated() const { return TASK_STATUS_TEXTBOX.text() == scheduler_texts::taskCreated; }
};

}  // namespace syncward
