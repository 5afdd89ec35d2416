#include <gtest/gtest.h>

#include "core/run/catch_up_start.h"
#include "core/scheduler/autostart_entry.h"
#include "core/scheduler/crontab_table.h"
#include "core/scheduler/scheduled_task_window.h"
#include "core/settings/main_settings_window.h"
#include "core/settings/settings_windows.h"
#include "core/time/civil_date.h"
#include "support/app_harness.h"

namespace syncward::testing {
namespace {

constexpr const char* weekly = "30 2 * * 0 '/home/satoshi/bin/BTC1' # SYNCWARD - BTC1";
constexpr const char* reboot = "@reboot '/home/satoshi/bin/BTC1' --catch-up # SYNCWARD - BTC1";
constexpr const char* others = "MAILTO=me\n5 4 * * * /usr/bin/backup\n";
constexpr const char* entryFile = "syncward-BTC1-catch-up.desktop";

long long utc(const std::string& iso) { return *parseIsoUtc(iso); }

class CatchUpTask : public ::testing::Test {
protected:
    CatchUpTask() {
        h.fake.environment.exeName = "BTC1";
        h.fake.environment.now = utc("2026-07-08T12:00:00Z");  // a Wednesday
        h.fake.crontab.programToRun = {"/home/satoshi/bin/BTC1", {}};
        h.fake.crontab.table = others;
    }
    ScheduledTaskWindow& open() {
        if (!h.app) h.start();
        h.app->settingsWindows().mainSettings().SCHEDULER_BUTTON.click();
        return h.app->settingsWindows().scheduledTask();
    }
    // A Sunday 02:30 task as the window leaves it, and a last run.
    void storedTask(const std::string& lastStart, bool enabled = true) {
        h.store("TASK_STATUS_TEXTBOX", "TASK-CREATED");
        h.store("ENABLE_SCHED_TASK_TICKBOX", enabled ? "1" : "0");
        h.store("TASK_RUN_TIME_TEXTBOX", "02:30");
        h.store("SUN_TICKBOX", "1");
        if (!lastStart.empty()) h.store("LAST_RUN_START", lastStart);
        h.fake.crontab.table = std::string(others) + (enabled ? "" : "#") + weekly + "\n" + (enabled ? "" : "#") +
                               reboot + "\n";
    }
    const std::string& table() { return *h.fake.crontab.table; }

    AppHarness h{PlatformProfile::posix("/home/satoshi")};
};

TEST_F(CatchUpTask, CreateWritesBothLinesAndTheEntryThatComeAndGoWithTheTask) {
    ScheduledTaskWindow& w = open();
    EXPECT_TRUE(w.CATCH_UP_TICKBOX.ticked());  // the default for a new task
    w.SUN_TICKBOX.setTicked(true);
    w.TASK_RUN_TIME_TEXTBOX.setText("02:30");
    w.CREATE_TASK_BUTTON.click();
    EXPECT_EQ(table(), std::string(others) + weekly + "\n" + reboot + "\n");
    ASSERT_EQ(h.fake.autostart.entries.count(entryFile), 1u);
    EXPECT_NE(h.fake.autostart.entries[entryFile].find("Exec=\"/home/satoshi/bin/BTC1\" --catch-up\n"),
              std::string::npos);
    EXPECT_EQ(h.stored("CATCH_UP_SINCE"), "2026-07-08T12:00:00Z");
    EXPECT_EQ(h.stored("SUN_TICKBOX"), "1");  // stored at once, for a later start's check
    EXPECT_EQ(w.NEXT_RUN_LABEL.caption(), "NEXT RUN: SUN 2026-07-12 02:30");

    w.ENABLE_SCHED_TASK_TICKBOX.setTicked(false);
    EXPECT_EQ(table(), std::string(others) + "#" + weekly + "\n#" + reboot + "\n");
    EXPECT_EQ(w.NEXT_RUN_LABEL.caption(), "NEXT RUN: NONE - THE TASK IS DISABLED");
    w.CATCH_UP_TICKBOX.setTicked(false);
    EXPECT_EQ(table(), std::string(others) + "#" + weekly + "\n");
    EXPECT_TRUE(h.fake.autostart.entries.empty());
    w.CATCH_UP_TICKBOX.setTicked(true);  // follows the weekly line: disabled
    EXPECT_EQ(table(), std::string(others) + "#" + weekly + "\n#" + reboot + "\n");
    w.ENABLE_SCHED_TASK_TICKBOX.setTicked(true);
    EXPECT_EQ(table(), std::string(others) + weekly + "\n" + reboot + "\n");

    w.ENABLE_DELETE_BUTTON_TICKBOX.setTicked(true);
    w.DELETE_TASK_BUTTON.click();
    EXPECT_EQ(table(), others);
    EXPECT_TRUE(h.fake.autostart.entries.empty());
    EXPECT_EQ(w.NEXT_RUN_LABEL.caption(), "NEXT RUN: NONE - NO TASK");
}

TEST_F(CatchUpTask, ATaskFromAnEarlierVersionShowsNoCatchUpUntilTicked) {
    storedTask("");
    h.fake.crontab.table = std::string(others) + weekly + "\n";
    ScheduledTaskWindow& w = open();
    EXPECT_FALSE(w.CATCH_UP_TICKBOX.ticked());
    EXPECT_TRUE(w.CATCH_UP_TICKBOX.enabled());
    EXPECT_EQ(h.fake.crontab.writes, 0);
    w.CATCH_UP_TICKBOX.setTicked(true);
    EXPECT_EQ(table(), std::string(others) + weekly + "\n" + reboot + "\n");
    EXPECT_EQ(h.stored("CATCH_UP_TICKBOX"), "1");

    // An entry that cannot be written is said in red; the crontab keeps its line.
    w.CATCH_UP_TICKBOX.setTicked(false);
    h.fake.autostart.failWrites = true;
    w.CATCH_UP_TICKBOX.setTicked(true);
    EXPECT_EQ(w.SCHEDULER_STATUS_LABEL.caption(),
              "!!! AUTOSTART ENTRY NOT WRITTEN: cannot create /home/satoshi/.config/autostart !!!");
    EXPECT_EQ(w.SCHEDULER_STATUS_LABEL.background(), colours::red);
    EXPECT_TRUE(crontab_table::hasCatchUpLine(table(), "SYNCWARD - BTC1"));
}

TEST_F(CatchUpTask, TheWindowSaysWhenTheLastScheduledRunWasMissed) {
    storedTask("2026-06-28T02:30:10Z");
    ScheduledTaskWindow& w = open();
    EXPECT_EQ(w.NEXT_RUN_LABEL.caption(),
              "NEXT RUN: SUN 2026-07-12 02:30\r\nTHE RUN OF SUN 2026-07-05 02:30 WAS MISSED - IT WILL BE CAUGHT UP "
              "AT THE NEXT BOOT OR LOGIN");
}

TEST_F(CatchUpTask, AMissedRunStartsAfterTheCountdownAndRecordsItsStart) {
    storedTask("2026-06-28T02:30:10Z");
    h.store("AUTOSTART_TICKBOX", "1");
    h.app = std::make_unique<Application>(h.fake.platform);
    const CatchUpStart start = h.app->startCatchingUp();
    EXPECT_TRUE(start.run);
    EXPECT_EQ(start.line,
              "BTC1: the run due SUN 2026-07-05 02:30 (local time) was missed; it starts after the countdown\n");
    ASSERT_EQ(h.fake.windows.shown.size(), 1u);
    EXPECT_TRUE(h.main().AUTOSTART_TIMER.enabled());
    EXPECT_EQ(h.main().AUTOSTART_START_BUTTON.caption(), "STOP");
    EXPECT_TRUE(h.main().run.caughtUp);
    h.fake.environment.now += 12;
    h.fake.loop.advance(12'000);
    EXPECT_EQ(h.stored("LAST_RUN_START"), "2026-07-08T12:00:12Z");
}

// The weekly start of a copy without AutoStart only opens the window; a
// catch-up start stands in for it and does the same.
TEST_F(CatchUpTask, WithAutoStartOffAMissedRunOnlyOpensTheWindowAndSaysSo) {
    storedTask("2026-06-28T02:30:10Z");
    h.store("AUTOSTART_TICKBOX", "0");
    h.store("TASK_20_ENABLE_TICKBOX", "1");
    h.store("AUTOTIMER_ACTION_TEXTBOX", "SHUTDOWN PC");
    h.app = std::make_unique<Application>(h.fake.platform);
    const CatchUpStart start = h.app->startCatchingUp();
    EXPECT_TRUE(start.run);
    EXPECT_EQ(start.line,
              "BTC1: the run due SUN 2026-07-05 02:30 (local time) was missed; AutoStart is off, so the window opens "
              "and the run waits to be started by hand\n");
    ASSERT_EQ(h.fake.windows.shown.size(), 1u);
    EXPECT_EQ(h.main().CURRENT_STATUS_LABEL.caption(),
              "!!! A MISSED RUN IS DUE - AUTOSTART IS OFF - START IT BY HAND !!!");
    EXPECT_FALSE(h.main().run.caughtUp);
    EXPECT_EQ(h.main().AUTOCLOSE_OR_POWER_AUTOTIMER_TEXTBOX.text(), "POWER AUTOTIMER");
    h.fake.loop.advance(3'600'000);
    EXPECT_EQ(h.stored("LAST_RUN_START"), "2026-06-28T02:30:10Z");
}

TEST_F(CatchUpTask, OtherwiseTheCopyEndsAtOnceAndSaysWhy) {
    const auto check = [&] {
        h.app = std::make_unique<Application>(h.fake.platform);
        const CatchUpStart start = h.app->startCatchingUp();
        EXPECT_FALSE(start.run);
        EXPECT_TRUE(h.fake.windows.shown.empty());
        return start.line;
    };
    storedTask("2026-07-05T02:30:09Z");
    EXPECT_EQ(check(), "BTC1: no scheduled run was missed; the next run is due SUN 2026-07-12 02:30 (local time)\n");

    // The local zone decides the local time: two hours ahead in summer.
    h.fake.environment.zone = [](long long) { return 7200; };
    EXPECT_EQ(check(), "BTC1: no scheduled run was missed; the next run is due SUN 2026-07-12 02:30 (local time)\n");
    h.fake.environment.zone = nullptr;

    storedTask("2026-06-28T02:30:10Z", false);
    EXPECT_EQ(check(), "BTC1: nothing to catch up; no weekly task is enabled, so no run is due\n");
    // The crontab has the last word: a line disabled by hand is no task.
    storedTask("2026-06-28T02:30:10Z");
    h.fake.crontab.table = std::string(others) + "#" + weekly + "\n";
    EXPECT_EQ(check(), "BTC1: nothing to catch up; no weekly task is enabled, so no run is due\n");

    // No start recorded at all (an earlier version's copy): no run now, and
    // from now on a missed one is caught up.
    h.fake.store.values.erase({"BTC1", "LAST_RUN_START"});
    storedTask("");
    EXPECT_EQ(check(),
              "BTC1: no run start is recorded yet, so nothing is caught up now; the next run is due SUN 2026-07-12 "
              "02:30 (local time)\n");
    EXPECT_EQ(h.stored("CATCH_UP_SINCE"), "2026-07-08T12:00:00Z");
    EXPECT_NE(check().find("no scheduled run was missed"), std::string::npos);
    h.fake.environment.now = utc("2026-07-13T07:00:00Z");
    h.app = std::make_unique<Application>(h.fake.platform);
    EXPECT_TRUE(h.app->startCatchingUp().run);
}

TEST(AutostartEntry, NamesEveryCopyApartAndCarriesOddPathsLiterally) {
    EXPECT_EQ(autostart_entry::fileName("LTC1"), "syncward-LTC1-catch-up.desktop");
    EXPECT_EQ(autostart_entry::fileName("my coin_1"), "syncward-my_20coin_5F1-catch-up.desktop");
    const auto entry = autostart_entry::text("/home/a b/$x\"q\\", "SYNCWARD - Q");
    ASSERT_TRUE(entry);
    EXPECT_NE(entry->find("\nExec=\"/home/a b/\\\\$x\\\\\"q\\\\\\\\\" --catch-up\n"), std::string::npos) << *entry;
    // A "%" in the program's path is no field code, and the program is not
    // Exec's first word: launchers look for that one before expanding "%%".
    const auto percent = autostart_entry::text("/home/a b/100%/LTC1", "SYNCWARD - LTC1");
    ASSERT_TRUE(percent);
    EXPECT_NE(percent->find("\nExec=/bin/sh -c \"exec \\\\\"\\\\$0\\\\\" --catch-up\" \"/home/a b/100%%/LTC1\"\n"),
              std::string::npos)
        << *percent;
    EXPECT_FALSE(autostart_entry::text("/home/a\nb/LTC1", "SYNCWARD - LTC1"));
}

}  // namespace
}  // namespace syncward::testing
