// An unattended run ends, whatever the node does, and its outcome is true:
// a success only for a chain the node confirmed, or a partial check that
// says so. Each case runs the real steps on virtual time.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "block_counter_rig.h"
#include "core/blockcounter/block_counter_texts.h"

namespace syncward::testing {
namespace {

constexpr std::int64_t minutes = 60'000;

// A daemon-only copy under POSIX: start, count every 5 s, confirm with the
// node, stop it, report and close; the run limit is one hour, the
// override's default, with the override itself unticked.
struct UnattendedRun {
    UnattendedRun() : rig(PlatformProfile::posix("/home/satoshi")) {
        rig.h.store("QT_NAME_TEXTBOX", "");
        for (const char* tick : {"TASK_8_ENABLE_TICKBOX", "FINISH_WHEN_IDENTICAL_TICKBOX", "TASK_11_ENABLE_TICKBOX",
                                 "TASK_19_ENABLE_TICKBOX", "RUN_DAEMON_TICKBOX"})
            rig.h.store(tick, "1");
        rig.h.store("USER_COUNT_TIME_TEXTBOX", "00:00:05");
        // The node's programs: the daemon runs while started and not stopped.
        daemonExit.onTick.connect([this] {
            daemonExit.stop();
            rig.h.fake.processes.end(rig.daemon);
        });
        rig.h.fake.launcher.onRun = [this, inner = rig.h.fake.launcher.onRun](const std::string& path) {
            if (path == file(CommandFile::RunDaemon) && daemonStarts) rig.h.fake.processes.start(rig.daemon);
            if (path == file(CommandFile::RunDaemon) && daemonLivesMs > 0) {
                daemonExit.setInterval(daemonLivesMs);
                daemonExit.start();
            }
            if (path == file(CommandFile::CliStop) && rig.h.fake.processes.processes.count(rig.daemon))
                rig.h.fake.processes.end(rig.daemon);
            inner(path);
        };
    }
    // Four readings of 700 that agree, and a node with peers that confirms.
    void caughtUpAt700() {
        rig.readings = {"700\n", "700\n", "700\n", "700\n"};
        rig.h.fake.nodeAnswers.chains["chain\n"] = ChainState{700, 700, false};
        rig.h.fake.nodeAnswers.peerLists["peers\n"] = PeerState{3, 700};
        rig.nodeAnswer = BlockCounterRig::nodeCheckText("chain", "peers");
    }
    std::string file(CommandFile which) const {
        return commandFilePath(rig.h.fake.profile, rig.home, "BTC1", which);
    }
    MainWindow& run() {
        rig.h.start();
        MainWindow& w = rig.main();
        rig.recordStatuses();
        w.MULTILOADER_START_STOP_BUTTON.click();
        return w;
    }
    // Runs until the program closes, at most the limit plus five minutes.
    bool ends() { return rig.runUntil([&] { return !rig.main().isOpen(); }, 65 * minutes); }
    std::string outcome() const { return rig.h.stored("MULTILOADER_LAST_RUN_TEXTBOX").value_or(""); }
    std::string blockCounterOutcome() const { return rig.h.stored("BLOCKCOUNTER_LAST_RUN").value_or(""); }
    bool saw(const std::string& statusStart) const {
        return std::any_of(rig.statuses.begin(), rig.statuses.end(),
                           [&](const std::string& s) { return s.starts_with(statusStart); });
    }

    BlockCounterRig rig;
    bool daemonStarts = true;
    int daemonLivesMs = 0;  // 0: until it is stopped
    Timer daemonExit{rig.helper, "DAEMON_EXIT"};
};

std::string reading(long long height) { return std::to_string(height) + "\n"; }

TEST(RunAlwaysEnds, AHomeWrittenBeforeTheNodeCheckGetsItsCommandFileAndCompletesConfirmed) {
    UnattendedRun run;
    run.caughtUpAt700();
    // The crypto settings as an earlier version stored them; no node-check file.
    run.rig.h.store("DAEMON_CLI_LOCATION_TEXTBOX", "/usr/bin");
    run.rig.h.store("BLOCKCHAIN_HOME_TEXTBOX", "/srv/ltc");
    MainWindow& w = run.run();
    ASSERT_TRUE(run.ends());
    EXPECT_EQ(run.outcome(), "!!! COMPLETED SUCCESSFULLY !!!");
    EXPECT_TRUE(run.saw("!!! BLOCKCOUNTER - NODE CHECK COMMAND FILE WAS MISSING - WRITTEN FROM THE CRYPTO SETTINGS !!!"));
    const std::string& written = run.rig.h.fake.files.files[run.file(CommandFile::NodeCheck)];
    EXPECT_NE(written.find("'/usr/bin/bitcoin-cli' -conf='/home/satoshi/QUORVEL-ROOT/SYNCWARD/CONFIGS/BTC1-CRYPTO-CONFIG.conf' -datadir='/srv/ltc' getblockchaininfo"),
              std::string::npos)
        << written;
    EXPECT_EQ(run.rig.nodeChecks, 1);
    (void)w;
}

TEST(RunAlwaysEnds, ANodeThatCannotAnswerTheCheckCompletesAsAPartialCheckAfterThreeTries) {
    UnattendedRun run;
    for (int i = 0; i < 12; ++i) run.rig.readings.push_back(reading(700));
    run.rig.nodeAnswer = BlockCounterRig::nodeCheckText("error code: -32601\nerror message:\nMethod not found",
                                                        "error code: -32601");
    run.run();
    ASSERT_TRUE(run.ends());
    EXPECT_EQ(run.rig.nodeChecks, 3);
    const std::string partial =
        "!!! COMPLETED SUCCESSFULLY - PARTIAL NODE CHECK, NOT CHECKED: ALL - THE NODE CANNOT ANSWER "
        "(NODE KNOWS NO GETBLOCKCHAININFO) !!!";
    EXPECT_EQ(run.blockCounterOutcome(), partial);
    EXPECT_EQ(run.outcome(), "!!! COMPLETED SUCCESSFULLY !!!");
}

TEST(RunAlwaysEnds, ARefusedLoginIsNotACheckTheNodeCannotAnswerAndEndsAtTheLimitNotConfirmed) {
    UnattendedRun run;
    for (int i = 0; i < 400; ++i) run.rig.readings.push_back(reading(700));
    run.rig.nodeAnswer = BlockCounterRig::nodeCheckText("error: Authorization failed: Incorrect rpcuser or rpcpassword",
                                                        "error: Authorization failed");
    MainWindow& w = run.run();
    ASSERT_TRUE(run.rig.runUntil([&] { return w.OVERRIDE_TIMER.enabled(); }, 20'000));
    EXPECT_TRUE(w.OVERRIDE_TIMER_TEXTBOX.enabled()) << "the limit shows while it runs";
    ASSERT_TRUE(run.ends());
    EXPECT_GT(run.rig.nodeChecks, 3);
    EXPECT_EQ(run.outcome(), "!!! FINISHED - CHAIN NOT CONFIRMED - NODE GAVE NO CHAIN STATE !!!");
    EXPECT_FALSE(w.OVERRIDE_TIMER_TEXTBOX.enabled()) << "back to its switch";
}

TEST(RunAlwaysEnds, ANodeWithoutPeersOrWithoutAUsableCountEndsAtTheLimitNotConfirmed) {
    UnattendedRun noPeers;
    for (int i = 0; i < 400; ++i) noPeers.rig.readings.push_back(reading(700));
    noPeers.rig.h.fake.nodeAnswers.chains["chain\n"] = ChainState{700, 700, false};
    noPeers.rig.h.fake.nodeAnswers.peerLists["peers\n"] = PeerState{0, std::nullopt};
    noPeers.rig.nodeAnswer = BlockCounterRig::nodeCheckText("chain", "peers");
    noPeers.run();
    const auto t0 = noPeers.rig.loop().now();
    ASSERT_TRUE(noPeers.ends());
    EXPECT_LT(noPeers.rig.loop().now() - t0, 62 * minutes);
    EXPECT_EQ(noPeers.blockCounterOutcome(), "!!! OVERRIDE TIMER ACTIVATED - CHAIN NOT CONFIRMED - NO PEERS !!!");
    EXPECT_EQ(noPeers.outcome(), "!!! FINISHED - CHAIN NOT CONFIRMED - NO PEERS !!!");

    // A new node at height 0 that finds no peer never gives a usable count.
    UnattendedRun atZero;
    for (int i = 0; i < 800; ++i) atZero.rig.readings.push_back(reading(0));
    atZero.run();
    ASSERT_TRUE(atZero.ends());
    EXPECT_EQ(atZero.outcome(), "!!! FINISHED - CHAIN NOT CONFIRMED - NO USABLE BLOCK COUNT !!!");
    EXPECT_EQ(atZero.rig.nodeChecks, 0);
}

// The run limit runs on the override's timer. Switching the override off
// (its tick box, or its STOP) keeps the limit of a run that started by
// itself, saying so; a run started by hand loses it, and is told.
TEST(RunAlwaysEnds, TheOverrideSwitchedOffKeepsTheLimitOfARunThatStartedByItself) {
    const auto switchedOff = [](bool autostart, bool byTickBox) {
        auto run = std::make_unique<UnattendedRun>();
        run->rig.h.store("AUTOSTART_TICKBOX", autostart ? "1" : "0");
        run->rig.h.store("OVERRIDE_TIMER_ENABLE_TICKBOX", "1");
        for (int i = 0; i < 1600; ++i) run->rig.readings.push_back(reading(700 + i));  // never agree
        if (autostart) {  // the run starts after the autostart countdown
            run->rig.h.start();
            run->rig.recordStatuses();
        } else {
            run->run();
        }
        MainWindow& w = run->rig.main();
        EXPECT_TRUE(run->rig.runUntil([&] { return w.PHASE_LIMIT; }, 5 * minutes));
        if (byTickBox)
            w.OVERRIDE_TIMER_ENABLE_TICKBOX.setValue(0);  // as unticking it does
        else
            w.START_OVERRIDE_BUTTON.click();
        return run;
    };
    for (const bool byTickBox : {true, false}) {
        auto kept = switchedOff(true, byTickBox);
        EXPECT_TRUE(kept->saw(block_texts::runLimitKept));
        ASSERT_TRUE(kept->ends()) << "the limit still ends the phase";
        EXPECT_EQ(kept->outcome(), "!!! FINISHED - CHAIN NOT CONFIRMED - BLOCK COUNTS NEVER AGREED WITHIN THE RUN LIMIT !!!");

        auto dropped = switchedOff(false, byTickBox);
        EXPECT_TRUE(dropped->saw(block_texts::runLimitOff));
        EXPECT_FALSE(dropped->rig.main().PHASE_LIMIT);
        EXPECT_FALSE(dropped->ends()) << "without a limit the counts that never agree keep it counting";
    }
}

TEST(RunAlwaysEnds, ADaemonThatNeverRunsEndsThePhaseRedWithTheNodesOwnWords) {
    UnattendedRun run;
    run.daemonLivesMs = 1200;  // a moment in the list, as with a data folder that does not exist
    run.rig.h.fake.files.files["/home/satoshi/QUORVEL-ROOT/SYNCWARD/LOGS/BTC1-NODE.LOG"] =
        "Error: Specified data directory \"/srv/none\" does not exist.\n";
    MainWindow& w = run.run();
    ASSERT_TRUE(run.rig.runUntil([&] { return !w.isOpen(); }, 5 * minutes));
    const std::string why =
        "NODE NEVER RAN - SEE /home/satoshi/QUORVEL-ROOT/SYNCWARD/LOGS/BTC1-NODE.LOG: Error: Specified data "
        "directory \"/srv/none\" does not exist.";
    EXPECT_EQ(run.outcome(), "!!! FINISHED - " + why + " !!!");
    EXPECT_TRUE(run.saw("!!! BC - QT / DAEMON ERROR - " + why + " !!!"));
    EXPECT_NE(w.LOG_FILE_OUTPUT_TEXTBOX.text().find("BLOCKCOUNTER LAST RUN: !!! FINISHED - " + why),
              std::string::npos);

    // A command file that cannot even be started is said so at step 7.
    UnattendedRun unstartable;
    unstartable.rig.h.fake.launcher.failStarts = true;
    MainWindow& u = unstartable.run();
    ASSERT_TRUE(unstartable.rig.runUntil([&] { return !u.isOpen(); }, 5 * minutes));
    EXPECT_TRUE(unstartable.saw("!!! DAEMON COMMAND FILE COULD NOT BE STARTED - SAVE THE CRYPTO SETTINGS !!!"));
    EXPECT_EQ(unstartable.outcome(), "!!! FINISHED - NODE NEVER RAN - DAEMON COMMAND FILE COULD NOT BE STARTED !!!");
}

// Without the LOGS folder the shell refuses the node's line before the node
// starts: the run names the folder, and only a folder that is missing.
TEST(RunAlwaysEnds, ANodeWhoseOutputFolderIsMissingEndsNamingTheFolder) {
    const std::string home = "/home/satoshi/QUORVEL-ROOT/SYNCWARD";
    UnattendedRun run;
    run.daemonStarts = false;
    run.rig.h.fake.files.folders.insert(home + "/BLOCKCOUNTS");
    MainWindow& w = run.run();
    ASSERT_TRUE(run.rig.runUntil([&] { return !w.isOpen(); }, 5 * minutes));
    EXPECT_EQ(run.outcome(), "!!! FINISHED - NODE NEVER RAN - FOLDER MISSING: " + home +
                                 "/LOGS - MAIN SETTINGS: CREATE FOLDERS !!!");

    UnattendedRun withFolders;
    withFolders.daemonStarts = false;
    withFolders.rig.h.fake.files.folders.insert({home + "/BLOCKCOUNTS", home + "/LOGS"});
    MainWindow& f = withFolders.run();
    ASSERT_TRUE(withFolders.rig.runUntil([&] { return !f.isOpen(); }, 5 * minutes));
    EXPECT_EQ(withFolders.outcome(), "!!! FINISHED - NODE NEVER RAN !!!");
}

TEST(RunAlwaysEnds, ANodeThatDiesMidSyncIsNoSuccessWithOrWithoutAQtName) {
    for (const bool qtNamed : {false, true}) {
        UnattendedRun run;
        if (qtNamed) run.rig.h.store("QT_NAME_TEXTBOX", "bitcoin-qt");
        for (long long height = 10; height < 400; ++height) run.rig.readings.push_back(reading(height));
        MainWindow& w = run.run();
        ASSERT_TRUE(run.rig.runUntil([&] { return w.READING_SEEN; }, 5 * minutes));
        run.rig.h.fake.processes.end(run.rig.daemon);
        ASSERT_TRUE(run.rig.runUntil([&] { return !w.isOpen(); }, 5 * minutes)) << qtNamed;
        EXPECT_EQ(run.outcome(), "!!! FINISHED - NODE STOPPED BEFORE THE CHAIN WAS CONFIRMED !!!") << qtNamed;
    }
}

TEST(RunAlwaysEnds, AClientThatHangsIsEndedAfterTwoMinutesAndCountsAsNoReading) {
    UnattendedRun run;
    run.rig.readings = {reading(700)};
    run.rig.clientRunMs = 3'600'000;  // never ends by itself
    MainWindow& w = run.run();
    ASSERT_TRUE(run.rig.runUntil([&] { return w.CLI_PROCESS_WATCHER_TIMER.enabled(); }, minutes));
    run.rig.advance(119'750);
    EXPECT_TRUE(run.rig.h.fake.processes.terminated.empty());
    run.rig.advance(250);
    EXPECT_EQ(run.rig.h.fake.processes.terminated, std::vector<std::string>{run.rig.cli});
    EXPECT_TRUE(run.saw("!!! BLOCKCOUNTER - CLIENT HUNG - ENDED AFTER 2 MINUTES - NO READING !!!"));
    EXPECT_EQ(w.CURRENT_BLOCK_TEXTBOX.text(), "") << "the old answer is not taken for a new one";
}

TEST(RunAlwaysEnds, ARunUnderWayIsStoredAndFoundInterruptedAtTheNextStart) {
    UnattendedRun run;
    run.rig.h.fake.environment.date = "08/12/2026";
    run.rig.h.fake.environment.time = "02:30:00";
    MainWindow& w = run.run();
    run.rig.advance(2000);
    EXPECT_EQ(run.outcome(), "!!! RUN UNDER WAY - STARTED 08/12/2026 02:30:00 !!!");
    EXPECT_EQ(w.MULTILOADER_LAST_RUN_TEXTBOX.text(), "") << "the box keeps the last run's outcome for the report";

    // The process is killed here; the next start finds the marker.
    AppHarness next(PlatformProfile::posix("/home/satoshi"));
    next.store("MULTILOADER_LAST_RUN_TEXTBOX", *run.rig.h.stored("MULTILOADER_LAST_RUN_TEXTBOX"));
    next.start();
    EXPECT_EQ(next.main().MULTILOADER_LAST_RUN_TEXTBOX.text(),
              "!!! RUN INTERRUPTED - STARTED 08/12/2026 02:30:00 - IT DID NOT END !!!");
    EXPECT_EQ(next.main().MULTILOADER_LAST_RUN_TEXTBOX.background(), colours::red);
}

TEST(RunAlwaysEnds, AReportThatCannotBeWrittenIsNeverStoredAsASuccessAndIsSaidOnStandardError) {
    UnattendedRun run;
    run.caughtUpAt700();
    run.rig.h.fake.files.unwritable.insert("/home/satoshi/QUORVEL-ROOT/SYNCWARD/REPORTS/BTC1-END-REPORT.LOG");
    MainWindow& w = run.run();
    ASSERT_TRUE(run.rig.runUntil([&] { return w.taskLight(19).background() == colours::green; }, 10 * minutes));
    run.rig.advance(15'000);
    EXPECT_TRUE(w.isOpen()) << "left open, red, for whoever looks next";
    EXPECT_EQ(run.outcome(), "!!! COMPLETED - REPORT OR SETTINGS NOT WRITTEN - CHECK THE DISK !!!");
    EXPECT_EQ(w.MULTILOADER_LAST_RUN_TEXTBOX.background(), colours::red);
    ASSERT_FALSE(run.rig.h.fake.environment.errorLines.empty());
    EXPECT_NE(run.rig.h.fake.environment.errorLines.back().find("CHECK THE DISK"), std::string::npos);
}

// The outcome is stored before the close's own settings; when one of those
// then fails, the store must not keep saying success behind the red window.
TEST(RunAlwaysEnds, ACloseSettingThatCannotBeStoredAfterTheOutcomeLeavesNoSuccessStored) {
    UnattendedRun run;
    run.caughtUpAt700();
    MainWindow& w = run.run();
    ASSERT_TRUE(run.rig.runUntil([&] { return w.taskLight(19).background() == colours::green; }, 10 * minutes));
    run.rig.h.fake.store.failingKeys.insert("RUN_QT_OR_D_TEXTBOX");
    run.rig.advance(15'000);
    EXPECT_TRUE(w.isOpen());
    EXPECT_EQ(w.MULTILOADER_LAST_RUN_TEXTBOX.background(), colours::red);
    EXPECT_EQ(run.outcome(), "!!! COMPLETED - REPORT OR SETTINGS NOT WRITTEN - CHECK THE DISK !!!");
}

}  // namespace
}  // namespace syncward::testing
