#include <gtest/gtest.h>

#include <algorithm>

#include "block_counter_rig.h"
#include "core/state/main_window_painter.h"

namespace syncward::testing {
namespace {

using Stages = std::vector<std::string>;

TEST(BlockCounter, TheDefaultIntervalReadsAtTheThreeHundredthTickAndRunsTheCommandOneTickLater) {
    BlockCounterRig rig;
    rig.readings = {"700\r\n"};
    MainWindow& w = rig.start("700\r\n");
    const auto t0 = rig.loop().now();
    rig.clickStart();
    EXPECT_EQ(w.START_STOP_TIMER_BUTTON.caption(), "STOP");
    EXPECT_EQ(w.START_STOP_TIMER_BUTTON.tooltip(), "STOP BLOCKCOUNTER");
    EXPECT_TRUE(w.USER_COUNT_TIME_TEXTBOX.locked());
    EXPECT_FALSE(w.SETTINGS_BUTTON.enabled());
    EXPECT_TRUE(w.RUN_NOW_BUTTON.enabled());
    EXPECT_EQ(w.BLOCKCOUNTER_LAST_RUN_TEXTBOX.text(), "!!! MANUAL START !!!");
    EXPECT_EQ(w.BLOCKCOUNTER_LAST_RUN_TEXTBOX.background(), colours::green);
    EXPECT_EQ(rig.h.stored("BLOCKCOUNTER_LAST_RUN"), "!!! MANUAL START !!!");

    rig.advance(299'000);
    EXPECT_EQ(w.BLOCKCOUNT_TIMER_TEXTBOX.text(), "00:00:01");
    EXPECT_EQ(w.CURRENT_STATUS_LABEL.caption(), "!!! BLOCKCOUNTER - COUNTING DOWN !!!");
    rig.advance(1000);  // the 300th tick
    EXPECT_EQ(rig.loop().now() - t0, 300'000);
    EXPECT_EQ(w.BLOCKCOUNT_TIMER_TEXTBOX.text(), "--:--:--");
    EXPECT_EQ(w.CURRENT_STATUS_LABEL.caption(), "!!! BLOCKCOUNTER - AUTO GETBLOCKCOUNT !!!");
    EXPECT_EQ(w.CURRENT_BLOCK_TEXTBOX.background(), colours::lightCyan);
    EXPECT_EQ(w.LAST_BLOCKCOUNT_TEXTBOX.background(), colours::lightCyan);
    EXPECT_EQ(rig.runningStages(), Stages{"GETBLOCKCOUNT_TIMER"});
    EXPECT_TRUE(rig.h.fake.launcher.ran.empty());

    rig.advance(1000);
    EXPECT_EQ(rig.h.fake.launcher.ran, std::vector<std::string>{"C:\\QUORVEL-ROOT\\SYNCWARD\\BATS\\BTC1-RUN-BLOCKCOUNTER-GBC.bat"});
    EXPECT_EQ(w.CURRENT_STATUS_LABEL.caption(), "!!! BLOCKCOUNTER - RUNNING GETBLOCKCOUNT !!!");
    EXPECT_EQ(w.CURRENT_BLOCK_TEXTBOX.background(), colours::yellow);
    EXPECT_EQ(rig.runningStages(), Stages{"CLI_PROCESS_WATCHER_TIMER"});
}

TEST(BlockCounter, TheClientWaitHoldsTheLoadUntilTheClientHasEndedThenLoadsTheWholeFile) {
    BlockCounterRig rig(PlatformProfile::posix("/home/satoshi"));
    rig.clientRunMs = 1600;
    rig.readings = {"812345\n"};
    MainWindow& w = rig.start("812340\n");
    rig.setInterval("00:00:02");
    rig.clickStart();
    ASSERT_TRUE(rig.runUntil([&] { return w.CLI_PROCESS_WATCHER_TIMER.enabled(); }));
    rig.advance(500);
    EXPECT_EQ(w.processBox(3).background(), colours::green);
    EXPECT_EQ(w.CURRENT_STATUS_LABEL.caption(), "!!! CLI PROCESS RUNNING - WAITING !!!");
    EXPECT_EQ(w.CURRENT_BLOCK_TEXTBOX.background(), colours::red);
    EXPECT_EQ(w.CURRENT_BLOCK_TEXTBOX.foreground(), colours::black);
    EXPECT_FALSE(w.RUN_NOW_BUTTON.enabled());
    EXPECT_EQ(w.CURRENT_BLOCK_TEXTBOX.text(), "") << "nothing loaded while the client writes";

    ASSERT_TRUE(rig.runUntil([&] { return w.BLOCKCOUNT_TEXTBOX_UPDATER_TIMER.enabled(); }));
    EXPECT_EQ(w.CURRENT_STATUS_LABEL.caption(), "GOOD - CLI PROCESS NOT RUNNING");
    EXPECT_EQ(w.CURRENT_BLOCK_TEXTBOX.background(), colours::black);
    EXPECT_EQ(w.CURRENT_BLOCK_TEXTBOX.foreground(), colours::green);
    EXPECT_TRUE(w.RUN_NOW_BUTTON.enabled());
    rig.advance(1000);
    EXPECT_EQ(w.CURRENT_BLOCK_TEXTBOX.text(), "812345\n");
    EXPECT_EQ(w.CURRENT_STATUS_LABEL.caption(), "!!! BLOCKCOUNTER - BLOCKCOUNT UPDATED !!!");
    EXPECT_EQ(w.CURRENT_BLOCK_TEXTBOX.background(), colours::magenta);
    EXPECT_EQ(rig.runningStages(), Stages{"ZERO_EMPTY_TEXTBOX_CHECKER_TIMER"});
}

TEST(BlockCounter, AnIntervalThatIsNotATimeStartsNothing) {
    BlockCounterRig rig;
    MainWindow& w = rig.start();
    for (const char* bad : {"5 minutes", "24:00:00", "00:60:00", ""}) {
        rig.setInterval(bad);
        rig.clickStart();
        EXPECT_EQ(w.CURRENT_STATUS_LABEL.caption(), "!!! BLOCKCOUNTER - 'RUN EVERY' IS NOT A VALID TIME (HH:MM:SS) !!!");
        EXPECT_EQ(w.START_STOP_TIMER_BUTTON.caption(), "START");
        EXPECT_FALSE(w.USER_COUNT_TIME_TEXTBOX.locked());
        EXPECT_TRUE(rig.runningStages().empty());
        EXPECT_EQ(w.BLOCKCOUNTER_LAST_RUN_TEXTBOX.text(), "");
        // Double-clicking does not store it over the good value either.
        w.USER_COUNT_TIME_TEXTBOX.doubleClick();
        EXPECT_TRUE(rig.h.fake.store.log.empty());
    }
    rig.setInterval("0:5:0");  // one-digit fields are a time
    rig.clickStart();
    EXPECT_EQ(w.COUNTDOWN_REMAINING, 300);
}

TEST(BlockCounter, DecisionAtZeroFollowsTheQtAndDaemonBoxes) {
    // Both stopped: no reading; the completion hand-over with a red status.
    BlockCounterRig stopped;
    MainWindow& w = stopped.start();
    stopped.advance(2500);  // the watch has seen the daemon run
    stopped.h.fake.processes.end(stopped.daemon);
    stopped.setInterval("00:00:03");
    stopped.clickStart();
    stopped.advance(3000);
    EXPECT_EQ(w.CURRENT_STATUS_LABEL.caption(), "!!! BC - QT / DAEMON ERROR - CONTINUING... !!!");
    EXPECT_EQ(w.CURRENT_STATUS_LABEL.background(), colours::red);
    EXPECT_EQ(w.BLOCKCOUNT_TIMER_TEXTBOX.text(), "--:--:--");
    EXPECT_EQ(stopped.runningStages(), Stages{"COMPLETED_TIMER"});
    w.COMPLETED_TIMER.stop();
    w.BLOCKCOUNTER_COUNTDOWN_TIMER.start();  // the next countdown, as the completion lets it go on
    stopped.advance(1000);
    EXPECT_EQ(w.CURRENT_STATUS_LABEL.caption(), "!!! BLOCKCOUNTER - COUNTING DOWN !!!");
    EXPECT_EQ(w.CURRENT_STATUS_LABEL.background(), colours::red) << "the red stays";
    EXPECT_EQ(w.BLOCKCOUNT_TIMER_TEXTBOX.text(), "00:00:02") << "a full interval, not past zero";

    // No QT name (its box never coloured) and the daemon stopped: only the
    // named program decides, so the phase ends rather than waiting for a
    // box that is never coloured.
    BlockCounterRig unnamed;
    unnamed.h.store("QT_NAME_TEXTBOX", "");
    MainWindow& u = unnamed.start();
    unnamed.advance(2500);
    unnamed.h.fake.processes.end(unnamed.daemon);
    unnamed.setInterval("00:00:02");
    unnamed.clickStart();
    unnamed.advance(2000);
    EXPECT_EQ(u.processBox(1).background(), colours::buttonFace);
    EXPECT_EQ(u.BLOCKCOUNT_TIMER_TEXTBOX.text(), "--:--:--");
    EXPECT_EQ(unnamed.runningStages(), Stages{"COMPLETED_TIMER"});
    EXPECT_EQ(u.facts.runFailure, "NODE STOPPED BEFORE THE CHAIN WAS CONFIRMED");
    EXPECT_TRUE(unnamed.h.fake.launcher.ran.empty());

    // A named program the watch has not looked at yet: the countdown runs
    // on past zero, with a minus sign, and takes no late decision.
    BlockCounterRig unwatched;
    MainWindow& n = unwatched.start();
    n.MULTI_PROCESS_WATCHER_TIMER.stop();
    n.run.programs.ours(WatchedProgram::daemon) = ProgramSeen::unknown;
    unwatched.setInterval("00:00:02");
    unwatched.clickStart();
    unwatched.advance(4000);
    EXPECT_EQ(n.BLOCKCOUNT_TIMER_TEXTBOX.text(), "-00:00:02");
    EXPECT_EQ(unwatched.runningStages(), Stages{"BLOCKCOUNTER_COUNTDOWN_TIMER"});
    EXPECT_NE(n.CURRENT_STATUS_LABEL.background(), colours::red);
}

TEST(BlockCounter, AStopDuringTheChecksHaltsEveryStageAndResetsTheIndicators) {
    BlockCounterRig rig;
    rig.readings = {"700\r\n"};
    MainWindow& w = rig.start("700\r\n");
    w.FINISH_WHEN_IDENTICAL_TICKBOX.setTicked(true);
    w.OVERRIDE_TIMER_ENABLE_TICKBOX.setTicked(true);
    w.START_OVERRIDE_BUTTON.click();
    rig.setInterval("00:00:05");
    rig.clickStart();
    ASSERT_TRUE(rig.runUntil([&] { return w.CHECKER_TIMER.enabled(); }));
    ASSERT_EQ(rig.indicators(), "GNNN");
    w.COMPLETED_TIMER.start();  // as if a hand-over were pending
    rig.h.fake.store.clearLog();

    rig.clickStart();
    EXPECT_EQ(rig.runningStages(), (Stages{"COMPLETED_TIMER", "OVERRIDE_TIMER"}));
    EXPECT_EQ(rig.indicators(), "NNNN");
    EXPECT_EQ(w.START_STOP_TIMER_BUTTON.caption(), "START");
    EXPECT_EQ(w.START_STOP_TIMER_BUTTON.tooltip(), "START BLOCKCOUNTER");
    EXPECT_FALSE(w.USER_COUNT_TIME_TEXTBOX.locked());
    EXPECT_TRUE(w.SETTINGS_BUTTON.enabled());
    EXPECT_FALSE(w.RUN_NOW_BUTTON.enabled());
    EXPECT_EQ(w.BLOCKCOUNTER_LAST_RUN_TEXTBOX.text(), "!!! MANUAL STOP !!!");
    EXPECT_EQ(w.BLOCKCOUNTER_LAST_RUN_TEXTBOX.background(), colours::red);
    EXPECT_EQ(rig.h.fake.store.savedKeys("BTC1"), std::vector<std::string>{"BLOCKCOUNTER_LAST_RUN"});

    // A manual start reloads the full interval.
    rig.clickStart();
    EXPECT_EQ(w.COUNTDOWN_REMAINING, 5);
}

TEST(BlockCounter, RunNowReadsAtOnceAndTheCountdownRestartsOnlyFromTheChecks) {
    BlockCounterRig rig;
    rig.readings = {"701\r\n"};
    MainWindow& w = rig.start("700\r\n");
    rig.setInterval("00:01:00");
    rig.clickStart();
    rig.advance(10'000);
    w.RUN_NOW_BUTTON.click();
    EXPECT_EQ(w.CURRENT_STATUS_LABEL.caption(), "GETBLOCKCOUNT - MANUAL RUN STARTED");
    EXPECT_EQ(w.CURRENT_BLOCK_TEXTBOX.background(), colours::magenta);
    EXPECT_EQ(rig.runningStages(), Stages{"GETBLOCKCOUNT_TIMER"});
    EXPECT_EQ(w.COUNTDOWN_REMAINING, 50) << "stopped where it stood";

    ASSERT_TRUE(rig.runUntil([&] { return w.IDENTICAL_CHECKER_TIMER.enabled(); }));
    // Another Run Now while the checks run would start a second chain.
    w.RUN_NOW_BUTTON.click();
    EXPECT_EQ(w.CURRENT_STATUS_LABEL.caption(), "!!! BLOCKCOUNTER - A READING IS ALREADY UNDER WAY !!!");
    EXPECT_EQ(rig.runningStages(), Stages{"IDENTICAL_CHECKER_TIMER"});
    rig.advance(1000);
    EXPECT_EQ(w.CURRENT_STATUS_LABEL.caption(), "!!! BLOCKCOUNTER - NOT IDENTICAL !!!");
    EXPECT_EQ(w.COUNTDOWN_REMAINING, 60);
    EXPECT_EQ(w.BLOCKCOUNT_TIMER_TEXTBOX.text(), "00:01:00");
    EXPECT_EQ(rig.runningStages(), Stages{"BLOCKCOUNTER_COUNTDOWN_TIMER"});
    EXPECT_EQ(rig.clientRuns, 1);
}

TEST(BlockCounter, ACommandFileThatCannotStartIsNotTakenForAFreshReading) {
    BlockCounterRig rig;
    MainWindow& w = rig.start("700\r\n");
    rig.h.fake.files.files[rig.blockFile()] = "700\r\n";  // an old answer
    w.FINISH_WHEN_IDENTICAL_TICKBOX.setTicked(true);
    setCheck(w, &AgreementState::identical, CheckMark::passed);
    rig.h.fake.launcher.failStarts = true;
    rig.setInterval("00:00:02");
    rig.clickStart();
    rig.advance(3000);
    EXPECT_EQ(w.CURRENT_STATUS_LABEL.caption(),
              "!!! BLOCKCOUNTER - GETBLOCKCOUNT COMMAND FILE COULD NOT BE STARTED !!!");
    EXPECT_EQ(rig.runningStages(), Stages{"BLOCKCOUNTER_COUNTDOWN_TIMER"});
    EXPECT_EQ(rig.indicators(), "NNNN");
    EXPECT_EQ(w.COUNTDOWN_REMAINING, 2);
}

TEST(BlockCounter, ManualFinishEndsThePhaseOrOnlyRecordsAnUpToDateChain) {
    BlockCounterRig rig;
    MainWindow& w = rig.start("700\r\n");
    w.OVERRIDE_TIMER_ENABLE_TICKBOX.setTicked(true);
    w.START_OVERRIDE_BUTTON.click();
    rig.clickStart();
    rig.advance(5000);
    setCheck(w, &AgreementState::identical, CheckMark::passed);
    rig.h.fake.store.clearLog();
    w.FINISH_BLOCKCOUNTER_BUTTON.click();
    EXPECT_TRUE(rig.runningStages().empty());
    EXPECT_TRUE(w.taskTimer(9).enabled());
    EXPECT_EQ(w.taskLight(8).background(), colours::green);
    EXPECT_EQ(w.taskLight(9).background(), colours::green);
    EXPECT_EQ(w.START_STOP_TIMER_BUTTON.caption(), "START");
    EXPECT_EQ(w.START_OVERRIDE_BUTTON.caption(), "START");
    EXPECT_EQ(w.CURRENT_STATUS_LABEL.caption(), "!!! BLOCKCOUNTER - MANUAL FINISH !!!");
    EXPECT_EQ(w.BLOCKCOUNTER_LAST_RUN_TEXTBOX.text(), "!!! MANUAL FINISH !!!");
    EXPECT_EQ(w.BLOCKCOUNTER_LAST_RUN_TEXTBOX.background(), colours::red);
    EXPECT_EQ(rig.indicators(), "GNNN") << "left as they were";
    EXPECT_TRUE(rig.h.fake.store.log.empty());

    // After the completion said the chain is up to date, only the texts change.
    w.taskTimer(9).stop();
    w.BLOCKCOUNTER_COUNTDOWN_TIMER.start();
    w.run.chainUpToDate = true;
    w.FINISH_BLOCKCOUNTER_BUTTON.click();
    EXPECT_EQ(w.CURRENT_STATUS_LABEL.caption(), "!!! BLOCKCOUNTER - MANUAL FINISH !!!");
    EXPECT_EQ(w.BLOCKCOUNTER_LAST_RUN_TEXTBOX.text(), "!!! MANUAL FINISH - UP-TO-DATE !!!");
    EXPECT_EQ(w.BLOCKCOUNTER_LAST_RUN_TEXTBOX.background(), colours::green);
    EXPECT_EQ(rig.runningStages(), Stages{"BLOCKCOUNTER_COUNTDOWN_TIMER"});
    EXPECT_FALSE(w.taskTimer(9).enabled());
    EXPECT_TRUE(rig.h.fake.store.log.empty());
}

TEST(BlockCounter, TheOverrideTickBoxGatesItsControlsAndSavesInOrder) {
    BlockCounterRig rig;
    MainWindow& w = rig.start();
    EXPECT_FALSE(w.START_OVERRIDE_BUTTON.enabled());
    w.OVERRIDE_TIMER_ENABLE_TICKBOX.setTicked(true);
    for (Control* c : std::initializer_list<Control*>{&w.OVERRIDE_TIMER_TEXTBOX, &w.AUTOSTART_OVERRIDE_TIMER_TICKBOX,
                                                      &w.USER_OVERRIDE_TIME_TEXTBOX, &w.START_OVERRIDE_BUTTON})
        EXPECT_TRUE(c->enabled()) << c->name();
    EXPECT_FALSE(w.USER_OVERRIDE_TIME_TEXTBOX.locked());
    w.AUTOSTART_OVERRIDE_TIMER_TICKBOX.setTicked(true);
    w.START_OVERRIDE_BUTTON.click();
    EXPECT_EQ(rig.h.stored("AUTOSTART_OVERRIDE_TIMER_TICKBOX"), "1");
    rig.h.fake.store.clearLog();

    w.OVERRIDE_TIMER_ENABLE_TICKBOX.setTicked(false);
    EXPECT_FALSE(w.OVERRIDE_TIMER.enabled());
    EXPECT_FALSE(w.AUTOSTART_OVERRIDE_TIMER_TICKBOX.ticked());
    EXPECT_TRUE(w.USER_OVERRIDE_TIME_TEXTBOX.locked());
    EXPECT_FALSE(w.START_OVERRIDE_BUTTON.enabled());
    EXPECT_EQ(w.START_OVERRIDE_BUTTON.caption(), "START");
    // The cascaded untick saves first, then the tick box itself.
    EXPECT_EQ(rig.h.fake.store.savedKeys("BTC1"),
              (std::vector<std::string>{"AUTOSTART_OVERRIDE_TIMER_TICKBOX", "OVERRIDE_TIMER_ENABLE_TICKBOX"}));
    EXPECT_EQ(rig.h.stored("AUTOSTART_OVERRIDE_TIMER_TICKBOX"), "0");
    EXPECT_EQ(rig.h.stored("OVERRIDE_TIMER_ENABLE_TICKBOX"), "0");
}

TEST(BlockCounter, TheOverrideResumesWhereItStoodAndFiresDuringACheck) {
    BlockCounterRig rig;
    rig.readings = {"700\r\n"};
    MainWindow& w = rig.start("700\r\n");
    w.OVERRIDE_TIMER_ENABLE_TICKBOX.setTicked(true);
    w.USER_OVERRIDE_TIME_TEXTBOX.setText("00:00:30");
    w.USER_COUNT_TIME_TEXTBOX.doubleClick();  // saves both intervals
    EXPECT_EQ(rig.h.fake.store.savedKeys("BTC1").back(), "USER_OVERRIDE_TIME_TEXTBOX");
    w.OVERRIDE_REMAINING = 30;
    w.START_OVERRIDE_BUTTON.click();
    EXPECT_EQ(w.START_OVERRIDE_BUTTON.tooltip(), "STOP BLOCKCOUNTER OVERRIDE TIMER");
    EXPECT_TRUE(w.USER_OVERRIDE_TIME_TEXTBOX.locked());
    rig.advance(5000);
    w.START_OVERRIDE_BUTTON.click();  // stop
    EXPECT_EQ(w.START_OVERRIDE_BUTTON.tooltip(), "START BLOCKCOUNTER OVERRIDE TIMER");
    rig.advance(5000);
    EXPECT_EQ(w.OVERRIDE_TIMER_TEXTBOX.text(), "00:00:25");
    w.START_OVERRIDE_BUTTON.click();

    // The double-click restarts it from its text, only while it runs.
    w.USER_OVERRIDE_TIME_TEXTBOX.setText("00:00:20");
    rig.h.fake.store.clearLog();
    w.USER_OVERRIDE_TIME_TEXTBOX.doubleClick();
    EXPECT_EQ(w.OVERRIDE_REMAINING, 20);
    EXPECT_EQ(rig.h.fake.store.savedKeys("BTC1"),
              (std::vector<std::string>{"USER_COUNT_TIME_TEXTBOX", "USER_OVERRIDE_TIME_TEXTBOX"}));

    w.FINISH_WHEN_IDENTICAL_TICKBOX.setTicked(true);
    rig.setInterval("00:00:10");
    rig.clickStart();
    ASSERT_TRUE(rig.runUntil([&] { return w.CHECKER_TIMER.enabled(); }));
    w.OVERRIDE_REMAINING = 1;  // the override fires in the middle of a check
    w.COMPLETED_TIMER.start();
    rig.h.fake.store.clearLog();
    ASSERT_TRUE(rig.runUntil([&] { return !w.OVERRIDE_TIMER.enabled(); }, 1000));
    EXPECT_TRUE(rig.runningStages().empty());
    EXPECT_EQ(w.OVERRIDE_TIMER_TEXTBOX.text(), "--:--:--");
    EXPECT_EQ(w.CURRENT_STATUS_LABEL.caption(), "!!! BLOCKCOUNTER - MORE BLOCKS THAN TIME !!!");
    EXPECT_EQ(w.BLOCKCOUNTER_LAST_RUN_TEXTBOX.text(), "!!! OVERRIDE TIMER ACTIVATED !!!");
    EXPECT_EQ(w.BLOCKCOUNTER_LAST_RUN_TEXTBOX.background(), colours::green) << "unchanged since the manual start";
    EXPECT_EQ(rig.h.stored("BLOCKCOUNTER_LAST_RUN"), "!!! OVERRIDE TIMER ACTIVATED !!!");
    EXPECT_EQ(w.taskLight(9).background(), colours::green);
    EXPECT_TRUE(w.taskTimer(9).enabled());
    EXPECT_EQ(rig.indicators(), "GNNN");

    // Started again, it runs a full interval instead of counting past zero.
    w.START_OVERRIDE_BUTTON.click();
    w.START_OVERRIDE_BUTTON.click();
    rig.advance(1000);
    EXPECT_EQ(w.OVERRIDE_TIMER_TEXTBOX.text(), "00:00:19");
}

TEST(BlockCounter, TheTooltipsRepeatTheValuesEverySecond) {
    BlockCounterRig rig;
    MainWindow& w = rig.start("700\r\n");
    w.RUNTIME_LABEL.setCaption("00:12:34");
    w.BLOCKCOUNT_LOG_END_TEXTBOX.setText("812345");
    rig.advance(1000);
    EXPECT_EQ(w.LAST_BLOCKCOUNT_TEXTBOX.tooltip(), "Last Block = 700\r\n");
    EXPECT_EQ(w.USER_COUNT_TIME_TEXTBOX.tooltip(), "GETBLOCKCOUNT Runs Every: 00:05:00");
    EXPECT_EQ(w.BLOCKCOUNT_TIMER_TEXTBOX.tooltip(), "Next GETBLOCKCOUNT Check In : ");
    EXPECT_EQ(w.RUNTIME_LABEL.tooltip(), "SYNCWARD Has Been Running For: 00:12:34");
    EXPECT_EQ(w.BLOCKCOUNT_LOG_END_TEXTBOX.tooltip(), "BlockCount Number At End: 812345");
    EXPECT_EQ(w.BC_FOLDER_SIZE_AFTER.tooltip(), "Blockchain Folder Size AFTER Update: !!! STILL TO RUN !!!");
}

TEST(BlockCounter, AStartByTheRunAfterADecisionAtZeroCountsAFullInterval) {
    BlockCounterRig rig;
    MainWindow& w = rig.start();
    rig.setInterval("00:00:04");
    rig.clickStart();
    rig.advance(4000);
    ASSERT_TRUE(w.GETBLOCKCOUNT_TIMER.enabled());
    w.FINISH_BLOCKCOUNTER_BUTTON.click();
    // The run's start continues from the value the last countdown left.
    w.BLOCKCOUNTER_COUNTDOWN_TIMER.start();
    rig.advance(1000);
    EXPECT_EQ(w.BLOCKCOUNT_TIMER_TEXTBOX.text(), "00:00:03");
}

}  // namespace
}  // namespace syncward::testing
