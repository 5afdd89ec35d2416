#include "core/scheduler/scheduled_task_window.h"

#include "core/form/reaction_blocker.h"
#include "core/scheduler/catch_up_record.h"
#include "core/state/app_context.h"

namespace syncward {

namespace {

constexpr WindowPlacement windowPlacement{"WIN_SCHED_TASK-", 9690, 7215};
constexpr const char* dayNames[] = {"MON ", "TUE ", "WED ", "THU ", "FRI ", "SAT ", "SUN "};

bool posix(const AppContext& app) { return app.profile().flavour() == PlatformProfile::Flavour::Posix; }

std::string captionFor(const AppContext& app) {
    return posix(app) ? "SYNCWARD - CRONTAB \"SCHEDULED TASK\" MANAGER"
                      : "SYNCWARD - WINDOWS \"SCHEDULED TASK\" MANAGER";
}

std::string noteFor(const AppContext& app) {
    if (posix(app))
        return "THE TASK IS ONE LINE OF YOUR CRONTAB (TWO \r\nWITH CATCH UP), TAGGED \"# SYNCWARD - <NAME>\"; "
               "\r\nOTHER LINES ARE KEPT AS THEY ARE\r\n";
    return "CHANGES MADE TO THESE OPTIONS USING \r\n\"WINDOWS TASK SCHEDULER\" WON'T BE \r\nSHOWN HERE\r\n";
}

std::string optionsFor(const AppContext& app) {
    if (posix(app))
        return "crontab -l            list the table\r\n"
               "crontab -             replace the table from standard input\r\n"
               "crontab -e            edit the table\r\n"
               "crontab -r            remove the table\r\n\r\n"
               "A line: minute hour day-of-month month day-of-week command\r\n"
               "day-of-week: 0 or 7 Sunday, 1 Monday ... 6 Saturday; * every day\r\n"
               "A \"#\" at the start of a line switches it off.\r\n";
    return "SCHTASKS /parameter [arguments]\r\n\r\n"
           "/Create   Creates a new scheduled task.\r\n"
           "/Delete   Deletes the scheduled task(s).\r\n"
           "/Query    Displays all scheduled tasks.\r\n"
           "/Change   Changes the properties of a scheduled task.\r\n"
           "/Run      Runs the scheduled task on demand.\r\n"
           "/End      Stops the currently running scheduled task.\r\n\r\n"
           "/SC WEEKLY /D MON,TUE,... /TN taskname /TR program /ST HH:mm\r\n"
           "/Change /TN taskname /ENABLE | /DISABLE\r\n"
           "/Delete /TN taskname /F\r\n";
}

}  // namespace

ScheduledTaskWindow::ScheduledTaskWindow(AppContext& app)
    : Form(formName, app.platform.loop),
      SCHEDULER_HEADING_LABEL(*this, "SCHEDULER_HEADING_LABEL", "\"SCHEDULED TASK\" MANAGER"),
      SCHEDULER_NOTE_TEXTBOX(*this, "SCHEDULER_NOTE_TEXTBOX", noteFor(app)),
      COMMAND_LINE_OPTIONS_TEXTBOX(*this, "COMMAND_LINE_OPTIONS_TEXTBOX", optionsFor(app)),
      app_(app),
      commands_(app) {
    setCaption(captionFor(app));
    for (TextBox* box : {&TASK_NAME_TEXTBOX, &OUTPUT_COMMAND_TEXTBOX, &SCHEDULER_NOTE_TEXTBOX,
                         &COMMAND_LINE_OPTIONS_TEXTBOX})
        box->setLocked(true);
    declareModelOnly({&TASK_STATUS_TEXTBOX, &SELECTED_DAYS_TEXTBOX, &SYNCWARD_HOME_TEXTBOX});

    SELECT_ALL_DAYS_TICKBOX.onClick.connect([this] { everyDayClicked(); });
    const auto days = dayTickBoxes();
    for (std::size_t i = 0; i < days.size(); ++i) days[i]->onClick.connect([this, i] { dayClicked(i); });
    ENABLE_DELETE_BUTTON_TICKBOX.onClick.connect([this] {
        DELETE_TASK_BUTTON.setEnabled(ENABLE_DELETE_BUTTON_TICKBOX.ticked());
    });
    ENABLE_SCHED_TASK_TICKBOX.onClick.connect([this] { enableClicked(); });
    CATCH_UP_TICKBOX.onClick.connect([this] { catchUpClicked(); });
    CREATE_TASK_BUTTON.onClick.connect([this] { create(); });
    DELETE_TASK_BUTTON.onClick.connect([this] { remove(); });
    OK_BUTTON.onClick.connect([this] { ok(); });
    // The close box keeps the place and what really happened to the task.
    onClose.connect([this] {
        app_.settings.savePosition(*this, windowPlacement);
        saveTaskState();
    });
}

void ScheduledTaskWindow::load() {
    const SectionSettings& s = app_.settings;
    s.loadPlacement(*this, windowPlacement);
    // Loading fills the boxes only: no stored tick runs a command, so
    // opening the window never changes the task.
    loading_ = true;
    s.loadText(TASK_RUN_TIME_TEXTBOX, "00:00");
    s.loadTick(SELECT_ALL_DAYS_TICKBOX, 0);
    for (TickBox* day : dayTickBoxes()) s.loadTick(*day, 0);
    s.loadTick(ENABLE_SCHED_TASK_TICKBOX, 0);
    s.loadText(TASK_STATUS_TEXTBOX, scheduler_texts::taskDeleted);
    // The Windows task scheduler has its own way with missed starts.
    s.loadTick(CATCH_UP_TICKBOX, posix(app_) ? 1 : 0);
    CATCH_UP_TICKBOX.setEnabled(posix(app_));
    ONLY_VIEW_COMMAND_TICKBOX.setValue(0);
    ENABLE_DELETE_BUTTON_TICKBOX.setValue(0);
    loading_ = false;

    OUTPUT_COMMAND_TEXTBOX.setText("");
    SCHEDULER_STATUS_LABEL.setCaption("");
    TASK_NAME_TEXTBOX.setText(commands_.taskName());
    SYNCWARD_HOME_TEXTBOX.setText(app_.main.SYNCWARD_HOME_TEXTBOX.text());

    // Where the system can be asked, the task itself decides what shows.
    if (posix(app_)) {
        if (const auto held = commands_.state()) {
            const bool exists = held->state != crontab_table::State::Absent;
            TASK_STATUS_TEXTBOX.setText(exists ? scheduler_texts::taskCreated : scheduler_texts::taskDeleted);
            const ReactionBlocker quiet(ENABLE_SCHED_TASK_TICKBOX);
            ENABLE_SCHED_TASK_TICKBOX.setTicked(held->state == crontab_table::State::Enabled);
            // A task made by an earlier version has no catch-up line: shown
            // unticked, and ticking it adds one.
            if (exists) {
                const ReactionBlocker quietCatchUp(CATCH_UP_TICKBOX);
                CATCH_UP_TICKBOX.setTicked(held->catchUp);
            }
        } else {
            report("!!! CRONTAB NOT READ - SHOWING THE LAST KNOWN STATE !!!", false);
        }
    }
    if (taskCreated())
        showCreated();
    else
        showDeleted();
    deriveDayList();
    showNextRun();
}

void ScheduledTaskWindow::setDayOptionsAvailable(bool available) {
    SELECT_ALL_DAYS_TICKBOX.setEnabled(available);
    for (TickBox* day : dayTickBoxes()) day->setEnabled(available);
}

bool ScheduledTaskWindow::anyDayChosen() {
    if (SELECT_ALL_DAYS_TICKBOX.ticked()) return true;
    for (TickBox* day : dayTickBoxes())
        if (day->ticked()) return true;
    return false;
}

void ScheduledTaskWindow::everyDayClicked() {
    if (loading_) return;
    {
        const auto days = dayTickBoxes();
        loading_ = true;
        for (TickBox* day : days) day->setValue(0);
        loading_ = false;
        for (TickBox* day : days) day->setEnabled(!SELECT_ALL_DAYS_TICKBOX.ticked());
    }
    CREATE_TASK_BUTTON.setEnabled(SELECT_ALL_DAYS_TICKBOX.ticked());
    deriveDayList();
}

// The day options are a group with at most one member ticked: a ticked
// one greys out the others until it is unticked.
void ScheduledTaskWindow::dayClicked(std::size_t index) {
    if (loading_) return;
    const auto days = dayTickBoxes();
    const bool ticked = days[index]->ticked();
    loading_ = true;
    SELECT_ALL_DAYS_TICKBOX.setValue(0);
    for (std::size_t i = 0; i < days.size(); ++i)
        if (i != index) days[i]->setValue(0);
    loading_ = false;
    SELECT_ALL_DAYS_TICKBOX.setEnabled(!ticked);
    for (std::size_t i = 0; i < days.size(); ++i)
        if (i != index) days[i]->setEnabled(!ticked);
    CREATE_TASK_BUTTON.setEnabled(ticked);
    deriveDayList();
}

void ScheduledTaskWindow::deriveDayList() {
    if (SELECT_ALL_DAYS_TICKBOX.ticked()) {
        SELECTED_DAYS_TEXTBOX.setText(scheduler_texts::everyDay);
        return;
    }
    std::string list;
    const auto days = dayTickBoxes();
    for (std::size_t i = 0; i < days.size(); ++i)
        if (days[i]->ticked()) list += dayNames[i];
    SELECTED_DAYS_TEXTBOX.setText(list);
}

// A created task is changed only by deleting and creating it again.
void ScheduledTaskWindow::showCreated() {
    CREATE_TASK_BUTTON.setEnabled(false);
    ENABLE_DELETE_BUTTON_TICKBOX.setEnabled(true);
    ENABLE_SCHED_TASK_TICKBOX.setEnabled(true);
    DELETE_TASK_BUTTON.setEnabled(ENABLE_DELETE_BUTTON_TICKBOX.ticked());
    setDayOptionsAvailable(false);
    TASK_RUN_TIME_TEXTBOX.setLocked(true);
}

void ScheduledTaskWindow::showDeleted() {
    loading_ = true;
    ENABLE_DELETE_BUTTON_TICKBOX.setValue(0);
    ENABLE_SCHED_TASK_TICKBOX.setValue(0);
    SELECT_ALL_DAYS_TICKBOX.setValue(0);
    for (TickBox* day : dayTickBoxes()) day->setValue(0);
    loading_ = false;
    ENABLE_DELETE_BUTTON_TICKBOX.setEnabled(false);
    ENABLE_SCHED_TASK_TICKBOX.setEnabled(false);
    DELETE_TASK_BUTTON.setEnabled(false);
    setDayOptionsAvailable(true);
    TASK_RUN_TIME_TEXTBOX.setLocked(false);
    CREATE_TASK_BUTTON.setEnabled(false);
}

void ScheduledTaskWindow::create() {
    if (!parseRunTime(TASK_RUN_TIME_TEXTBOX.text())) {
        report(scheduler_texts::invalidRunTime, false);
        return;
    }
    if (!anyDayChosen()) return;
    deriveDayList();
    const std::string& days = SELECTED_DAYS_TEXTBOX.text();
    OUTPUT_COMMAND_TEXTBOX.setText(commands_.createCommand(days, TASK_RUN_TIME_TEXTBOX.text()));
    if (ONLY_VIEW_COMMAND_TICKBOX.ticked()) return;

    CREATE_TASK_BUTTON.setEnabled(false);
    const bool catchUp = CATCH_UP_TICKBOX.ticked() && posix(app_);
    const TaskCommands::Outcome outcome = commands_.create(days, TASK_RUN_TIME_TEXTBOX.text(), catchUp);
    if (!outcome.done) {
        CREATE_TASK_BUTTON.setEnabled(true);
        report(outcome.problem, false);
        return;
    }
    // A new task is active: the tick box says so.
    TASK_STATUS_TEXTBOX.setText(scheduler_texts::taskCreated);
    {
        const ReactionBlocker quiet(ENABLE_SCHED_TASK_TICKBOX);
        ENABLE_SCHED_TASK_TICKBOX.setTicked(true);
    }
    // What the task now is, for the catch-up check of a later start.
    app_.settings.saveText(TASK_RUN_TIME_TEXTBOX);
    app_.settings.saveTick(SELECT_ALL_DAYS_TICKBOX);
    for (TickBox* day : dayTickBoxes()) app_.settings.saveTick(*day);
    saveTaskState();
    if (catchUp) storeCatchUpSince(app_);
    showCreated();
    if (outcome.problem.empty())
        report(catchUp ? "!!! TASK CREATED - MISSED RUNS ARE CAUGHT UP AT THE NEXT BOOT OR LOGIN !!!"
                       : "!!! TASK CREATED !!!",
               true);
    else
        report(outcome.problem, false);
    showNextRun();
}

void ScheduledTaskWindow::enableClicked() {
    if (loading_) return;
    const bool enable = ENABLE_SCHED_TASK_TICKBOX.ticked();
    OUTPUT_COMMAND_TEXTBOX.setText(commands_.enableCommand(enable));
    const TaskCommands::Outcome outcome = commands_.setEnabled(enable);
    if (!outcome.done) {
        const ReactionBlocker quiet(ENABLE_SCHED_TASK_TICKBOX);
        ENABLE_SCHED_TASK_TICKBOX.setTicked(!enable);
        report(outcome.problem, false);
        return;
    }
    saveTaskState();
    report(enable ? "!!! TASK ENABLED !!!" : "!!! TASK DISABLED !!!", true);
    showNextRun();
}

// Before Create the tick is only a choice; on a created task it adds or
// removes the catch-up line and the autostart entry at once.
void ScheduledTaskWindow::catchUpClicked() {
    if (loading_) return;
    const bool catchUp = CATCH_UP_TICKBOX.ticked();
    if (taskCreated()) {
        const TaskCommands::Outcome outcome = commands_.setCatchUp(catchUp);
        if (!outcome.done) {
            const ReactionBlocker quiet(CATCH_UP_TICKBOX);
            CATCH_UP_TICKBOX.setTicked(!catchUp);
            report(outcome.problem, false);
            return;
        }
        if (catchUp) storeCatchUpSince(app_);
        if (outcome.problem.empty())
            report(catchUp ? "!!! MISSED RUNS ARE CAUGHT UP AT THE NEXT BOOT OR LOGIN !!!"
                           : "!!! MISSED RUNS ARE NOT CAUGHT UP !!!",
                   true);
        else
            report(outcome.problem, false);
    }
    app_.settings.saveTick(CATCH_UP_TICKBOX);
    showNextRun();
}

void ScheduledTaskWindow::showNextRun() {
    const std::optional<WeeklyTime> task = storedWeeklyTask(app_.settings);
    if (!task) {
        const bool created = taskCreated();
        NEXT_RUN_LABEL.setCaption(created ? "NEXT RUN: NONE - THE TASK IS DISABLED" : "NEXT RUN: NONE - NO TASK");
        return;
    }
    const UtcOffset zone = localZone(app_);
    const CatchUp catchUp = storedCatchUp(app_, *task);
    std::string text = "NEXT RUN: " + (catchUp.nextDue ? localMomentText(*catchUp.nextDue, zone) : "NONE");
    if (catchUp.missed && posix(app_))
        text += "\r\nTHE RUN OF " + localMomentText(*catchUp.lastScheduled, zone) + " WAS MISSED" +
                (CATCH_UP_TICKBOX.ticked() ? " - IT WILL BE CAUGHT UP AT THE NEXT BOOT OR LOGIN"
                                           : " - IT IS NOT CAUGHT UP (\"Catch Up Missed Runs\" IS OFF)");
    NEXT_RUN_LABEL.setCaption(text);
}

void ScheduledTaskWindow::remove() {
    OUTPUT_COMMAND_TEXTBOX.setText(commands_.deleteCommand());
    if (ONLY_VIEW_COMMAND_TICKBOX.ticked()) return;
    const TaskCommands::Outcome outcome = commands_.remove();
    if (!outcome.done) {
        report(outcome.problem, false);
        return;
    }
    TASK_STATUS_TEXTBOX.setText(scheduler_texts::taskDeleted);
    // The task is gone: nothing is left to disable.
    showDeleted();
    TASK_RUN_TIME_TEXTBOX.setText("00:00");
    saveTaskState();
    deriveDayList();
    if (outcome.problem.empty())
        report("!!! TASK DELETED !!!", true);
    else
        report(outcome.problem, false);
    showNextRun();
}

void ScheduledTaskWindow::ok() {
    const SectionSettings& s = app_.settings;
    s.savePosition(*this, windowPlacement);
    s.saveText(TASK_RUN_TIME_TEXTBOX);
    s.saveTick(SELECT_ALL_DAYS_TICKBOX);
    for (TickBox* day : dayTickBoxes()) s.saveTick(*day);
    close();  // stores the place, the enable tick and the status
}

void ScheduledTaskWindow::saveTaskState() {
    app_.settings.saveTick(ENABLE_SCHED_TASK_TICKBOX);
    app_.settings.saveText(TASK_STATUS_TEXTBOX);
    app_.settings.saveTick(CATCH_UP_TICKBOX);
}

void ScheduledTaskWindow::report(const std::string& message, bool good) {
    SCHEDULER_STATUS_LABEL.setCaption(message);
    SCHEDULER_STATUS_LABEL.setColours(colours::black, good ? colours::green : colours::red);
}

}  // namespace syncward
