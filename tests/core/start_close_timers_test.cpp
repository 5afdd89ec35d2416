#include <gtest/gtest.h>

#include "support/app_harness.h"

namespace syncward::testing {
namespace {

struct StartCloseTimers : ::testing::Test {
    void SetUp() override { h.store("ALWAYS_ON_TOP_TICKBOX", "0"); }
    MainWindow& start() {
        h.start();
        return h.main();
    }
    void seconds(int s) { h.fake.loop.advance(s * 1000LL); }
    AppHarness h;
};

TEST_F(StartCloseTimers, AutostartCountsDownElevenSecondsThenStartsTheRun) {
    h.store("AUTOSTART_TICKBOX", "1");
    MainWindow& w = start();
    seconds(1);
    EXPECT_EQ(w.CURRENT_STATUS_LABEL.caption(), "!!! AUTOSTARTING !!!");
    EXPECT_EQ(w.AUTOSTART_TIMER_TEXTBOX.text(), "10");
    EXPECT_EQ(w.AUTOSTART_TIMER_TEXTBOX.background(), colours::green);
    seconds(9);
    EXPECT_EQ(w.AUTOSTART_TIMER_TEXTBOX.text(), "01");
    EXPECT_FALSE(w.taskTimer(1).enabled());
    seconds(1);
    EXPECT_EQ(w.AUTOSTART_TIMER_TEXTBOX.text(), "-- --");
    EXPECT_TRUE(w.taskTimer(1).enabled());
    EXPECT_EQ(w.MULTILOADER_START_STOP_BUTTON.caption(), "STOP");
    EXPECT_FALSE(w.AUTOSTART_START_BUTTON.enabled());
    EXPECT_FALSE(w.AUTOSTART_TIMER.enabled());
}

TEST_F(StartCloseTimers, AutostartDoubleClickResetsPauseResumesAndARestartWithoutResetRunsBelowZero) {
    h.store("AUTOSTART_TICKBOX", "1");
    MainWindow& w = start();
    seconds(7);
    EXPECT_EQ(w.AUTOSTART_TIMER_TEXTBOX.text(), "04");
    w.AUTOSTART_TIMER_TEXTBOX.doubleClick();
    EXPECT_EQ(w.AUTOSTART_TIMER_TEXTBOX.text(), "11");
    seconds(6);
    EXPECT_EQ(w.AUTOSTART_TIMER_TEXTBOX.text(), "05");
    w.AUTOSTART_START_BUTTON.click();  // pause
    seconds(5);
    EXPECT_EQ(w.AUTOSTART_TIMER_TEXTBOX.text(), "05");
    w.AUTOSTART_START_BUTTON.click();  // resume
    seconds(1);
    EXPECT_EQ(w.AUTOSTART_TIMER_TEXTBOX.text(), "04");
    seconds(4);
    EXPECT_TRUE(w.taskTimer(1).enabled());  // fired eleven seconds after the double-click

    w.MULTILOADER_START_STOP_BUTTON.click();  // stop the run
    EXPECT_TRUE(w.AUTOSTART_START_BUTTON.enabled());
    w.AUTOSTART_START_BUTTON.click();
    seconds(1);
    EXPECT_EQ(w.AUTOSTART_TIMER_TEXTBOX.text(), "01");
    seconds(58);
    EXPECT_FALSE(w.taskTimer(1).enabled());
    seconds(1);
    EXPECT_TRUE(w.taskTimer(1).enabled());
}

TEST_F(StartCloseTimers, AutocloseStoresTheOutcomeFirstThenTheSwitchesThenCloses) {
    h.store("SYNCWARD_HOME_TEXTBOX", "D:\\R");  // where its report is written
    h.store("TASK_19_ENABLE_TICKBOX", "1");
    h.store("RUN_QT_TICKBOX", "1");
    MainWindow& w = start();
    w.MULTILOADER_START_STOP_BUTTON.click();
    seconds(18);
    EXPECT_TRUE(w.AUTOCLOSE_TIMER.enabled());
    EXPECT_TRUE(w.AUTOCLOSE_START_BUTTON.enabled());
    h.fake.store.clearLog();
    seconds(10);
    EXPECT_TRUE(w.isOpen());
    EXPECT_EQ(w.AUTOCLOSE_TIMER_TEXTBOX.text(), "01");
    seconds(1);
    EXPECT_FALSE(w.isOpen());
    EXPECT_EQ(w.CURRENT_STATUS_LABEL.caption(), "!!! AUTOCLOSING !!!");
    EXPECT_EQ(h.stored("MULTILOADER_LAST_RUN_TEXTBOX"), "!!! COMPLETED SUCCESSFULLY !!!");
    const std::vector<std::string> saved = h.fake.store.savedKeys("BTC1");
    const std::vector<std::string> head = {"MULTILOADER_LAST_RUN_TEXTBOX", "ALWAYS_ON_TOP_TICKBOX", "AUTOSTART_TICKBOX",
                                           "FINISH_WHEN_IDENTICAL_TICKBOX", "USER_COUNT_TIME_TEXTBOX"};
    ASSERT_GE(saved.size(), 26u);
    EXPECT_EQ(std::vector<std::string>(saved.begin(), saved.begin() + 5), head);
    EXPECT_EQ(saved[8], "TASK_2_ENABLE_TICKBOX");
    EXPECT_EQ(saved[16], "RUN_QT_TICKBOX");
    EXPECT_EQ(saved[20], "RUN_QT_OR_D_TEXTBOX");
    EXPECT_EQ(saved[21], "MAIN-Left");  // then the window's own close
    EXPECT_EQ(h.stored("RUN_QT_TICKBOX"), "1");
}

TEST_F(StartCloseTimers, ClearingAutocloseDuringTheCountdownKeepsTheProgramOpen) {
    h.store("TASK_19_ENABLE_TICKBOX", "1");
    h.store("SYNCWARD_HOME_TEXTBOX", "C:\\QUORVEL-ROOT\\SYNCWARD");  // the report is written
    MainWindow& w = start();
    w.MULTILOADER_START_STOP_BUTTON.click();
    seconds(18 + 4);
    w.TASK_19_ENABLE_TICKBOX.setValue(0);
    seconds(1);
    EXPECT_TRUE(w.isOpen());
    EXPECT_FALSE(w.AUTOCLOSE_TIMER.enabled());
    EXPECT_EQ(w.MULTILOADER_LAST_RUN_TEXTBOX.text(), "!!! COMPLETED SUCCESSFULLY !!!");
    EXPECT_EQ(w.MULTILOADER_LAST_RUN_TEXTBOX.background(), colours::green);
    EXPECT_EQ(w.MULTILOADER_START_STOP_BUTTON.caption(), "START");
    EXPECT_TRUE(w.AUTOSTART_START_BUTTON.enabled());
    EXPECT_FALSE(w.AUTOCLOSE_START_BUTTON.enabled());
    EXPECT_EQ(h.stored("MULTILOADER_LAST_RUN_TEXTBOX"), "!!! COMPLETED SUCCESSFULLY !!!");
}

TEST_F(StartCloseTimers, ExitDuringARunStoresManualExitWhichTheNextStartShowsOnRed) {
    MainWindow& w = start();
    w.MULTILOADER_START_STOP_BUTTON.click();
    seconds(5);
    h.fake.store.clearLog();
    w.EXIT_BUTTON.click();
    EXPECT_FALSE(w.isOpen());
    EXPECT_EQ(h.stored("MULTILOADER_LAST_RUN_TEXTBOX"), "!!! MANUAL EXIT !!!");
    const auto saved = h.fake.store.savedKeys("BTC1");
    EXPECT_EQ(saved[20], "MULTILOADER_LAST_RUN_TEXTBOX");  // last of EXIT's own set
    EXPECT_EQ(saved[21], "MAIN-Left");

    AppHarness next;
    next.fake.store.values = h.fake.store.values;
    next.start();
    EXPECT_EQ(next.main().MULTILOADER_LAST_RUN_TEXTBOX.text(), "!!! MANUAL EXIT !!!");
    EXPECT_EQ(next.main().MULTILOADER_LAST_RUN_TEXTBOX.background(), colours::red);
}

TEST_F(StartCloseTimers, TheRunTimeClockShowsTheTimeOfDayModuloADay) {
    MainWindow& w = start();
    w.RUNTIME_TIMER.start();
    seconds(25 * 3600);
    EXPECT_EQ(w.RUNTIME_ELAPSED, 25 * 3600);
    EXPECT_EQ(w.RUNTIME_LABEL.caption(), "01:00:00");
}

}  // namespace
}  // namespace syncward::testing
