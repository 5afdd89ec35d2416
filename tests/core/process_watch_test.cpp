#include <gtest/gtest.h>

#include "core/reports/end_report.h"
#include "support/app_harness.h"

namespace syncward::testing {
namespace {

struct Watch : ::testing::Test {
    void start(PlatformProfile profile = PlatformProfile::windows()) {
        h = std::make_unique<AppHarness>(std::move(profile));
        h->store("QT_NAME_TEXTBOX", "bitcoin-qt.exe");
        h->store("DAEMOND_NAME_TEXTBOX", "");
        h->store("DAEMONCLI_NAME_SETTINGS_TEXTBOX", "Bitcoin-CLI.exe");
        h->start();
    }
    FakeProcessTable& processes() { return h->fake.processes; }
    MainWindow& w() { return h->main(); }
    // With the watch stopped where it stands: whether the step that waits
    // for the node to stop goes on within a second, to the steps after it.
    bool shutdownWaitGoesOn() {
        w().MULTI_PROCESS_WATCHER_TIMER.stop();
        h->store("TASK_11_ENABLE_TICKBOX", "1");
        w().TASK_11_ENABLE_TICKBOX.setTicked(true);
        w().taskTimer(RunStep::waitForNodeShutdown).start();
        h->fake.loop.advance(1000);
        return w().taskTimer(RunStep::measureFolderAfter).enabled() || w().taskTimer(RunStep::logEndTime).enabled();
    }
    std::unique_ptr<AppHarness> h;
};

TEST_F(Watch, EachTickColoursTheNamedBoxesFromOneQueryAndLeavesAnUnnamedOneAlone) {
    start();
    processes().start("BITCOIN-QT.EXE");  // another letter case is the same program
    processes().queries = 0;
    h->fake.loop.advance(1000);
    EXPECT_EQ(processes().queries, 4) << "one query a tick, for every box";

    EXPECT_EQ(w().processBox(1).background(), colours::green);
    EXPECT_EQ(w().processBox(1).tooltip(), "QT PROCESS RUNNING");
    EXPECT_EQ(w().processBox(2).background(), colours::buttonFace) << "no daemon name: never coloured";
    EXPECT_EQ(w().processBox(3).background(), colours::red);
    EXPECT_EQ(w().processBox(3).tooltip(), "CLI PROCESS STOPPED");
    EXPECT_EQ(w().processBox(4).background(), colours::red);
    EXPECT_EQ(w().processBox(4).tooltip(), "SendEmail.exe PROCESS STOPPED");

    processes().start("SendEmail.exe");
    processes().end("BITCOIN-QT.EXE");
    h->fake.loop.advance(250);
    EXPECT_EQ(w().processBox(1).background(), colours::red);
    EXPECT_EQ(w().processBox(1).tooltip(), "QT PROCESS STOPPED");
    EXPECT_EQ(w().processBox(4).background(), colours::green);
    EXPECT_EQ(w().processBox(4).tooltip(), "SendEmail.exe PROCESS RUNNING");
}

TEST_F(Watch, TheClientBoxStaysGreenUntilTheLastCopyEndsAndGatesRunNow) {
    start();
    processes().start("bitcoin-cli.exe");
    processes().start("bitcoin-cli.exe");
    h->fake.loop.advance(250);
    EXPECT_EQ(w().processBox(3).background(), colours::green);
    EXPECT_EQ(w().processBox(3).tooltip(), "CLI PROCESS RUNNING");
    EXPECT_FALSE(w().RUN_NOW_BUTTON.enabled());

    processes().end("bitcoin-cli.exe");
    h->fake.loop.advance(250);
    EXPECT_EQ(w().processBox(3).background(), colours::green);
    EXPECT_FALSE(w().RUN_NOW_BUTTON.enabled());

    processes().end("bitcoin-cli.exe");
    h->fake.loop.advance(250);
    EXPECT_EQ(w().processBox(3).background(), colours::red);
    EXPECT_TRUE(w().RUN_NOW_BUTTON.enabled());
}

TEST_F(Watch, AFailedQueryLeavesEveryBoxAsItWasAndSaysSoOnce) {
    start();
    processes().start("bitcoin-cli.exe");
    h->fake.loop.advance(250);
    processes().failQueries = true;
    processes().end("bitcoin-cli.exe");
    h->fake.loop.advance(250);
    EXPECT_EQ(w().processBox(3).background(), colours::green);
    EXPECT_EQ(w().processBox(1).background(), colours::red);
    EXPECT_FALSE(w().RUN_NOW_BUTTON.enabled());
    EXPECT_EQ(w().CURRENT_STATUS_LABEL.caption(), "!!! PROCESS LIST UNAVAILABLE - PROCESS BOXES NOT UPDATED !!!");

    w().CURRENT_STATUS_LABEL.setCaption("!!! BLOCKCOUNTER - COUNTING DOWN !!!");
    h->fake.loop.advance(1000);
    EXPECT_EQ(w().CURRENT_STATUS_LABEL.caption(), "!!! BLOCKCOUNTER - COUNTING DOWN !!!") << "not repeated";

    processes().failQueries = false;
    h->fake.loop.advance(250);
    EXPECT_EQ(w().processBox(3).background(), colours::red);
    EXPECT_TRUE(w().RUN_NOW_BUTTON.enabled());
}

TEST_F(Watch, UnderPosixTheFourthBoxWatchesThePackagedMailer) {
    start(PlatformProfile::posix("/home/satoshi"));
    processes().start("sendemail");
    h->fake.loop.advance(250);
    EXPECT_EQ(w().processBox(4).background(), colours::green);
    EXPECT_EQ(w().processBox(4).tooltip(), "sendemail PROCESS RUNNING");
}

TEST_F(Watch, ANameSetWhileRunningIsWatchedFromTheNextTick) {
    start();
    h->fake.loop.advance(250);
    ASSERT_EQ(w().processBox(2).background(), colours::buttonFace);
    processes().start("bitcoind.exe");
    w().DAEMON_NAME_TEXTBOX.setText("bitcoind.exe");
    h->fake.loop.advance(250);
    EXPECT_EQ(w().processBox(2).background(), colours::green);
    EXPECT_EQ(w().processBox(2).tooltip(), "DAEMON PROCESS RUNNING");
    // Emptied again: the box keeps its last colour.
    w().DAEMON_NAME_TEXTBOX.setText("");
    processes().end("bitcoind.exe");
    h->fake.loop.advance(250);
    EXPECT_EQ(w().processBox(2).background(), colours::green);
}

}  // namespace
}  // namespace syncward::testing

namespace syncward::testing {
namespace {

// The watch's answers are values of the run's state, by role; the boxes
// only show them. A program without a name stays unknown.
TEST_F(Watch, EachRoleIsRecordedInTheRunStateAndAFailedLookKeepsTheLastAnswer) {
    start();
    const ProgramWatchState& seen = w().run.programs;
    EXPECT_EQ(seen[WatchedProgram::qt], ProgramSeen::unknown) << "before the first look";
    processes().start("bitcoin-qt.exe");
    h->fake.loop.advance(250);
    EXPECT_TRUE(seen.running(WatchedProgram::qt));
    EXPECT_EQ(seen[WatchedProgram::daemon], ProgramSeen::unknown) << "no daemon name";
    EXPECT_EQ(seen[WatchedProgram::client], ProgramSeen::stopped);
    EXPECT_EQ(seen[WatchedProgram::mailer], ProgramSeen::stopped);

    processes().failQueries = true;
    processes().end("bitcoin-qt.exe");
    h->fake.loop.advance(250);
    EXPECT_TRUE(seen.running(WatchedProgram::qt)) << "no answer is no news";
}

// Painting a box by hand changes what the window shows, not what the run
// decides: the stop wait asks the state.
TEST_F(Watch, TheRunDecidesOnTheStateNotOnThePaint) {
    start();
    h->fake.loop.advance(250);
    ASSERT_TRUE(w().run.programs.oursStopped(WatchedProgram::qt));
    w().processBox(1).setBackground(colours::green);
    EXPECT_TRUE(shutdownWaitGoesOn()) << "a stopped QT is not waited for, whatever its box shows";
}

// Another node of the coin (a test network's, another copy's) and the
// user's own client have the watched names: the boxes show them, the run's
// step that waits for the node to stop neither waits for them nor asks them
// to shut down, and the block counter does not wait for that client.
TEST_F(Watch, ProgramsOfTheSameNameThatThisProgramDidNotStartAreShownButNotWaitedFor) {
    start();
    w().DAEMON_NAME_TEXTBOX.setText("bitcoind.exe");
    processes().bystanders.insert("bitcoind.exe");
    processes().bystanders.insert("bitcoin-cli.exe");
    h->fake.loop.advance(250);
    const ProgramWatchState& seen = w().run.programs;
    EXPECT_TRUE(seen.running(WatchedProgram::daemon));
    EXPECT_EQ(w().processBox(2).background(), colours::green);
    EXPECT_TRUE(seen.oursStopped(WatchedProgram::daemon));
    EXPECT_TRUE(seen.running(WatchedProgram::client));
    EXPECT_TRUE(seen.oursStopped(WatchedProgram::client));

    EXPECT_TRUE(shutdownWaitGoesOn()) << "a node this program did not start is not waited for";
    EXPECT_TRUE(processes().askedToShutDown.empty());
    EXPECT_TRUE(processes().terminated.empty());
    EXPECT_EQ(processes().bystanders.size(), 2u);
}

// A run that finds the node an earlier run left on the copy's data folder
// (its own cannot start beside it) counts with that node, stops it as its
// own, and its report says so. Outside a run, and on another folder, such
// a node is a stranger.
TEST_F(Watch, WhileARunIsUnderWayTheNodeLeftOnTheCopysDataFolderIsItsOwn) {
    start();
    w().DAEMON_NAME_TEXTBOX.setText("bitcoind.exe");
    w().BLOCKCHAIN_HOME_TEXTBOX.setText("D:\\CHAIN");
    processes().leftRunning.insert({"bitcoind.exe", "D:\\CHAIN"});
    processes().leftRunning.insert({"bitcoin-qt.exe", "E:\\OTHER"});
    h->fake.loop.advance(250);
    const ProgramWatchState& seen = w().run.programs;
    EXPECT_TRUE(seen.running(WatchedProgram::daemon));
    EXPECT_TRUE(seen.oursStopped(WatchedProgram::daemon)) << "no run under way: nothing is claimed";
    EXPECT_FALSE(w().facts.nodeLeftByEarlierRun);

    w().run.switches.chain = true;
    h->fake.loop.advance(250);
    EXPECT_EQ(processes().claimedFolder, "D:\\CHAIN");
    EXPECT_TRUE(seen.oursRunning(WatchedProgram::daemon));
    EXPECT_TRUE(seen.oursStopped(WatchedProgram::qt)) << "a node on another folder stays a stranger";
    EXPECT_TRUE(w().facts.nodeLeftByEarlierRun);
    EXPECT_EQ(w().CURRENT_STATUS_LABEL.caption(), "!!! THE NODE LEFT BY AN EARLIER RUN WAS USED !!!");
    EXPECT_FALSE(shutdownWaitGoesOn()) << "the run waits for the node it counted with";

    w().SYNCWARD_HOME_TEXTBOX.setText("D:\\R");
    ASSERT_TRUE(createAndWriteEndReport(h->app->context()));
    const std::string& report = w().LOG_FILE_OUTPUT_TEXTBOX.text();
    EXPECT_NE(report.find("---\r\n\r\nTHE NODE LEFT BY AN EARLIER RUN WAS USED\r\n\r\nFINAL ACTION:"), std::string::npos)
        << report;

    w().run.switches.chain = false;
    w().MULTI_PROCESS_WATCHER_TIMER.start();
    h->fake.loop.advance(250);
    EXPECT_EQ(processes().claimedFolder, "") << "the run is over: nothing is claimed";
}

}  // namespace
}  // namespace syncward::testing
