// What an unattended run does when the set-up, the node or the disk is not
// what it expects: it finishes, or says why not, and never waits unseen.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/state/main_window_painter.h"
#include "core/state/main_window_settings.h"
#include "support/app_harness.h"

namespace syncward::testing {
namespace {

struct RunFaults : ::testing::Test {
    explicit RunFaults(PlatformProfile profile = PlatformProfile::posix("/home/sat")) : h(std::move(profile)) {
        h.store("SYNCWARD_HOME_TEXTBOX", "/home/sat/R");
        h.store("ALWAYS_ON_TOP_TICKBOX", "0");
        h.store("DAEMOND_NAME_TEXTBOX", "litecoind");
        h.store("DAEMONCLI_NAME_SETTINGS_TEXTBOX", "litecoin-cli");
        h.store("RUN_DAEMON_TICKBOX", "1");
        h.store("TASK_11_ENABLE_TICKBOX", "1");
    }
    MainWindow& start() {
        h.start();
        h.fake.processes.start("litecoind");
        return h.main();
    }
    void seconds(int s) { h.fake.loop.advance(s * 1000LL); }
    int stopRequests() const {
        return static_cast<int>(std::count(h.fake.launcher.ran.begin(), h.fake.launcher.ran.end(),
                                           "/home/sat/R/BATS/BTC1-RUN-CLI-STOP.sh"));
    }
    AppHarness h;
};

TEST_F(RunFaults, ADaemonOnlyRunWithoutAQtNameEndsWhenTheDaemonHasStopped) {
    MainWindow& w = start();
    w.MULTILOADER_START_STOP_BUTTON.click();
    seconds(11);  // step 12 waits (step 9 is skipped without the block counter)
    EXPECT_TRUE(w.taskTimer(12).enabled());
    EXPECT_EQ(w.CURRENT_STATUS_LABEL.caption(), "WAITING FOR QT / DAEMON SHUTDOWN - 00:00:01");
    h.fake.processes.end("litecoind");
    seconds(2);
    EXPECT_FALSE(w.taskTimer(12).enabled());
    EXPECT_TRUE(w.taskTimer(13).enabled() || w.taskTimer(14).enabled());
    seconds(6);
    EXPECT_TRUE(h.fake.files.files.count("/home/sat/R/REPORTS/BTC1-END-REPORT.LOG"));
}

TEST_F(RunFaults, ANodeThatDoesNotStopIsAskedAgainEveryMinuteThenToShutDownItself) {
    MainWindow& w = start();
    w.MULTILOADER_START_STOP_BUTTON.click();
    seconds(11);
    EXPECT_EQ(stopRequests(), 1);
    seconds(60);
    EXPECT_EQ(stopRequests(), 2);
    EXPECT_TRUE(h.fake.processes.askedToShutDown.empty());
    seconds(240);
    EXPECT_EQ(stopRequests(), 6);
    EXPECT_EQ(h.fake.processes.askedToShutDown, std::vector<std::string>{"litecoind"});
    EXPECT_EQ(w.CURRENT_STATUS_LABEL.caption(),
              "!!! NODE NOT STOPPED BY CLI - ASKED TO SHUT DOWN (SIGTERM) - WAITING 00:05:01 !!!");
    EXPECT_TRUE(h.fake.processes.terminated.empty());  // never killed
    h.fake.processes.end("litecoind");
    seconds(1);
    EXPECT_FALSE(w.taskTimer(12).enabled());
}

TEST_F(RunFaults, AStopRequestThatCannotBeSentIsToldAndTheNodeIsAskedAtOnce) {
    MainWindow& w = start();
    h.fake.launcher.onRun = [this](const std::string&) {};
    h.fake.launcher.failStarts = true;  // the home folder went away
    w.MULTILOADER_START_STOP_BUTTON.click();
    seconds(10);
    EXPECT_EQ(w.CURRENT_STATUS_LABEL.caption(), "!!! CLI-STOP REQUEST NOT SENT - COMMAND FILE COULD NOT BE STARTED !!!");
    seconds(1);
    EXPECT_EQ(h.fake.processes.askedToShutDown, std::vector<std::string>{"litecoind"});
}

struct RunFaultsOnWindows : RunFaults {
    RunFaultsOnWindows() : RunFaults(PlatformProfile::windows()) {}
};

TEST_F(RunFaultsOnWindows, OnlyTheStopRequestIsRepeated) {
    MainWindow& w = start();
    w.MULTILOADER_START_STOP_BUTTON.click();
    seconds(11 + 600);
    EXPECT_TRUE(h.fake.processes.askedToShutDown.empty());
    EXPECT_TRUE(w.taskTimer(12).enabled());
}

TEST_F(RunFaults, AClientStillHangingWhenTheBlockCounterEndsIsEnded) {
    MainWindow& w = start();
    h.fake.processes.start("litecoin-cli");
    w.MULTILOADER_START_STOP_BUTTON.click();
    seconds(10);
    EXPECT_EQ(h.fake.processes.terminated, std::vector<std::string>{"litecoin-cli"});
}

// The stop request's client hangs (its node is gone already): the run
// still reports and closes, and the client call it started does not
// outlive it, where nobody would end it after its two minutes.
TEST_F(RunFaults, AClientCallStillRunningWhenTheProgramClosesItselfIsEnded) {
    h.store("TASK_19_ENABLE_TICKBOX", "1");
    MainWindow& w = start();
    h.fake.launcher.onRun = [this, inner = h.fake.launcher.onRun](const std::string& path) {
        if (path == "/home/sat/R/BATS/BTC1-RUN-CLI-STOP.sh") {
            h.fake.processes.start("litecoin-cli");
            h.fake.processes.end("litecoind");
            return;
        }
        if (inner) inner(path);
    };
    w.MULTILOADER_START_STOP_BUTTON.click();
    for (int i = 0; i < 120 && w.isOpen(); ++i) seconds(1);
    ASSERT_FALSE(w.isOpen()) << w.CURRENT_STATUS_LABEL.caption();
    EXPECT_EQ(h.fake.processes.processes.count("litecoin-cli"), 0u) << "the client was left running";
    EXPECT_TRUE(h.fake.processes.askedToShutDown.empty()) << "no node is ever asked to go by the close";
}

TEST_F(RunFaults, AnInvalidRunEveryTypedBeforeARunFallsBackAndTheCounterPolls) {
    h.store("TASK_8_ENABLE_TICKBOX", "1");
    h.store("USER_COUNT_TIME_TEXTBOX", "00:00:04");
    MainWindow& w = start();
    w.USER_COUNT_TIME_TEXTBOX.setText("5 minutes");
    w.MULTILOADER_START_STOP_BUTTON.click();
    seconds(8);
    EXPECT_EQ(w.CURRENT_STATUS_LABEL.caption(), "!!! 'RUN EVERY' WAS NOT A VALID TIME - USING 00:00:04 !!!");
    EXPECT_EQ(w.USER_COUNT_TIME_TEXTBOX.text(), "00:00:04");
    seconds(4);
    EXPECT_TRUE(w.GETBLOCKCOUNT_TIMER.enabled() || h.fake.launcher.ran.back().ends_with("GBC.sh"));

    // "00:00:00" is no interval either: the stored one is refused too.
    AppHarness zero(PlatformProfile::posix("/home/sat"));
    zero.store("USER_COUNT_TIME_TEXTBOX", "00:00:00");
    zero.store("USER_OVERRIDE_TIME_TEXTBOX", "00:00:00");
    zero.start();
    EXPECT_EQ(zero.main().USER_COUNT_TIME_TEXTBOX.text(), "00:05:00");
    EXPECT_EQ(zero.main().USER_OVERRIDE_TIME_TEXTBOX.text(), "01:00:00");
}

TEST_F(RunFaults, ASecondRunCountsItsOwnRunTimeAndOverwritesTheReport) {
    MainWindow& w = start();
    h.fake.processes.end("litecoind");
    w.MULTILOADER_START_STOP_BUTTON.click();
    seconds(100);
    w.MULTILOADER_START_STOP_BUTTON.click();  // stop the idle chain
    setReading(w, &BlockReadings::lastAccepted, "4711\n");  // a count known before the second run
    w.MULTILOADER_START_STOP_BUTTON.click();
    seconds(20);
    EXPECT_EQ(w.TOTAL_RUNTIME_TEXTBOX.text(), "00:00:11");  // not 100 s and more
    const std::string secondReport = h.fake.files.files.at("/home/sat/R/REPORTS/BTC1-END-REPORT.LOG");
    EXPECT_NE(secondReport.find("BEFORE Update:\n4711\n"), std::string::npos);
    EXPECT_NE(secondReport.find("MINIMUM RUN TIME:\n00:00:11"), std::string::npos) << secondReport;
    EXPECT_NE(secondReport.find("BLOCKCHAIN UPDATED USING: DAEMON --- litecoind ---"), std::string::npos);
}

TEST_F(RunFaults, AFullDiskKeepsTheProgramOpenAndRedInsteadOfClosingAsIfAllWentWell) {
    h.store("TASK_19_ENABLE_TICKBOX", "1");
    MainWindow& w = start();
    h.fake.processes.end("litecoind");
    h.fake.files.unwritable.insert("/home/sat/R/REPORTS/BTC1-END-REPORT.LOG");
    h.fake.store.failSaves = true;
    w.MULTILOADER_START_STOP_BUTTON.click();
    seconds(18 + 11);
    EXPECT_TRUE(w.isOpen());
    EXPECT_EQ(w.CURRENT_STATUS_LABEL.caption(), main_texts::outcomeNotWritten);
    EXPECT_EQ(w.MULTILOADER_LAST_RUN_TEXTBOX.text(), main_texts::outcomeNotWritten);
    EXPECT_EQ(w.MULTILOADER_LAST_RUN_TEXTBOX.background(), colours::red);
}

TEST_F(RunFaults, AClosedMainWindowStopsItsOwnTimers) {
    MainWindow& w = start();
    w.close();
    for (Timer* timer : w.timers()) EXPECT_FALSE(timer->enabled()) << timer->name();
    const int queries = h.fake.processes.queries;
    seconds(5);
    EXPECT_EQ(h.fake.processes.queries, queries);
}

}  // namespace
}  // namespace syncward::testing
