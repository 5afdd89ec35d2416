// Every run leaves one row in the run history, written by the real steps
// on virtual time: a completed run, one the node did not confirm, one
// stopped by hand, and one cut short, whose row the next start writes.
#include <gtest/gtest.h>

#include "block_counter_rig.h"
#include "core/power/power_autotimer.h"
#include "core/power/power_autotimer_window.h"
#include "core/run/run_history_recorder.h"
#include "core/reports/run_history.h"
#include "core/reports/run_history_columns.h"
#include "core/settings/email_main_settings_window.h"
#include "core/state/main_window_painter.h"

namespace syncward::testing {
namespace {

constexpr std::int64_t minutes = 60'000;
constexpr const char* chainFolder = "/srv/ltc";

// A daemon-only copy under POSIX that counts every 5 s, stops the node,
// reports and closes. The clock of the environment follows virtual time,
// and the chain folder grows from 1 GB to 1.5 GB while the node runs.
struct HistoryRun {
    HistoryRun() : rig(PlatformProfile::posix("/home/satoshi")) {
        rig.h.store("QT_NAME_TEXTBOX", "");
        for (const char* tick : {"TASK_8_ENABLE_TICKBOX", "FINISH_WHEN_IDENTICAL_TICKBOX", "TASK_11_ENABLE_TICKBOX",
                                 "TASK_19_ENABLE_TICKBOX", "RUN_DAEMON_TICKBOX"})
            rig.h.store(tick, "1");
        rig.h.store("USER_COUNT_TIME_TEXTBOX", "00:00:05");
        rig.h.store("BLOCKCHAIN_HOME_TEXTBOX", chainFolder);
        rig.h.fake.files.folderSizes[chainFolder] = 1'000'000'000;
        rig.h.fake.environment.zone = [](long long) { return 3600; };
        clock.onTick.connect([this] { rig.h.fake.environment.now += 1; });
        clock.start();
        rig.h.fake.launcher.onRun = [this, inner = rig.h.fake.launcher.onRun](const std::string& path) {
            if (path == commandFilePath(rig.h.fake.profile, rig.home, "BTC1", CommandFile::RunDaemon)) {
                rig.h.fake.processes.start(rig.daemon);
                rig.h.fake.files.folderSizes[chainFolder] = 1'500'000'000;
            }
            if (path == commandFilePath(rig.h.fake.profile, rig.home, "BTC1", CommandFile::CliStop) &&
                rig.h.fake.processes.processes.count(rig.daemon))
                rig.h.fake.processes.end(rig.daemon);
            inner(path);
        };
    }
    // The run ends with the power countdown instead of autoclose.
    void endsWithPowerAction(const std::string& action) {
        rig.h.store("TASK_19_ENABLE_TICKBOX", "0");
        rig.h.store("TASK_20_ENABLE_TICKBOX", "1");
        rig.h.store("AUTOTIMER_ACTION_TEXTBOX", action);
        rig.h.store("CLOSE_REQUEST_COUNTDOWN_TEXTBOX", "00:00:05");
    }
    void confirmingNode(long long height) {
        rig.h.fake.nodeAnswers.chains["chain\n"] = ChainState{height, height, false};
        rig.h.fake.nodeAnswers.peerLists["peers\n"] = PeerState{3, height};
        rig.nodeAnswer = BlockCounterRig::nodeCheckText("chain", "peers");
        for (int i = 0; i < 400; ++i) rig.readings.push_back(std::to_string(height) + "\n");
    }
    MainWindow& start(const std::string& lastCount = "600\n") {
        rig.h.start();
        setReading(rig.main(), &BlockReadings::lastAccepted, lastCount);
        rig.main().MULTILOADER_START_STOP_BUTTON.click();
        return rig.main();
    }
    bool ends() { return rig.runUntil([&] { return !rig.main().isOpen(); }, 65 * minutes); }
    std::string historyPath() const { return home_layout::runHistoryFile(rig.h.fake.profile, rig.home, "BTC1"); }
    bool keptUnderWay() const {
        return rig.h.fake.files.files.count(home_layout::runUnderWayFile(rig.h.fake.profile, rig.home, "BTC1")) > 0;
    }
    std::vector<RunRecord> history() {
        const HistoryRead read = parseHistory(rig.h.fake.files.files[historyPath()]);
        EXPECT_TRUE(read.ours);
        EXPECT_EQ(read.damagedLines, 0);
        return read.rows;
    }

    BlockCounterRig rig;
    Timer clock{rig.helper, "WALL_CLOCK", 1000};
};

TEST(RunHistoryRun, ACompletedRunLeavesOneRowWithItsRealFigures) {
    HistoryRun run;
    run.confirmingNode(700);
    const long long started = run.rig.h.fake.environment.now;
    run.start();
    ASSERT_TRUE(run.ends());
    const auto rows = run.history();
    ASSERT_EQ(rows.size(), 1u);
    const RunRecord& row = rows[0];
    EXPECT_GE(row.start, started);
    EXPECT_EQ(row.startOffset, 3600);
    EXPECT_GT(row.seconds(), 20) << "four readings five seconds apart and the steps";
    EXPECT_EQ(row.nodeProgram, "DAEMON - bitcoind");
    EXPECT_EQ(row.blocksBefore, 600);
    EXPECT_EQ(row.blocksAfter, 700);
    EXPECT_EQ(row.blocksDownloaded, 100);
    EXPECT_EQ(row.bytesBefore, 1'000'000'000u);
    EXPECT_EQ(row.bytesAfter, 1'500'000'000u);
    EXPECT_EQ(row.runOutcome, "!!! COMPLETED SUCCESSFULLY !!!");
    EXPECT_EQ(row.blockCounterOutcome, "!!! COMPLETED SUCCESSFULLY !!!");
    EXPECT_EQ(row.nodeCheck, "CONFIRMED");
    EXPECT_EQ(row.finalAction, "AUTOCLOSE");
    EXPECT_EQ(row.nodeExitSeconds, 1) << "the stand-in ends on the stop request, seen gone on the next second's look";
    EXPECT_TRUE(row.succeeded());
    EXPECT_FALSE(run.keptUnderWay()) << "nothing left under way";
    // The file starts with its header and holds whole lines only.
    const std::string& text = run.rig.h.fake.files.files[run.historyPath()];
    EXPECT_TRUE(text.starts_with(historyHeader() + "\n"));
    EXPECT_TRUE(text.ends_with("AUTOCLOSE," + std::to_string(row.nodeExitSeconds.value_or(-1)) + "\n"));
}

// A power action the system refuses leaves the computer on: the night's
// row, its stored outcome and the window say so, and the program stays
// open. A history line before the row, even a damaged one, stays as it was.
TEST(RunHistoryRun, ARefusedPowerActionIsToldInTheRowTheStoredOutcomeAndTheStatus) {
    HistoryRun run;
    run.confirmingNode(700);
    run.endsWithPowerAction("SHUTDOWN PC");
    run.rig.h.fake.files.files[run.historyPath()] = historyHeader() + "\nhalf a line written by hand\n";
    FakePowerSwitch& power = run.rig.h.fake.powerSwitch;
    power.answer = {false, "LOGIN MANAGER", "NOT ALLOWED OUTSIDE A DESKTOP SESSION"};
    MainWindow& w = run.start();
    ASSERT_TRUE(run.rig.runUntil([&] { return !power.requested.empty(); }, 10 * minutes));
    run.rig.runUntil([] { return false; }, 5'000);

    EXPECT_EQ(power.requested, std::vector<PowerAction>{PowerAction::Shutdown});
    EXPECT_TRUE(w.isOpen());
    EXPECT_EQ(w.CURRENT_STATUS_LABEL.caption(),
              "!!! POWER AUTOTIMER - SHUTDOWN PC - REFUSED BY THE SYSTEM (NOT ALLOWED OUTSIDE A DESKTOP SESSION) !!!");
    const std::string stored =
        "!!! COMPLETED SUCCESSFULLY - SHUTDOWN PC REFUSED BY THE SYSTEM (NOT ALLOWED OUTSIDE A DESKTOP SESSION) !!!";
    EXPECT_EQ(run.rig.h.stored("MULTILOADER_LAST_RUN_TEXTBOX"), stored);
    EXPECT_EQ(w.MULTILOADER_LAST_RUN_TEXTBOX.text(), stored);
    EXPECT_EQ(w.MULTILOADER_LAST_RUN_TEXTBOX.background(), colours::red);

    const std::string& text = run.rig.h.fake.files.files[run.historyPath()];
    EXPECT_TRUE(text.starts_with(historyHeader() + "\nhalf a line written by hand\n"));
    const HistoryRead read = parseHistory(text);
    ASSERT_EQ(read.rows.size(), 1u);
    EXPECT_EQ(read.rows[0].finalAction,
              "POWER AUTOTIMER - SHUTDOWN PC - REFUSED BY THE SYSTEM (NOT ALLOWED OUTSIDE A DESKTOP SESSION)");
    EXPECT_EQ(read.rows[0].runOutcome, "!!! COMPLETED SUCCESSFULLY !!!") << "what the sync achieved stays";

    // Taken, the row stays as the run wrote it.
    HistoryRun taken;
    taken.confirmingNode(700);
    taken.endsWithPowerAction("SHUTDOWN PC");
    taken.start();
    ASSERT_TRUE(taken.rig.runUntil([&] { return !taken.rig.h.app->powerAutotimer().countdownWindow().isOpen() &&
                                                !taken.rig.h.fake.powerSwitch.requested.empty(); },
                                   10 * minutes));
    ASSERT_EQ(taken.history().size(), 1u);
    EXPECT_EQ(taken.history()[0].finalAction, "POWER AUTOTIMER - SHUTDOWN PC");
    EXPECT_EQ(taken.rig.h.stored("MULTILOADER_LAST_RUN_TEXTBOX"), "!!! COMPLETED SUCCESSFULLY !!!");
}

// A run that catches up a missed start (at a login, while the user works;
// at a boot nobody watches) closes where the night's run would power off.
TEST(RunHistoryRun, ACaughtUpRunClosesInsteadOfItsPowerActionAndSaysSo) {
    HistoryRun run;
    run.confirmingNode(700);
    run.endsWithPowerAction("HIBERNATE PC");
    run.rig.h.store("AUTOSTART_TICKBOX", "1");
    run.rig.h.store("TASK_STATUS_TEXTBOX", "TASK-CREATED");
    run.rig.h.store("ENABLE_SCHED_TASK_TICKBOX", "1");
    run.rig.h.store("TASK_RUN_TIME_TEXTBOX", "02:30");
    run.rig.h.store("SUN_TICKBOX", "1");
    run.rig.h.store("LAST_RUN_START", "2020-01-05T02:30:10Z");
    run.rig.h.fake.crontab.programToRun = {"/home/satoshi/bin/BTC1", {}};
    run.rig.h.fake.crontab.table = "30 2 * * 0 '/home/satoshi/bin/BTC1' # SYNCWARD - BTC1\n";
    run.rig.h.app = std::make_unique<Application>(run.rig.h.fake.platform);
    ASSERT_TRUE(run.rig.h.app->startCatchingUp().run);
    setReading(run.rig.main(), &BlockReadings::lastAccepted, "600\n");
    const std::string closed = "CAUGHT UP AFTER A MISSED START - CLOSED INSTEAD OF HIBERNATE PC";
    EXPECT_EQ(run.rig.main().AUTOCLOSE_OR_POWER_AUTOTIMER_TEXTBOX.text(), closed);
    ASSERT_TRUE(run.ends());
    EXPECT_TRUE(run.rig.h.fake.powerSwitch.requested.empty());
    EXPECT_FALSE(run.rig.h.app->powerAutotimer().countdownWindow().isOpen());
    const auto rows = run.history();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].finalAction, closed);
    EXPECT_EQ(rows[0].runOutcome, "!!! COMPLETED SUCCESSFULLY !!!");
}

// A node that died before the stop request did not exit because of it:
// its row gives no exit time rather than the moment the watch saw it gone.
TEST(RunHistoryRun, ANodeGoneBeforeTheStopRequestHasNoExitTime) {
    HistoryRun run;
    for (int i = 0; i < 400; ++i) run.rig.readings.push_back("700\n");
    MainWindow& w = run.start();
    ASSERT_TRUE(run.rig.runUntil([&] { return w.NODE_SEEN_RUNNING; }, 10 * minutes));
    run.rig.h.fake.processes.end(run.rig.daemon);
    ASSERT_TRUE(run.ends());
    const auto rows = run.history();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].runOutcome, "!!! FINISHED - NODE STOPPED BEFORE THE CHAIN WAS CONFIRMED !!!");
    EXPECT_EQ(rows[0].nodeExitSeconds, std::nullopt);
}

TEST(RunHistoryRun, ARunTheNodeDidNotConfirmIsRecordedAsFailedWithTheNodesWord) {
    HistoryRun run;
    for (int i = 0; i < 400; ++i) run.rig.readings.push_back("700\n");
    run.rig.h.fake.nodeAnswers.chains["chain\n"] = ChainState{700, 700, false};
    run.rig.h.fake.nodeAnswers.peerLists["peers\n"] = PeerState{0, std::nullopt};
    run.rig.nodeAnswer = BlockCounterRig::nodeCheckText("chain", "peers");
    run.start();
    ASSERT_TRUE(run.ends());
    const auto rows = run.history();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].runOutcome, "!!! FINISHED - CHAIN NOT CONFIRMED - NO PEERS !!!");
    EXPECT_EQ(rows[0].blockCounterOutcome, "!!! OVERRIDE TIMER ACTIVATED - CHAIN NOT CONFIRMED - NO PEERS !!!");
    EXPECT_EQ(rows[0].nodeCheck, "NOT CONFIRMED - NO PEERS");
    EXPECT_FALSE(rows[0].succeeded());
    EXPECT_GE(rows[0].seconds(), 60 * 60) << "it ran to the hour's limit";
}

TEST(RunHistoryRun, AnOverriddenRunSaysSoInTheBlockCounterColumn) {
    HistoryRun run;
    run.rig.h.store("FINISH_WHEN_IDENTICAL_TICKBOX", "0");
    run.rig.h.store("AUTOSTART_OVERRIDE_TIMER_TICKBOX", "1");
    run.rig.h.store("USER_OVERRIDE_TIME_TEXTBOX", "00:01:00");
    run.rig.h.store("CONFIRM_WITH_NODE_TICKBOX", "0");
    for (int i = 0; i < 400; ++i) run.rig.readings.push_back("650\n");
    run.start();
    ASSERT_TRUE(run.ends());
    const auto rows = run.history();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].blockCounterOutcome, "!!! OVERRIDE TIMER ACTIVATED !!!");
    EXPECT_EQ(rows[0].blocksDownloaded, 50);
    EXPECT_EQ(rows[0].nodeCheck, "NOT ASKED");
}

TEST(RunHistoryRun, ARunCutShortIsWrittenAtTheNextStartAsFarAsItGot) {
    HistoryRun run;
    for (int i = 0; i < 400; ++i) run.rig.readings.push_back("650\n");
    MainWindow& w = run.start();
    // The crash: in the block-counting phase, the program is gone without
    // closing.
    ASSERT_TRUE(run.rig.runUntil([&] { return w.BLOCKCOUNTER_COUNTDOWN_TIMER.enabled(); }, minutes));
    run.rig.advance(30'000);
    EXPECT_TRUE(run.keptUnderWay());
    run.rig.h.app.reset();
    EXPECT_TRUE(run.rig.h.fake.files.files[run.historyPath()].empty()) << "nothing written by the crash";

    run.rig.h.start();
    const auto rows = run.history();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_TRUE(rows[0].runOutcome.starts_with("!!! RUN INTERRUPTED - STARTED ")) << rows[0].runOutcome;
    EXPECT_EQ(rows[0].blocksBefore, 600);
    EXPECT_EQ(rows[0].blocksAfter, std::nullopt) << "the run never logged its end count";
    EXPECT_EQ(rows[0].bytesBefore, 1'000'000'000u);
    EXPECT_EQ(rows[0].bytesAfter, std::nullopt);
    EXPECT_EQ(rows[0].nodeProgram, "DAEMON - bitcoind");
    EXPECT_FALSE(rows[0].succeeded());
    EXPECT_FALSE(run.keptUnderWay());

    // A third start writes it no second time.
    run.rig.h.app.reset();
    run.rig.h.start();
    EXPECT_EQ(run.history().size(), 1u);
}

TEST(RunHistoryRun, ARunStoppedByHandOrClosedIsRecordedOnceWithHowItEnded) {
    HistoryRun run;
    for (int i = 0; i < 400; ++i) run.rig.readings.push_back("650\n");
    MainWindow& w = run.start();
    run.rig.advance(15'000);
    w.MULTILOADER_START_STOP_BUTTON.click();
    auto rows = run.history();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].runOutcome, "!!! RUN STOPPED BY THE USER !!!");

    // The next start shows the stopped run so and writes no second row.
    // Then a run closed under way.
    run.rig.h.app.reset();
    MainWindow& again = run.start();
    run.rig.advance(15'000);
    again.EXIT_BUTTON.click();
    rows = run.history();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1].runOutcome, "!!! RUN CUT SHORT - PROGRAM CLOSED !!!");
}

// A run cut short mid-phase, after a run whose block counter completed:
// its row carries no word of that earlier run, and its end is the last
// moment it was known alive, not its last step.
TEST(RunHistoryRun, ARunCutShortMidPhaseCarriesNoEarlierOutcomeAndLastsUntilItWasLastAlive) {
    HistoryRun run;
    run.rig.h.store("BLOCKCOUNTER_LAST_RUN", "!!! COMPLETED SUCCESSFULLY !!!");
    run.rig.h.store("USER_COUNT_TIME_TEXTBOX", "00:05:00");  // no reading before the crash
    MainWindow& w = run.start();
    ASSERT_TRUE(run.rig.runUntil([&] { return w.BLOCKCOUNTER_COUNTDOWN_TIMER.enabled(); }, minutes));
    run.rig.advance(60'000);
    const long long killedAt = run.rig.h.fake.environment.now;
    run.rig.h.app.reset();

    run.rig.h.start();
    const auto rows = run.history();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].blockCounterOutcome, "") << "the earlier run's outcome";
    EXPECT_TRUE(rows[0].runOutcome.starts_with("!!! RUN INTERRUPTED - STARTED ")) << rows[0].runOutcome;
    EXPECT_LE(rows[0].end, killedAt);
    EXPECT_GE(rows[0].end, killedAt - 15) << "the end of its last step, " << rows[0].seconds() << " s";
    EXPECT_EQ(run.rig.main().BLOCKCOUNTER_LAST_RUN_TEXTBOX.text(), "!!! COMPLETED SUCCESSFULLY !!!")
        << "the box still shows the last phase that ended";
}

// A run that ended its phase, or changed the box by hand, before it was
// cut short keeps that word: it is its own.
TEST(RunHistoryRun, ARunCutShortAfterItsOwnBlockCounterOutcomeKeepsIt) {
    {
        HistoryRun run;
        run.rig.h.store("BLOCKCOUNTER_LAST_RUN", "!!! COMPLETED SUCCESSFULLY !!!");
        run.rig.h.store("USER_COUNT_TIME_TEXTBOX", "00:05:00");
        MainWindow& w = run.start();
        ASSERT_TRUE(run.rig.runUntil([&] { return w.BLOCKCOUNTER_COUNTDOWN_TIMER.enabled(); }, minutes));
        w.START_STOP_TIMER_BUTTON.click();  // the block counter stopped by hand: the run waits
        run.rig.advance(20'000);
        run.rig.h.app.reset();
        run.rig.h.start();
        const auto rows = run.history();
        ASSERT_EQ(rows.size(), 1u);
        EXPECT_EQ(rows[0].blockCounterOutcome, "!!! MANUAL STOP !!!");
    }
    {
        // The phase completed; the node then never stops, and the run
        // waits for it at the shutdown step until it is killed.
        HistoryRun run;
        run.rig.h.store("BLOCKCOUNTER_LAST_RUN", "!!! COMPLETED SUCCESSFULLY !!!");
        run.confirmingNode(700);
        run.rig.h.fake.launcher.onRun = [&run, inner = run.rig.h.fake.launcher.onRun](const std::string& path) {
            if (path != commandFilePath(run.rig.h.fake.profile, run.rig.home, "BTC1", CommandFile::CliStop)) inner(path);
        };
        MainWindow& w = run.start();
        ASSERT_TRUE(run.rig.runUntil([&] { return w.taskTimer(12).enabled(); }, 10 * minutes));
        run.rig.advance(5'000);
        run.rig.h.app.reset();
        run.rig.h.start();
        const auto rows = run.history();
        ASSERT_EQ(rows.size(), 1u);
        EXPECT_EQ(rows[0].blockCounterOutcome, "!!! COMPLETED SUCCESSFULLY !!!");
        EXPECT_EQ(rows[0].blocksAfter, 700);
    }
}

// STOP ends the run in the store too: the close box after it, the next
// start, the history and the next run's report all say it was stopped,
// never the success the box showed before, and never "interrupted".
TEST(RunHistoryRun, AStoppedRunIsStoppedInTheStoreTheHistoryAndTheNextReport) {
    HistoryRun run;
    run.rig.h.store("MULTILOADER_LAST_RUN_TEXTBOX", "!!! COMPLETED SUCCESSFULLY !!!");
    run.rig.h.store("BLOCKCOUNTER_LAST_RUN", "!!! COMPLETED SUCCESSFULLY !!!");
    MainWindow& w = run.start();
    run.rig.advance(15'000);
    w.MULTILOADER_START_STOP_BUTTON.click();
    EXPECT_EQ(w.MULTILOADER_LAST_RUN_TEXTBOX.text(), "!!! RUN STOPPED BY THE USER !!!");
    EXPECT_EQ(w.MULTILOADER_LAST_RUN_TEXTBOX.background(), colours::red);
    EXPECT_EQ(run.rig.h.stored("MULTILOADER_LAST_RUN_TEXTBOX"), "!!! RUN STOPPED BY THE USER !!!");
    w.close();  // the close box

    run.rig.h.app.reset();
    run.confirmingNode(700);
    MainWindow& next = run.start();
    EXPECT_EQ(next.MULTILOADER_LAST_RUN_TEXTBOX.text(), "!!! RUN STOPPED BY THE USER !!!");
    ASSERT_TRUE(run.ends());
    const auto rows = run.history();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].runOutcome, "!!! RUN STOPPED BY THE USER !!!");
    EXPECT_EQ(rows[0].blockCounterOutcome, "") << "stopped mid-phase: the earlier run's outcome";
    EXPECT_EQ(rows[1].runOutcome, "!!! COMPLETED SUCCESSFULLY !!!");
    const std::string report =
        run.rig.h.fake.files.files[home_layout::reportFile(run.rig.h.fake.profile, run.rig.home, "BTC1")];
    EXPECT_NE(report.find("MULTILOADER LAST RUN: !!! RUN STOPPED BY THE USER !!!"), std::string::npos) << report;
}

// A STOP whose save fails leaves the mark of a run under way, never a
// success, and says so; STOP after the run has ended stores nothing.
TEST(RunHistoryRun, AStopThatCannotBeStoredSaysSoAndAStopAfterTheEndStoresNothing) {
    HistoryRun run;
    run.rig.h.store("MULTILOADER_LAST_RUN_TEXTBOX", "!!! COMPLETED SUCCESSFULLY !!!");
    MainWindow& w = run.start();
    run.rig.advance(15'000);
    run.rig.h.fake.store.failingKeys.insert("MULTILOADER_LAST_RUN_TEXTBOX");
    w.MULTILOADER_START_STOP_BUTTON.click();
    EXPECT_TRUE(run.rig.h.stored("MULTILOADER_LAST_RUN_TEXTBOX")->starts_with("!!! RUN UNDER WAY - STARTED "));
    EXPECT_EQ(w.MULTILOADER_LAST_RUN_TEXTBOX.background(), colours::red);
    EXPECT_EQ(w.CURRENT_STATUS_LABEL.caption(), "!!! RUN STOPPED - NOT STORED - CHECK THE DISK !!!");
    ASSERT_FALSE(run.rig.h.fake.environment.errorLines.empty());
    EXPECT_NE(run.rig.h.fake.environment.errorLines.back().find("NOT STORED"), std::string::npos);

    HistoryRun ended;
    ended.confirmingNode(700);
    ended.rig.h.store("TASK_19_ENABLE_TICKBOX", "0");  // the window stays open after the run
    MainWindow& e = ended.start();
    auto& files = ended.rig.h.fake.files.files;
    ASSERT_TRUE(ended.rig.runUntil([&] { return files.count(ended.historyPath()) > 0; }, 10 * minutes));
    e.MULTILOADER_START_STOP_BUTTON.click();
    EXPECT_EQ(ended.rig.h.stored("MULTILOADER_LAST_RUN_TEXTBOX"), "!!! COMPLETED SUCCESSFULLY !!!");
    EXPECT_EQ(ended.history().size(), 1u);
}

// A full disk at the run's end: its row cannot be written, and the copy
// stays open. Once there is room again, closing it (by hand, or giving way
// to the next week's start) writes the row, once.
TEST(RunHistoryRun, ARowThatCouldNotBeWrittenIsWrittenWhenTheCopyLeftOpenCloses) {
    HistoryRun run;
    run.confirmingNode(700);
    run.rig.h.store("TASK_19_ENABLE_TICKBOX", "0");  // the window stays open after the run
    auto& files = run.rig.h.fake.files;
    files.unwritable.insert(run.historyPath());
    MainWindow& w = run.start();
    run.rig.advance(10 * minutes);
    ASSERT_TRUE(w.isOpen());
    ASSERT_FALSE(w.RUN_UNDER_WAY);
    EXPECT_EQ(files.files.count(run.historyPath()), 0u);

    files.unwritable.clear();
    w.close();
    const auto rows = run.history();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].runOutcome, "!!! COMPLETED SUCCESSFULLY !!!");
    EXPECT_EQ(rows[0].blocksAfter, 700);
    EXPECT_EQ(rows[0].finalAction, "!!! NO ACTION SET !!!");
    w.close();
    EXPECT_EQ(run.history().size(), 1u) << "written once";
}

// The block counter used by hand hands over to the last steps as a run's
// would, and they report and close; but no run started, so the history
// gains no row (it had one dated 1970).
TEST(RunHistoryRun, TheBlockCounterUsedByHandOutsideARunLeavesNoRow) {
    HistoryRun run;
    run.confirmingNode(700);
    run.rig.h.start();
    MainWindow& w = run.rig.main();
    setReading(w, &BlockReadings::lastAccepted, "600\n");
    w.START_STOP_TIMER_BUTTON.click();
    ASSERT_TRUE(run.ends()) << w.CURRENT_STATUS_LABEL.caption();
    EXPECT_TRUE(w.run.step(RunStep::createEndReport) == StepState::done) << "the last steps ran";
    EXPECT_EQ(run.rig.h.fake.files.files.count(run.historyPath()), 0u) << run.rig.h.fake.files.files[run.historyPath()];
    EXPECT_FALSE(run.keptUnderWay());
}

TEST(RunHistoryRun, TheReportMailCarriesTheLastRunsOnlyWhenAskedAndTheReportStaysAsDesigned) {
    for (const bool asked : {false, true}) {
        HistoryRun run;
        run.confirmingNode(700);
        if (asked) run.rig.h.store(EmailMainSettingsWindow::includeHistoryName, "1");
        MainWindow& w = run.start();
        ASSERT_TRUE(run.rig.runUntil([&] { return w.taskTimer(17).enabled(); }, 10 * minutes));
        const auto& files = run.rig.h.fake.files.files;
        const PlatformProfile& profile = run.rig.h.fake.profile;
        const std::string report = files.at(home_layout::reportFile(profile, run.rig.home, "BTC1"));
        EXPECT_EQ(report, w.LOG_FILE_OUTPUT_TEXTBOX.text() + "\n") << "the report file is the report alone";
        const auto mail = files.find(home_layout::reportMailFile(profile, run.rig.home, "BTC1"));
        if (!asked) {
            EXPECT_EQ(mail, files.end());
            continue;
        }
        ASSERT_NE(mail, files.end());
        EXPECT_TRUE(mail->second.starts_with(w.LOG_FILE_OUTPUT_TEXTBOX.text())) << "the report first";
        EXPECT_NE(mail->second.find("RUN HISTORY - LAST 1 RUNS:"), std::string::npos) << mail->second;
        EXPECT_NE(mail->second.find("100       1.50 GB     !!! COMPLETED SUCCESSFULLY !!!"), std::string::npos)
            << mail->second;
    }
}

}  // namespace
}  // namespace syncward::testing
