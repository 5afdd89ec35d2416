// Branches of the run and the block counter that a plain catch-up never
// takes.
#include <gtest/gtest.h>

#include <algorithm>

#include "block_counter_rig.h"
#include "core/state/main_window_painter.h"
#include "core/state/main_window_settings.h"

namespace syncward::testing {
namespace {

// The references the later readings must equal are captured at the first
// agreement of a cycle; indicators left green by an earlier phase skip that
// capture, so a stale triple-check reference fails the third reading.
TEST(RunPaths, ATripleCheckThatDisagreesKeepsTheLastAcceptedReadingAndCountsDownAgain) {
    BlockCounterRig rig;
    const std::string r0 = "812345" + rig.lineEnd();
    rig.readings = {r0, r0, r0};
    MainWindow& w = rig.start(r0);
    w.FINISH_WHEN_IDENTICAL_TICKBOX.setTicked(true);
    setCheck(w, &AgreementState::identical, CheckMark::passed);  // left by an override
    w.run.readings.verifierReference = r0;
    w.run.readings.tripleCheckReference = "812300" + rig.lineEnd();
    rig.setInterval("00:00:10");
    rig.recordStatuses();
    rig.clickStart();
    ASSERT_TRUE(rig.runUntil([&] { return rig.clientRuns == 3 && w.BLOCKCOUNTER_COUNTDOWN_TIMER.enabled(); }));
    EXPECT_NE(std::find(rig.statuses.begin(), rig.statuses.end(), "!!! BLOCKCOUNTER - TRIPLE-CHECK FAILED !!! GGPN"),
              rig.statuses.end());
    EXPECT_EQ(w.LAST_BLOCKCOUNT_TEXTBOX.text(), r0);
    EXPECT_EQ(rig.indicators(), "NNNN");
    EXPECT_FALSE(w.COMPLETED_TIMER.enabled());
    EXPECT_EQ(w.BLOCKCOUNT_TIMER_TEXTBOX.text(), "00:00:10");
}

// A client that gives no number leaves its complaint in the LOGS folder;
// the status names the likely cause and that file.
TEST(RunPaths, AClientWithoutANumberIsExplainedInTheStatus) {
    BlockCounterRig rig(PlatformProfile::posix("/home/satoshi"));
    const std::string complaint = rig.home + "/LOGS/BTC1-BLOCKCOUNTER-CLIENT.LOG";
    const std::pair<const char*, const char*> causes[] = {
        {"error: Authorization failed: Incorrect rpcuser or rpcpassword\n", "CLIENT CANNOT LOG IN TO THE NODE"},
        {"error: Could not connect to the server 127.0.0.1:9332\n", "NODE NOT REACHABLE - NOT RUNNING OR WRONG PORT"},
        {"error code: -28\nerror message:\nLoading block index...\n", "NODE STILL STARTING"},
        {"", "CLIENT GAVE NO NUMBER"},
    };
    rig.readings = {"\n", "\n", "\n", "\n"};
    MainWindow& w = rig.start("700\n");
    rig.setInterval("00:00:05");
    rig.recordStatuses();
    rig.clickStart();
    for (const auto& [said, cause] : causes) {
        rig.h.fake.files.files[complaint] = said;
        const int runs = rig.clientRuns;
        ASSERT_TRUE(rig.runUntil([&] { return rig.clientRuns > runs && w.ZERO_EMPTY_TEXTBOX_CHECKER_TIMER.enabled(); }));
        EXPECT_EQ(w.CURRENT_STATUS_LABEL.caption(), "!!! BLOCKCOUNTER - " + std::string(cause) + " - SEE " + complaint + " !!!");
    }
}

struct RunSteps : ::testing::Test {
    RunSteps() {
        h.store("SYNCWARD_HOME_TEXTBOX", "D:\\R");
        h.store("ALWAYS_ON_TOP_TICKBOX", "0");
    }
    void seconds(int s) { h.fake.loop.advance(s * 1000LL); }
    AppHarness h;
};

// Step 9 goes on only once the block counter has turned its light green;
// until then it says so and checks again every second.
TEST_F(RunSteps, StepNineWaitsUntilTheBlockCounterHasEnded) {
    h.start();
    MainWindow& w = h.main();
    setStep(w, RunStep::waitForBlockCounter, StepState::running);
    w.taskTimer(9).start();
    seconds(1);
    EXPECT_EQ(w.CURRENT_STATUS_LABEL.caption(), "SKIPPED BLOCKCOUNTER");
    EXPECT_EQ(w.taskLight(9).background(), colours::red);
    EXPECT_TRUE(w.taskTimer(9).enabled());
    setStep(w, RunStep::waitForBlockCounter, StepState::done);
    seconds(1);
    EXPECT_EQ(w.CURRENT_STATUS_LABEL.caption(), "!!! BLOCKCOUNTER ENDED !!!");
    EXPECT_TRUE(w.taskTimer(10).enabled());
}

// With the stop request ticked but neither node program, step 12 goes on
// as soon as the named programs are stopped, and claims no shutdown.
TEST_F(RunSteps, StepTwelveWithNeitherNodeProgramTickedGoesOnWithoutAShutdownMessage) {
    h.store("TASK_11_ENABLE_TICKBOX", "1");
    h.store("DAEMOND_NAME_TEXTBOX", "bitcoind.exe");
    h.start();
    MainWindow& w = h.main();
    w.MULTILOADER_START_STOP_BUTTON.click();
    seconds(11);
    EXPECT_TRUE(w.taskTimer(13).enabled());
    EXPECT_EQ(w.CURRENT_STATUS_LABEL.caption(), "SENDING CLI-STOP REQUEST...");
    EXPECT_EQ(w.taskLight(11).background(), colours::cyan);
}

TEST_F(RunSteps, StepNineteenWithAutocloseShowsItsTextsAndStartsTheCountdown) {
    h.store("TASK_19_ENABLE_TICKBOX", "1");
    h.store("AUTOTIMER_ACTION_TEXTBOX", "SHUTDOWN PC");
    h.start();
    MainWindow& w = h.main();
    w.AUTOTIMER_ACTION_TEXTBOX.setText("SHUTDOWN PC");
    w.MULTILOADER_START_STOP_BUTTON.click();
    seconds(18);
    EXPECT_EQ(w.CURRENT_STATUS_LABEL.caption(), "!!! AUTOCLOSE STARTING !!!");
    EXPECT_EQ(w.AUTOCLOSE_OR_POWER_AUTOTIMER_TEXTBOX.text(), "AUTOCLOSE");
    EXPECT_EQ(w.AUTOTIMER_ACTION_TEXTBOX.text(), "");
    EXPECT_TRUE(w.AUTOCLOSE_TIMER.enabled());
    EXPECT_TRUE(w.AUTOCLOSE_START_BUTTON.enabled());
    EXPECT_EQ(w.taskLight(19).background(), colours::green);
    EXPECT_TRUE(w.END_LOG_BUTTON.enabled());
}

// EXIT stores its own set, then the last-run text, then the close stores
// the place and its set: every key, in this order.
TEST_F(RunSteps, ExitStoresItsWholeSetInOrder) {
    h.start();
    h.fake.store.clearLog();
    h.main().EXIT_BUTTON.click();
    const std::vector<std::string> exitSet = {
        "ALWAYS_ON_TOP_TICKBOX", "AUTOSTART_TICKBOX", "FINISH_WHEN_IDENTICAL_TICKBOX", "USER_COUNT_TIME_TEXTBOX",
        "USER_OVERRIDE_TIME_TEXTBOX", "OVERRIDE_TIMER_ENABLE_TICKBOX", "AUTOSTART_OVERRIDE_TIMER_TICKBOX",
        "TASK_2_ENABLE_TICKBOX", "TASK_4_ENABLE_TICKBOX", "TASK_8_ENABLE_TICKBOX", "TASK_11_ENABLE_TICKBOX",
        "TASK_17_ENABLE_TICKBOX", "TASK_18_ENABLE_TICKBOX", "TASK_19_ENABLE_TICKBOX", "TASK_20_ENABLE_TICKBOX",
        "RUN_QT_TICKBOX", "RUN_DAEMON_TICKBOX", "EMAIL_OUTPUT_START_COMMAND_TEXTBOX",
        "EMAIL_OUTPUT_END_COMMAND_TEXTBOX", "RUN_QT_OR_D_TEXTBOX"};
    std::vector<std::string> expected = exitSet;
    expected.push_back("MULTILOADER_LAST_RUN_TEXTBOX");
    expected.push_back("MAIN-Left");
    expected.push_back("MAIN-Top");
    for (const std::string& key : exitSet)
        if (key != "ALWAYS_ON_TOP_TICKBOX" && key != "RUN_QT_TICKBOX" && key != "RUN_DAEMON_TICKBOX")
            expected.push_back(key);
    EXPECT_EQ(h.fake.store.savedKeys("BTC1"), expected);
}

}  // namespace
}  // namespace syncward::testing
