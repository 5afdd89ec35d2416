#include <gtest/gtest.h>

#include "core/scheduler/crontab_table.h"
#include "core/scheduler/scheduled_task_window.h"
#include "core/scheduler/schtasks_lines.h"
#include "core/settings/main_settings_window.h"
#include "core/settings/settings_windows.h"
#include "support/app_harness.h"

namespace syncward::testing {
namespace {

using Command = std::vector<std::string>;

class ScheduledTask : public ::testing::Test {
protected:
    ScheduledTaskWindow& open(PlatformProfile profile = PlatformProfile::windows()) {
        if (!h) {
            h = std::make_unique<AppHarness>(std::move(profile));
            h->fake.environment.exeName = "BTC-NODE";
            h->store("SYNCWARD_HOME_TEXTBOX", "C:\\QUORVEL-ROOT\\SYNCWARD");
            h->start();
        }
        h->app->settingsWindows().mainSettings().SCHEDULER_BUTTON.click();
        return h->app->settingsWindows().scheduledTask();
    }
    AppHarness& posix() {
        h = std::make_unique<AppHarness>(PlatformProfile::posix("/home/satoshi"));
        h->fake.environment.exeName = "BTC1";
        h->start();
        return *h;
    }
    const std::vector<Command>& programs() { return h->fake.launcher.programs; }
    std::optional<std::string> stored(const std::string& key) { return h->stored(key); }

    std::unique_ptr<AppHarness> h;
};

TEST_F(ScheduledTask, AFreshStoreOpensWithNoTaskAndNothingToCreate) {
    ScheduledTaskWindow& w = open();
    EXPECT_EQ(w.caption(), "SYNCWARD - WINDOWS \"SCHEDULED TASK\" MANAGER");
    EXPECT_EQ(h->fake.windows.shown.back().first, &w);
    EXPECT_TRUE(h->fake.windows.shown.back().second);  // modal
    EXPECT_EQ(w.placement().left, 1000);
    EXPECT_EQ(w.placement().width, 9690);
    EXPECT_EQ(w.placement().height, 7215);
    EXPECT_EQ(w.TASK_NAME_TEXTBOX.text(), "SYNCWARD - BTC-NODE");
    EXPECT_EQ(w.TASK_STATUS_TEXTBOX.text(), "TASK-DELETED");
    EXPECT_EQ(w.TASK_RUN_TIME_TEXTBOX.text(), "00:00");
    EXPECT_FALSE(w.CREATE_TASK_BUTTON.enabled());
    EXPECT_FALSE(w.DELETE_TASK_BUTTON.enabled());
    EXPECT_FALSE(w.ENABLE_SCHED_TASK_TICKBOX.enabled());
    EXPECT_TRUE(w.SELECT_ALL_DAYS_TICKBOX.enabled());
    for (TickBox* day : w.dayTickBoxes()) EXPECT_TRUE(day->enabled() && !day->ticked()) << day->name();
}

TEST_F(ScheduledTask, TheDayOptionsAreAGroupOfAtMostOne) {
    ScheduledTaskWindow& w = open();
    w.WED_TICKBOX.setTicked(true);
    EXPECT_EQ(w.SELECTED_DAYS_TEXTBOX.text(), "WED ");
    EXPECT_TRUE(w.CREATE_TASK_BUTTON.enabled());
    EXPECT_FALSE(w.SELECT_ALL_DAYS_TICKBOX.enabled());
    for (TickBox* day : w.dayTickBoxes())
        if (day != &w.WED_TICKBOX) {
            EXPECT_FALSE(day->enabled()) << day->name();
        }
    w.WED_TICKBOX.setTicked(false);
    EXPECT_EQ(w.SELECTED_DAYS_TEXTBOX.text(), "");
    EXPECT_FALSE(w.CREATE_TASK_BUTTON.enabled());
    for (TickBox* day : w.dayTickBoxes()) EXPECT_TRUE(day->enabled()) << day->name();

    w.SELECT_ALL_DAYS_TICKBOX.setTicked(true);
    EXPECT_EQ(w.SELECTED_DAYS_TEXTBOX.text(), "MON,TUE,WED,THU,FRI,SAT,SUN ");
    EXPECT_TRUE(w.CREATE_TASK_BUTTON.enabled());
    for (TickBox* day : w.dayTickBoxes()) EXPECT_FALSE(day->enabled()) << day->name();
    EXPECT_TRUE(w.timers().empty());  // no timer polls the boxes
}

TEST_F(ScheduledTask, TheWindowsLinesAreTheSchedulersOwn) {
    ScheduledTaskWindow& w = open();
    w.MON_TICKBOX.setTicked(true);
    w.TASK_RUN_TIME_TEXTBOX.setText("03:30");
    w.ONLY_VIEW_COMMAND_TICKBOX.setTicked(true);
    w.CREATE_TASK_BUTTON.click();
    EXPECT_EQ(w.OUTPUT_COMMAND_TEXTBOX.text(),
              "SchTasks /Create /SC WEEKLY /D MON /TN \"SYNCWARD - BTC-NODE\" /TR "
              "\"C:\\QUORVEL-ROOT\\SYNCWARD\\BTC-NODE.exe\" /ST 03:30");
    // View only: nothing ran, nothing changed.
    EXPECT_TRUE(programs().empty());
    EXPECT_EQ(w.TASK_STATUS_TEXTBOX.text(), "TASK-DELETED");
    EXPECT_TRUE(w.CREATE_TASK_BUTTON.enabled());

    w.ONLY_VIEW_COMMAND_TICKBOX.setTicked(false);
    w.CREATE_TASK_BUTTON.click();
    EXPECT_EQ(programs().back(), (Command{"SchTasks", "/Create", "/SC", "WEEKLY", "/D", "MON", "/TN",
                                          "SYNCWARD - BTC-NODE", "/TR", "C:\\QUORVEL-ROOT\\SYNCWARD\\BTC-NODE.exe",
                                          "/ST", "03:30"}));
    EXPECT_EQ(stored("TASK_STATUS_TEXTBOX"), "TASK-CREATED");
    EXPECT_TRUE(w.ENABLE_SCHED_TASK_TICKBOX.ticked());  // a new task is active
    EXPECT_EQ(stored("ENABLE_SCHED_TASK_TICKBOX"), "1");
    EXPECT_TRUE(w.TASK_RUN_TIME_TEXTBOX.locked());

    w.ENABLE_SCHED_TASK_TICKBOX.setTicked(false);
    EXPECT_EQ(w.OUTPUT_COMMAND_TEXTBOX.text(), "SchTasks /Change /TN \"SYNCWARD - BTC-NODE\" /DISABLE");
    w.ENABLE_SCHED_TASK_TICKBOX.setTicked(true);
    EXPECT_EQ(w.OUTPUT_COMMAND_TEXTBOX.text(), "SchTasks /Change /TN \"SYNCWARD - BTC-NODE\" /ENABLE");
    w.ENABLE_DELETE_BUTTON_TICKBOX.setTicked(true);
    w.DELETE_TASK_BUTTON.click();
    EXPECT_EQ(w.OUTPUT_COMMAND_TEXTBOX.text(), "SchTasks /Delete /TN \"SYNCWARD - BTC-NODE\" /F");
    EXPECT_EQ(programs().back(), (Command{"SchTasks", "/Delete", "/TN", "SYNCWARD - BTC-NODE", "/F"}));
    EXPECT_EQ(programs().size(), 4u);  // create, disable, enable, delete: no disable after the delete
    EXPECT_EQ(w.TASK_RUN_TIME_TEXTBOX.text(), "00:00");
    EXPECT_FALSE(w.CREATE_TASK_BUTTON.enabled());
    EXPECT_EQ(stored("TASK_STATUS_TEXTBOX"), "TASK-DELETED");
}

TEST_F(ScheduledTask, OnlyWhatReallyHappenedShowsAndReopeningChangesNothing) {
    ScheduledTaskWindow& w = open();
    w.SELECT_ALL_DAYS_TICKBOX.setTicked(true);
    w.TASK_RUN_TIME_TEXTBOX.setText("25:00");
    w.CREATE_TASK_BUTTON.click();
    EXPECT_EQ(w.SCHEDULER_STATUS_LABEL.caption(), scheduler_texts::invalidRunTime);
    EXPECT_TRUE(programs().empty());

    w.TASK_RUN_TIME_TEXTBOX.setText("02:15");
    h->fake.launcher.failStarts = true;
    w.CREATE_TASK_BUTTON.click();
    EXPECT_EQ(w.TASK_STATUS_TEXTBOX.text(), "TASK-DELETED");
    EXPECT_FALSE(stored("TASK_STATUS_TEXTBOX"));
    EXPECT_TRUE(w.CREATE_TASK_BUTTON.enabled());
    EXPECT_EQ(w.SCHEDULER_STATUS_LABEL.background(), colours::red);

    h->fake.launcher.failStarts = false;
    w.CREATE_TASK_BUTTON.click();
    w.ENABLE_SCHED_TASK_TICKBOX.setTicked(false);
    w.close();  // the close box
    EXPECT_EQ(stored("ENABLE_SCHED_TASK_TICKBOX"), "0");
    const std::size_t ran = programs().size();
    ScheduledTaskWindow& again = open();
    EXPECT_EQ(programs().size(), ran);  // opening runs no command
    EXPECT_FALSE(again.ENABLE_SCHED_TASK_TICKBOX.ticked());
    EXPECT_TRUE(again.ENABLE_SCHED_TASK_TICKBOX.enabled());
    EXPECT_FALSE(again.SELECT_ALL_DAYS_TICKBOX.enabled());
    EXPECT_FALSE(again.CREATE_TASK_BUTTON.enabled());
}

TEST_F(ScheduledTask, UnderPosixTheTaskIsALineOfTheCrontabAndTheOthersStay) {
    AppHarness& p = posix();
    FakeCrontab& cron = p.fake.crontab;
    const std::string others = "MAILTO=me\n# my backup\n5 4 * * * /usr/bin/backup --all\n";
    cron.table = others;
    cron.programToRun = {"/home/satoshi/bin/BTC1", {{"DISPLAY", ":0"}, {"XAUTHORITY", "/home/satoshi/.Xauthority"}}};
    ScheduledTaskWindow& w = open();
    EXPECT_EQ(w.caption(), "SYNCWARD - CRONTAB \"SCHEDULED TASK\" MANAGER");
    w.CATCH_UP_TICKBOX.setTicked(false);  // the weekly line alone
    w.SAT_TICKBOX.setTicked(true);
    w.TASK_RUN_TIME_TEXTBOX.setText("3:05");
    w.CREATE_TASK_BUTTON.click();
    const std::string line =
        "5 3 * * 6 DISPLAY=':0' XAUTHORITY='/home/satoshi/.Xauthority' '/home/satoshi/bin/BTC1' # SYNCWARD - BTC1";
    EXPECT_EQ(w.OUTPUT_COMMAND_TEXTBOX.text(), line);
    EXPECT_EQ(*cron.table, others + line + "\n");
    EXPECT_EQ(w.TASK_STATUS_TEXTBOX.text(), "TASK-CREATED");
    EXPECT_TRUE(w.ENABLE_SCHED_TASK_TICKBOX.ticked());

    w.ENABLE_SCHED_TASK_TICKBOX.setTicked(false);
    EXPECT_EQ(*cron.table, others + "#" + line + "\n");
    w.close();

    // The crontab decides what the window shows: a line enabled by hand is
    // shown enabled; a line removed by hand shows no task.
    cron.table = others + line + "\n";
    EXPECT_TRUE(open().ENABLE_SCHED_TASK_TICKBOX.ticked());
    w.close();
    cron.table = others;
    EXPECT_EQ(open().TASK_STATUS_TEXTBOX.text(), "TASK-DELETED");
    EXPECT_EQ(cron.writes, 2);  // opening wrote nothing
}

TEST_F(ScheduledTask, AnUnreadableOrUnfaithfulCrontabIsNotWrittenOverAndIsReported) {
    AppHarness& p = posix();
    FakeCrontab& cron = p.fake.crontab;
    cron.table = "1 1 * * * keep-me\n";
    ScheduledTaskWindow& w = open();
    w.SELECT_ALL_DAYS_TICKBOX.setTicked(true);
    cron.failRead = true;
    w.CREATE_TASK_BUTTON.click();
    EXPECT_EQ(cron.writes, 0);
    EXPECT_NE(w.SCHEDULER_STATUS_LABEL.caption().find("CRONTAB NOT READ"), std::string::npos);
    EXPECT_EQ(w.TASK_STATUS_TEXTBOX.text(), "TASK-DELETED");

    cron.failRead = false;
    cron.keepsInstead = "something else\n";
    w.CREATE_TASK_BUTTON.click();
    EXPECT_NE(w.SCHEDULER_STATUS_LABEL.caption().find("READ BACK DIFFERS"), std::string::npos);
    EXPECT_EQ(w.TASK_STATUS_TEXTBOX.text(), "TASK-DELETED");

    // Enabling a task the crontab no longer has puts the tick back.
    cron.keepsInstead.reset();
    cron.table = "";
    w.CREATE_TASK_BUTTON.click();
    cron.table = "";
    w.ENABLE_SCHED_TASK_TICKBOX.setTicked(false);
    EXPECT_TRUE(w.ENABLE_SCHED_TASK_TICKBOX.ticked());
    EXPECT_NE(w.SCHEDULER_STATUS_LABEL.caption().find("NO TASK"), std::string::npos);
}

TEST(CrontabTable, EditsKeepEveryOtherLineByteForByte) {
    const std::string name = "SYNCWARD - LTC";
    const std::string table = "# header\r\n0 0 * * 0 weekly # SYNCWARD - LTC2\n\n30 1 * * * nightly";
    const std::string line = crontab_table::line({23, 59, std::nullopt}, "/opt/it's 100%/LTC", {}, name);
    EXPECT_EQ(line, "59 23 * * * '/opt/it'\\''s 100\\%/LTC' # SYNCWARD - LTC");
    const std::string created = crontab_table::withLine(table, name, line);
    EXPECT_EQ(created, table + "\n" + line + "\n");  // a last line gets its line break
    EXPECT_EQ(crontab_table::stateOf(created, name), crontab_table::State::Enabled);
    EXPECT_EQ(crontab_table::stateOf(created, "SYNCWARD - LT"), crontab_table::State::Absent);
    const std::string disabled = crontab_table::withEnabled(created, name, false);
    EXPECT_EQ(crontab_table::stateOf(disabled, name), crontab_table::State::Disabled);
    EXPECT_EQ(crontab_table::withEnabled(disabled, name, true), created);
    EXPECT_EQ(crontab_table::withLine(disabled, name, line), created);  // replaced, not added
    EXPECT_EQ(crontab_table::without(created, name), table + "\n");
}

// A task's lines are those whose comment is its whole tag: a tag inside
// another copy's quoted path or inside its longer tag, or in a quoted
// argument of the user's own line, is none of its business.
TEST(CrontabTable, ATaskIsFoundByItsWholeTagAlone) {
    const std::string name = "SYNCWARD - LTC1";
    const std::string x = "SYNCWARD - X # SYNCWARD - LTC1";
    const std::string others = crontab_table::line({2, 30, 0}, "/opt/X # SYNCWARD - LTC1", {}, x) + "\n" +
                               "#" + crontab_table::catchUpLine("/opt/X # SYNCWARD - LTC1", x) + "\n" +
                               "5 5 * * * echo \"done # SYNCWARD - LTC1\"\n" +
                               "6 6 * * * echo done\\ # SYNCWARD - LTC1\n";
    EXPECT_EQ(crontab_table::stateOf(others, name), crontab_table::State::Absent);
    EXPECT_FALSE(crontab_table::hasCatchUpLine(others, name));
    EXPECT_EQ(crontab_table::without(others, name), others);
    EXPECT_EQ(crontab_table::withEnabled(others, name, false), others);
    EXPECT_EQ(crontab_table::stateOf(others, x), crontab_table::State::Enabled);
    EXPECT_TRUE(crontab_table::hasCatchUpLine(others, x));

    const std::string own = crontab_table::line({4, 0, std::nullopt}, "/opt/LTC1", {}, name);
    const std::string table = crontab_table::withLine(others, name, own);
    EXPECT_EQ(table, others + own + "\n");
    EXPECT_EQ(crontab_table::withEnabled(table, name, false), others + "#" + own + "\n");
    EXPECT_EQ(crontab_table::without(table, name), others);
    // A line edited by hand with more blanks before its tag is still found.
    EXPECT_EQ(crontab_table::stateOf("0 4 * * * '/opt/LTC1'   # SYNCWARD - LTC1\n", name),
              crontab_table::State::Enabled);
}

}  // namespace
}  // namespace syncward::testing
