// The built program, unattended, where the set-up or the node is not what
// an earlier run left: each run ends by itself, and says what it did.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <thread>

#include "core/reports/run_history.h"
#include "core/reports/run_history_columns.h"
#include "e2e/program_run.h"
#include "e2e/regtest_node.h"
#include "e2e/standin_node.h"

namespace syncward::testing {
namespace {

namespace fs = std::filesystem;

// A copy set up for a whole run against a stand-in node, counting every
// two seconds; each test names its own copy.
struct StandinRun {
    StandinRun(const TempDir& dir, const std::string& name, bool knowsNodeCheck = true)
        : node(dir.path(), 1, knowsNodeCheck), program(dir, name) {
        fs::create_directories(dir / "chain");
        program.nodeCommandFiles(node.commandFields(program.configFile(), dir / "chain"), "0\n");
        program.unattendedRunSwitches("Fakecoin", "00:00:02");
    }
    ~StandinRun() { std::system(("pkill -KILL -x " + node.daemonName + " 2>/dev/null").c_str()); }
    std::string outcome() const { return program.storedSetting("MULTILOADER_LAST_RUN_TEXTBOX"); }
    std::string blockCounterOutcome() const { return program.storedSetting("BLOCKCOUNTER_LAST_RUN"); }
    // Waits up to 30 s for a started copy to mark its run under way.
    bool runMarkedUnderWay() const {
        for (int i = 0; i < 300 && outcome().find("RUN UNDER WAY") == std::string::npos; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        return outcome().find("RUN UNDER WAY") != std::string::npos;
    }

    StandinNode node;
    ProgramRun program;
};

void timed(const char* what, const ProgramRun& program) {
    std::cout << "[ timing ] " << what << ": " << (program.endedAtMs - program.startedAtMs) / 1000 << " s\n";
}

// A copy set up by an earlier version: no command file for the node check,
// and a history in the first release's columns. The run writes the command
// file, and the history goes on in the same file, its old rows kept.
TEST(RunEnds, AHomeFolderWrittenBeforeTheNodeCheckExistedCompletesConfirmed) {
    TempDir dir;
    StandinRun run(dir, "OLDHOME" + std::to_string(::getpid()));
    const std::string checkFile = run.program.homeFile("BATS", "-RUN-BLOCKCOUNTER-NODE-CHECK.sh");
    ASSERT_TRUE(fs::remove(checkFile));
    const std::string historyFile = run.program.homeFile("REPORTS", "-RUN-HISTORY.csv");
    const std::string oldRow =
        "2026-11-29T04:30:00+01:00,2026-11-29T04:41:12+01:00,672,DAEMON - fakecoind,100,160,60,4096,8192,"
        "!!! COMPLETED SUCCESSFULLY !!!,!!! COMPLETED SUCCESSFULLY !!!,CONFIRMED,AUTOCLOSE";
    {
        fs::create_directories(fs::path(historyFile).parent_path());
        std::ofstream(historyFile) << "start,end,run_seconds,node_program,blocks_before,blocks_after,"
                                      "blocks_downloaded,folder_bytes_before,folder_bytes_after,"
                                      "block_counter_outcome,run_outcome,node_check,final_action\n"
                                   << oldRow << "\n";
    }

    ASSERT_EQ(run.program.run(180), 0) << "the run did not close itself";
    timed("earlier layout", run.program);
    EXPECT_EQ(run.blockCounterOutcome(), "!!! COMPLETED SUCCESSFULLY !!!");
    EXPECT_EQ(run.outcome(), "!!! COMPLETED SUCCESSFULLY !!!");
    EXPECT_NE(readWholeFile(checkFile).find(run.node.cliName + "' -conf="), std::string::npos);
    EXPECT_EQ(fs::status(checkFile).permissions() & fs::perms::group_all, fs::perms::none);

    const std::string history = readWholeFile(historyFile);
    EXPECT_TRUE(history.starts_with(historyHeader() + "\n")) << history;
    EXPECT_NE(history.find("\n" + oldRow + ",\n"), std::string::npos) << "the old row, its new column empty";
    const HistoryRead read = parseHistory(history);
    ASSERT_EQ(read.rows.size(), 2u) << history;
    EXPECT_EQ(read.damagedLines, 0);
    EXPECT_EQ(read.rows[1].runOutcome, "!!! COMPLETED SUCCESSFULLY !!!");
    EXPECT_TRUE(read.rows[1].nodeExitSeconds) << "the run asked the node to stop and saw it exit";
    EXPECT_FALSE(fs::exists(run.program.homeFile("REPORTS", "-RUN-HISTORY-2.csv")));
}

TEST(RunEnds, AClientWithoutTheNodeChecksCallsEndsAsAPartialCheck) {
    TempDir dir;
    StandinRun run(dir, "OLDNODE" + std::to_string(::getpid()), false);
    ASSERT_EQ(run.program.run(180), 0) << "the run did not close itself";
    timed("no check calls", run.program);
    EXPECT_EQ(run.blockCounterOutcome(),
              "!!! COMPLETED SUCCESSFULLY - PARTIAL NODE CHECK, NOT CHECKED: ALL - THE NODE CANNOT ANSWER "
              "(NODE KNOWS NO GETBLOCKCHAININFO) !!!");
}

// A real daemon that refuses to start: its data folder does not exist. The
// daemon's command file sends its words into the node log.
TEST(RunEnds, ADaemonThatCannotStartEndsTheRunRedWithItsOwnWords) {
    TempDir dir;
    OwnLitecoinNames names(dir / "bin");
    ProgramRun program(dir, "NOSTART" + std::to_string(::getpid()));
    NodeCommandFields fields;
    fields.daemonCliFolder = names.folder;
    fields.daemonName = names.daemonName;
    fields.cliName = names.cliName;
    fields.confFile = program.configFile();
    fields.dataFolder = dir / "no-such-folder";
    fields.nodeLogFile = program.homeFile("LOGS", "-NODE.LOG");
    std::ofstream(program.configFile()) << "regtest=1\n[regtest]\nrpcbind=127.0.0.1\nrpcallowip=127.0.0.1\n";
    program.nodeCommandFiles(fields, "100\n");
    program.unattendedRunSwitches("Litecoin", "00:00:02");

    ASSERT_EQ(program.run(180), 0) << "the run did not close itself";
    timed("daemon that cannot start", program);
    const std::string outcome = program.storedSetting("MULTILOADER_LAST_RUN_TEXTBOX");
    EXPECT_TRUE(outcome.starts_with("!!! FINISHED - NODE NEVER RAN - SEE " + fields.nodeLogFile + ": Error:")) << outcome;
    EXPECT_NE(outcome.find("does not exist"), std::string::npos) << outcome;
    const std::string report = readWholeFile(program.homeFile("REPORTS", "-END-REPORT.LOG"));
    EXPECT_NE(report.find("BLOCKCOUNTER LAST RUN: !!! FINISHED - NODE NEVER RAN"), std::string::npos) << report;
    EXPECT_EQ(fs::status(fields.nodeLogFile).permissions() & fs::perms::group_all, fs::perms::none);
}

// A weekly start keeps the display it was set up with; that display is gone.
TEST(RunEnds, ADisplayThatIsGoneRunsOffscreenAndCompletes) {
    TempDir dir;
    StandinRun run(dir, "NODISP" + std::to_string(::getpid()));
    const std::string errors = dir / "stderr";
    const int pid = run.program.start({{"DISPLAY", ":87"}, {"QT_QPA_PLATFORM", ""}, {"WAYLAND_DISPLAY", ""}}, errors);
    ASSERT_EQ(run.program.wait(pid, 180), 0) << readWholeFile(errors);
    EXPECT_NE(readWholeFile(errors).find("the display (:87) cannot be opened; running offscreen"), std::string::npos)
        << readWholeFile(errors);
    EXPECT_EQ(run.outcome(), "!!! COMPLETED SUCCESSFULLY !!!");
}

// A run whose report could not be written leaves its copy open, red; the
// next start of the same copy has it give way and runs.
TEST(RunEnds, ACopyLeftOpenAfterAFailedRunGivesWayToTheNextStart) {
    TempDir dir;
    StandinRun run(dir, "GIVEWAY" + std::to_string(::getpid()));
    const fs::path reports = run.program.home() + "/REPORTS";
    fs::remove_all(reports);
    const int first = run.program.start();
    for (int i = 0; i < 1500 && run.outcome().find("NOT WRITTEN") == std::string::npos; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    ASSERT_EQ(run.outcome(), "!!! COMPLETED - REPORT OR SETTINGS NOT WRITTEN - CHECK THE DISK !!!");
    std::this_thread::sleep_for(std::chrono::seconds(13));  // past the autoclose countdown: it stays open
    ASSERT_EQ(::waitpid(first, nullptr, WNOHANG), 0) << "the failed run closed itself";

    fs::create_directories(reports);
    const int second = run.program.start();
    EXPECT_EQ(run.program.wait(first, 30), 0) << "the first copy did not give way";
    ASSERT_EQ(run.program.wait(second, 180), 0) << "the second start did not run to its end";
    EXPECT_EQ(run.outcome(), "!!! COMPLETED SUCCESSFULLY !!!");
}

// While a run is under way, a second start is still turned away.
TEST(RunEnds, ACopyWithARunUnderWayTurnsASecondStartAway) {
    TempDir dir;
    StandinRun run(dir, "BUSY" + std::to_string(::getpid()));
    const int first = run.program.start();
    ASSERT_TRUE(run.runMarkedUnderWay());
    EXPECT_EQ(run.program.wait(run.program.start(), 40), 3);
    EXPECT_EQ(run.program.wait(first, 180), 0);
    EXPECT_EQ(run.outcome(), "!!! COMPLETED SUCCESSFULLY !!!");
}

// A copy told to end by the system in the middle of its run: the store
// keeps the mark of a run under way, for the next start and the scheduled
// start to see, while the history already says how the run ended.
TEST(RunEnds, ARunEndedBySigtermIsCutShortInTheHistoryAndStillUnderWayInTheStore) {
    TempDir dir;
    StandinRun run(dir, "TERM" + std::to_string(::getpid()));
    const int pid = run.program.start();
    ASSERT_TRUE(run.runMarkedUnderWay());
    std::this_thread::sleep_for(std::chrono::seconds(3));  // into the run's steps
    ::kill(pid, SIGTERM);
    EXPECT_EQ(run.program.wait(pid, 30), 0) << "a SIGTERM closes the window as the user would";

    EXPECT_TRUE(run.outcome().starts_with("!!! RUN UNDER WAY - STARTED ")) << run.outcome();
    const HistoryRead read = parseHistory(readWholeFile(run.program.homeFile("REPORTS", "-RUN-HISTORY.csv")));
    ASSERT_EQ(read.rows.size(), 1u);
    EXPECT_EQ(read.rows[0].runOutcome, "!!! RUN CUT SHORT - PROGRAM CLOSED !!!");
}


// The weekly start runs outside any desktop session, where the system asks
// a password for a power-off that nobody can give. The refusal is the
// night's last word: in the store for the next start, in the run's history
// row, and the program stays open instead of claiming the computer is off.
TEST(RunEnds, APowerActionTheSystemRefusesIsRecordedAsRefusedAndTheCopyStaysOpen) {
    TempDir dir;
    StandinRun run(dir, "REFUSED" + std::to_string(::getpid()));
    run.program.setting("TASK_19_ENABLE_TICKBOX", "0");
    run.program.setting("TASK_20_ENABLE_TICKBOX", "1");
    run.program.setting("AUTOTIMER_ACTION_TEXTBOX", "SHUTDOWN PC");
    run.program.setting("CLOSE_REQUEST_COUNTDOWN_TEXTBOX", "00:00:02");
    fs::create_directories(dir / "standins");
    const std::string record = dir / "power-calls";
    const std::string systemctl = dir / "standins/systemctl";
    std::ofstream(systemctl) << "#!/bin/sh\necho \"$*\" >> '" << record
                             << "'\necho 'Call to PowerOff failed: Interactive authentication required.' >&2\nexit 1\n";
    fs::permissions(systemctl, fs::perms::owner_all);
    run.program.pathFront = dir / "standins";

    const int pid = run.program.start();
    const std::string refused =
        "!!! COMPLETED SUCCESSFULLY - SHUTDOWN PC REFUSED BY THE SYSTEM (NOT ALLOWED OUTSIDE A DESKTOP SESSION) !!!";
    for (int i = 0; i < 1800 && run.outcome() != refused; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(run.outcome(), refused);
    EXPECT_EQ(readWholeFile(record), "poweroff\n");
    EXPECT_EQ(::waitpid(pid, nullptr, WNOHANG), 0) << "the copy closed as if the computer were going down";
    const HistoryRead read = parseHistory(readWholeFile(run.program.homeFile("REPORTS", "-RUN-HISTORY.csv")));
    ASSERT_EQ(read.rows.size(), 1u);
    EXPECT_EQ(read.rows[0].finalAction,
              "POWER AUTOTIMER - SHUTDOWN PC - REFUSED BY THE SYSTEM (NOT ALLOWED OUTSIDE A DESKTOP SESSION)");
    ::kill(pid, SIGTERM);
    EXPECT_EQ(run.program.wait(pid, 30), 0);
}

}  // namespace
}  // namespace syncward::testing
