#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/state/main_window_painter.h"
#include "support/app_harness.h"

namespace syncward::testing {
namespace {

struct RunSequence : ::testing::Test {
    void SetUp() override {
        h.store("SYNCWARD_HOME_TEXTBOX", "D:\\R");
        h.store("ALWAYS_ON_TOP_TICKBOX", "0");
    }
    MainWindow& start() {
        h.start();
        return h.main();
    }
    void clickStart() { h.main().MULTILOADER_START_STOP_BUTTON.click(); }
    void seconds(int s) { h.fake.loop.advance(s * 1000LL); }
    Colour light(int step) { return h.main().taskLight(step).background(); }

    AppHarness h;
};

TEST_F(RunSequence, ARunWithOnlyTheDaemonTickedGoesThroughAllStepsInAboutNineteenSeconds) {
    h.store("RUN_DAEMON_TICKBOX", "1");
    MainWindow& w = start();
    setReading(w, &BlockReadings::lastAccepted, "1000\r\n");
    clickStart();
    EXPECT_EQ(w.MULTILOADER_START_STOP_BUTTON.caption(), "STOP");
    EXPECT_FALSE(w.AUTOSTART_START_BUTTON.enabled());
    seconds(7);
    EXPECT_EQ(w.CURRENT_STATUS_LABEL.caption(), "RUNNING DAEMON...");
    EXPECT_EQ(w.RUN_QT_OR_D_TEXTBOX.text(), "DAEMON");
    EXPECT_EQ(h.fake.launcher.ran, std::vector<std::string>{"D:\\R\\BATS\\BTC1-RUN-DAEMON.bat"});
    seconds(10);
    EXPECT_TRUE(w.taskTimer(19).enabled());  // step 8 skipped step 9: 18 ticks for 19 steps
    seconds(1);
    EXPECT_EQ(w.CURRENT_STATUS_LABEL.caption(), "!!! COMPLETED - FINISHED - DONE !!!");
    for (int step = 1; step <= MainWindow::stepCount; ++step) EXPECT_FALSE(w.taskTimer(step).enabled()) << step;
    EXPECT_EQ(w.MULTILOADER_START_STOP_BUTTON.caption(), "STOP");
    EXPECT_TRUE(w.END_LOG_BUTTON.enabled());

    // Lights: skipped steps red, the rest green (step 13 turns 12 green
    // whether it waited or skipped).
    for (int step : {2, 4, 8, 9, 11, 17, 18, 19}) EXPECT_EQ(light(step), colours::red) << step;
    for (int step : {1, 3, 5, 6, 7, 10, 12, 13, 14, 15, 16}) EXPECT_EQ(light(step), colours::green) << step;

    // With the block counter skipped the end count is the start count.
    EXPECT_EQ(w.BLOCKCOUNT_LOG_START_TEXTBOX.text(), "1000\r\n");
    EXPECT_EQ(w.BLOCKCOUNT_LOG_END_TEXTBOX.text(), "1000\r\n");
    EXPECT_EQ(w.DOWNLOADED_BLOCKS_TEXTBOX.text(), "0");
    EXPECT_EQ(w.PC_NAME_TEXTBOX.text(), "PC Name = NODEBOX");
    EXPECT_EQ(w.START_TIME_TEXTBOX.text(), "20:15:00");
    EXPECT_TRUE(w.RUNTIME_TIMER.enabled());
    EXPECT_TRUE(h.fake.files.files.count("D:\\R\\REPORTS\\BTC1-END-REPORT.LOG"));
}

// Whoever follows the run (the history) hears of a step once its work is
// done, and sees what it did; a step skipped over is never done.
TEST_F(RunSequence, EachStepIsToldDoneAfterItsWorkAndAStopByHandOnlyWhenItEndsARun) {
    h.store("RUN_DAEMON_TICKBOX", "1");
    MainWindow& w = start();
    setReading(w, &BlockReadings::lastAccepted, "1000\r\n");
    std::vector<int> done;
    std::vector<std::string> startBlockSeen;
    w.runEvents.stepDone.connect([&](RunStep step) {
        done.push_back(stepNumber(step));
        EXPECT_FALSE(w.taskTimer(step).enabled()) << stepNumber(step);
        if (step == RunStep::logStartBlock) startBlockSeen.push_back(w.BLOCKCOUNT_LOG_START_TEXTBOX.text());
    });
    int stops = 0;
    w.runEvents.stoppedByHand.connect([&] {
        ++stops;
        EXPECT_FALSE(w.RUN_UNDER_WAY);
        for (int step = 1; step <= MainWindow::stepCount; ++step) EXPECT_FALSE(w.taskTimer(step).enabled()) << step;
    });
    clickStart();
    seconds(18);
    EXPECT_EQ(done, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19}));
    EXPECT_EQ(startBlockSeen, std::vector<std::string>{"1000\r\n"});

    clickStart();  // the chain is idle: no run to stop
    EXPECT_EQ(stops, 0);
    clickStart();
    seconds(3);
    clickStart();
    EXPECT_EQ(stops, 1);
    EXPECT_EQ(done.size(), 18u + 3u);
}

TEST_F(RunSequence, OptionalStepsRunTheirCommandFilesAndHeartbeatTimers) {
    for (const char* key : {"TASK_2_ENABLE_TICKBOX", "TASK_4_ENABLE_TICKBOX", "TASK_17_ENABLE_TICKBOX",
                            "TASK_18_ENABLE_TICKBOX", "RUN_QT_TICKBOX"})
        h.store(key, "1");
    h.store("SE_HOME_TEXTBOX", "C:\\QUORVEL-ROOT\\SendEmail");
    h.fake.files.files["C:\\QUORVEL-ROOT\\SendEmail\\SendEmail.exe"] = "MZ";
    MainWindow& w = start();
    clickStart();
    seconds(2);
    EXPECT_TRUE(w.HEARTBEAT_TIMER.enabled());
    EXPECT_TRUE(w.kittTimer(1).enabled());
    EXPECT_EQ(w.KITT_START_BUTTON.caption(), "STOP KITT");
    seconds(16);
    EXPECT_EQ(h.fake.launcher.ran, (std::vector<std::string>{"D:\\R\\BATS\\BTC1-START-EMAIL.bat",
                                                             "D:\\R\\BATS\\BTC1-RUN-QT.bat",
                                                             "D:\\R\\BATS\\BTC1-END-REPORT-EMAIL.bat"}));
    EXPECT_FALSE(w.HEARTBEAT_TIMER.enabled());
    EXPECT_EQ(w.kittLabel(4).background(), colours::black);
    EXPECT_EQ(light(18), colours::green);
}

TEST_F(RunSequence, StepTwelveWaitsUntilBothNodeBoxesAreRedAndStopLeavesEverythingElseAlone) {
    h.store("RUN_DAEMON_TICKBOX", "1");
    h.store("QT_NAME_TEXTBOX", "bitcoin-qt.exe");
    h.store("DAEMOND_NAME_TEXTBOX", "bitcoind.exe");
    h.store("TASK_11_ENABLE_TICKBOX", "1");
    MainWindow& w = start();
    h.fake.processes.start("bitcoind.exe");  // the daemon is still writing
    clickStart();
    seconds(30);
    EXPECT_TRUE(w.taskTimer(12).enabled());
    EXPECT_EQ(light(11), colours::cyan);
    EXPECT_EQ(h.fake.launcher.ran.back(), "D:\\R\\BATS\\BTC1-RUN-CLI-STOP.bat");

    clickStart();  // STOP while waiting
    EXPECT_EQ(w.MULTILOADER_START_STOP_BUTTON.caption(), "START");
    for (int step = 1; step <= MainWindow::stepCount; ++step) EXPECT_FALSE(w.taskTimer(step).enabled());
    EXPECT_TRUE(w.RUNTIME_TIMER.enabled());
    EXPECT_EQ(light(12), colours::cyan);  // lights stay as they were

    clickStart();  // a new start begins at step 1
    h.fake.processes.end("bitcoind.exe");
    seconds(12);
    EXPECT_EQ(w.CURRENT_STATUS_LABEL.caption(), "BLOCKCHAIN FOLDER SIZE - AFTER");
    EXPECT_EQ(light(11), colours::green);
}

TEST_F(RunSequence, TheBlockCounterHandsBackThroughTheCompletionTimer) {
    h.store("TASK_8_ENABLE_TICKBOX", "1");
    h.store("FINISH_WHEN_IDENTICAL_TICKBOX", "1");
    h.store("AUTOSTART_OVERRIDE_TIMER_TICKBOX", "1");
    h.store("OVERRIDE_TIMER_ENABLE_TICKBOX", "1");
    MainWindow& w = start();
    clickStart();
    seconds(8);
    EXPECT_EQ(light(8), colours::pink);
    EXPECT_EQ(light(9), colours::cyan);
    EXPECT_TRUE(w.BLOCKCOUNTER_COUNTDOWN_TIMER.enabled());
    EXPECT_TRUE(w.OVERRIDE_TIMER.enabled());
    EXPECT_EQ(w.START_STOP_TIMER_BUTTON.caption(), "STOP");
    EXPECT_TRUE(w.USER_COUNT_TIME_TEXTBOX.locked());
    for (int step = 1; step <= MainWindow::stepCount; ++step) EXPECT_FALSE(w.taskTimer(step).enabled());

    // The checks confirm: they enable the completion timer.
    w.BLOCKCOUNTER_COUNTDOWN_TIMER.stop();
    setReading(w, &BlockReadings::current, "2000\r\n");
    setReading(w, &BlockReadings::lastAccepted, "2000\r\n");
    w.COMPLETED_TIMER.start();
    seconds(1);
    EXPECT_EQ(w.CURRENT_STATUS_LABEL.caption(), "!!! BLOCKCOUNTER FINISHED !!!");
    EXPECT_EQ(h.stored("BLOCKCOUNTER_LAST_RUN"), "!!! COMPLETED SUCCESSFULLY !!!");
    EXPECT_EQ(h.stored("INFO_ONLY_CURRENT_BLOCK_TEXTBOX"), "2000\r\n");
    EXPECT_FALSE(w.OVERRIDE_TIMER.enabled());
    EXPECT_FALSE(w.COMPLETED_TIMER.enabled());
    EXPECT_EQ(light(8), colours::green);
    seconds(1);
    EXPECT_EQ(w.CURRENT_STATUS_LABEL.caption(), "!!! BLOCKCOUNTER ENDED !!!");
    seconds(1);
    EXPECT_EQ(w.BLOCKCOUNT_LOG_END_TEXTBOX.text(), "2000\r\n");
}

TEST_F(RunSequence, WithoutFinishWhenIdenticalTheCounterKeepsPollingAndTheRunWaits) {
    h.store("TASK_8_ENABLE_TICKBOX", "1");
    MainWindow& w = start();
    clickStart();
    seconds(8);
    w.BLOCKCOUNTER_COUNTDOWN_TIMER.stop();
    w.COMPLETED_TIMER.start();
    seconds(1);
    EXPECT_EQ(w.CURRENT_STATUS_LABEL.caption(), "!!! BLOCKCHAIN UPDATED !!!");
    EXPECT_TRUE(w.BLOCKCOUNTER_COUNTDOWN_TIMER.enabled());
    EXPECT_FALSE(w.taskTimer(9).enabled());
    EXPECT_FALSE(h.stored("BLOCKCOUNTER_LAST_RUN").has_value());
}

TEST_F(RunSequence, StartingByTheButtonPausesARunningAutostartCountdown) {
    h.store("AUTOSTART_TICKBOX", "1");
    MainWindow& w = start();
    seconds(3);
    clickStart();
    EXPECT_FALSE(w.AUTOSTART_TIMER.enabled());
    seconds(30);
    // One pass only: step 1 asked for the computer's name once, and the
    // paused autostart countdown did not start a second pass.
    EXPECT_EQ(h.fake.environment.computerQueries, 1);
    EXPECT_FALSE(w.taskTimer(1).enabled());
}

TEST_F(RunSequence, TheFinalActionAutocloseOrPowerAutotimer) {
    h.store("TASK_20_ENABLE_TICKBOX", "1");
    h.store("AUTOTIMER_ACTION_TEXTBOX", "SHUTDOWN");
    MainWindow& w = start();
    clickStart();
    seconds(18);
    ASSERT_EQ(h.fake.windows.shown.size(), 2u);
    EXPECT_EQ(h.fake.windows.shown[1].first->name(), "SYNCWARD_POWER_AUTOTIMER_WINDOW");
    EXPECT_FALSE(h.fake.windows.shown[1].second);  // beside the main window, not modal
    EXPECT_EQ(w.CURRENT_STATUS_LABEL.caption(), "!!! RUNNING POWER AUTOTIMER !!!");
    EXPECT_EQ(light(19), colours::green);
    EXPECT_FALSE(w.AUTOCLOSE_TIMER.enabled());
}

}  // namespace
}  // namespace syncward::testing
