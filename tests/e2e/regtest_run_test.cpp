#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <regex>
#include <thread>
#include <ctime>

#include "core/reports/run_history.h"
#include "e2e/program_run.h"
#include "e2e/regtest_node.h"

namespace syncward::testing {
namespace {

bool litecoindRunningIn(const std::string& dataDir) {
    return std::system(("pgrep -f -- '[-]datadir=" + dataDir + "' >/dev/null").c_str()) == 0;
}

// Seconds of the day of the last "Shutdown: done" in a node's debug log.
int shutdownDoneSecondOfDay(const std::string& dataDir) {
    const std::string log = readWholeFile(dataDir + "/regtest/debug.log");
    std::smatch match;
    std::string::const_iterator from = log.begin();
    int second = -1;
    const std::regex done("T(\\d\\d):(\\d\\d):(\\d\\d)Z Shutdown: done");
    while (std::regex_search(from, log.end(), match, done)) {
        second = std::stoi(match[1]) * 3600 + std::stoi(match[2]) * 60 + std::stoi(match[3]);
        from = match.suffix().first;
    }
    return second;
}

int secondOfDay(const std::string& hhmmss) {
    return std::stoi(hhmmss.substr(0, 2)) * 3600 + std::stoi(hhmmss.substr(3, 2)) * 60 + std::stoi(hhmmss.substr(6, 2));
}

// When the node's debug log first shows a best block at or above this
// height, in seconds since 1970; -1 when it never does.
long long firstTipAtOrAbove(const std::string& dataDir, int height) {
    const std::string log = readWholeFile(dataDir + "/regtest/debug.log");
    const std::regex tip("(\\d{4})-(\\d\\d)-(\\d\\d)T(\\d\\d):(\\d\\d):(\\d\\d)Z UpdateTip: new best=\\w+ height=(\\d+)");
    for (auto it = std::sregex_iterator(log.begin(), log.end(), tip); it != std::sregex_iterator(); ++it) {
        const std::smatch& m = *it;
        if (std::stoi(m[7]) < height) continue;
        std::tm when{};
        when.tm_year = std::stoi(m[1]) - 1900;
        when.tm_mon = std::stoi(m[2]) - 1;
        when.tm_mday = std::stoi(m[3]);
        when.tm_hour = std::stoi(m[4]);
        when.tm_min = std::stoi(m[5]);
        when.tm_sec = std::stoi(m[6]);
        return static_cast<long long>(::timegm(&when));
    }
    return -1;
}

std::string lineAfter(const std::string& report, const std::string& label) {
    const auto at = report.find(label + "\n");
    if (at == std::string::npos) return "<no " + label + ">";
    const auto start = at + label.size() + 1;
    return report.substr(start, report.find('\n', start) - start);
}

// The digits of a text: a byte count as the report shows it, separators and unit aside.
std::string digitsOf(const std::string& text) {
    std::string digits;
    for (const char c : text)
        if (c >= '0' && c <= '9') digits += c;
    return digits;
}

// The run's row in the history carries the figures its report printed.
void expectHistoryRowOfReport(const std::string& historyFile, const std::string& report) {
    const HistoryRead history = parseHistory(readWholeFile(historyFile));
    ASSERT_TRUE(history.ours) << historyFile;
    EXPECT_EQ(history.damagedLines, 0);
    ASSERT_EQ(history.rows.size(), 1u) << readWholeFile(historyFile);
    const RunRecord& row = history.rows.front();
    std::cout << "[ history ] " << historyRow(row, "\n");
    EXPECT_EQ(row.blocksBefore, std::stoll(lineAfter(report, "Last Know Block Number BEFORE Update:")));
    EXPECT_EQ(row.blocksAfter, std::stoll(lineAfter(report, "Last Know Block Number AFTER Update:")));
    EXPECT_EQ(row.blocksDownloaded, std::stoll(lineAfter(report, "Number Of Blocks Downloaded:")));
    ASSERT_TRUE(row.bytesBefore && row.bytesAfter);
    EXPECT_EQ(std::to_string(*row.bytesBefore), digitsOf(lineAfter(report, "Blockchain START Folder Size:")));
    EXPECT_EQ(std::to_string(*row.bytesAfter), digitsOf(lineAfter(report, "Blockchain END Folder Size:")));
    EXPECT_GT(*row.bytesAfter, *row.bytesBefore) << "200 blocks were written";
    EXPECT_EQ(row.runOutcome, "!!! COMPLETED SUCCESSFULLY !!!");
    EXPECT_EQ(row.nodeCheck, "CONFIRMED");
    EXPECT_EQ(row.finalAction, lineAfter(report, "FINAL ACTION:"));
    // Start and end as the report's clock texts show them, to the second
    // the two were read apart.
    const auto clockOf = [](long long seconds, int offset) {
        return static_cast<int>(((seconds + offset) % 86400 + 86400) % 86400);
    };
    EXPECT_NEAR(clockOf(row.start, row.startOffset), secondOfDay(lineAfter(report, "START Run Time:")), 1);
    EXPECT_NEAR(clockOf(row.end, row.endOffset), secondOfDay(lineAfter(report, "END Run Time:")), 10);
    EXPECT_GE(row.seconds(), secondOfDay(lineAfter(report, "MINIMUM RUN TIME:")) - 1);
}

// A regtest "network" node that mines, and a managed node that SYNCWARD
// starts, polls and stops through its command files; both on 127.0.0.1
// only, in temporary folders, on ports the system hands out.
struct RegtestRun : ::testing::Test {
    void SetUp() override {
        ASSERT_TRUE(network.start()) << "the network node did not start";
        network.mine(100);
        // The managed node knows the first 100 blocks from an earlier run.
        ASSERT_TRUE(managed.start()) << "the managed node did not start";
        ASSERT_TRUE(managed.waitForHeight(100, 60)) << "the managed node did not reach 100";
        ASSERT_TRUE(managed.stop());
        network.mine(200);

        NodeCommandFields fields;
        fields.qtFolder = "/usr/bin";
        fields.qtName = "litecoin-qt";
        fields.daemonCliFolder = names.folder;
        fields.daemonName = names.daemonName;
        fields.cliName = names.cliName;
        fields.confFile = managed.confPath();
        fields.dataFolder = managed.dataDir();
        program.nodeCommandFiles(fields, "100\n");  // what the last poll of the earlier run left
        program.unattendedRunSwitches("Litecoin", "00:00:03");
    }

    std::string report() const { return readWholeFile(program.homeFile("REPORTS", "-END-REPORT.LOG")); }

    void expectCompletedAndClean(int exitCode) {
        EXPECT_EQ(exitCode, 0) << "the program did not close itself in time";
        EXPECT_EQ(program.storedSetting("MULTILOADER_LAST_RUN_TEXTBOX"), "!!! COMPLETED SUCCESSFULLY !!!");
        EXPECT_FALSE(litecoindRunningIn(managed.dataDir())) << "the managed node was left running";
    }

    // The network node dies the moment the managed node has taken its
    // first new block: the managed node is left mid-sync, with no peer.
    std::thread killNetworkOnceSyncStarts() {
        return std::thread([this] {
            for (int i = 0; i < 60000 && firstTipAtOrAbove(managed.dataDir(), 101) < 0; ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            network.kill();
        });
    }

    TempDir dir;
    RegtestNode network{dir / "network", dir / "network.conf", 0, litecoindCopy(dir.path(), "regtest-network")};
    // Names of this test's own, for the copy and its node: regtest runs go
    // side by side, and one copy runs once per name.
    ProgramRun program{dir, "LTC" + std::to_string(::getpid())};
    OwnLitecoinNames names{dir / "bin"};
    RegtestNode managed{dir / "chain", program.configFile(), network.p2pPort(), names.daemonPath()};
};

TEST_F(RegtestRun, APlainCatchUpStopsTheNodeBeforeTheReportAndClosesItself) {
    // When the phase ends, seen from outside: the stored last run changes.
    std::atomic<long long> confirmedAtMs{0};
    std::atomic<bool> running{true};
    std::thread watcher([&] {
        while (running && confirmedAtMs == 0) {
            if (program.storedSetting("BLOCKCOUNTER_LAST_RUN") == "!!! COMPLETED SUCCESSFULLY !!!")
                confirmedAtMs = epochMs();
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
    });
    const int exitCode = program.run(300);
    running = false;
    watcher.join();
    const std::string text = report();
    ASSERT_FALSE(text.empty()) << "no end report at " << program.homeFile("REPORTS", "-END-REPORT.LOG");
    EXPECT_EQ(lineAfter(text, "Last Know Block Number BEFORE Update:"), "100");
    EXPECT_EQ(lineAfter(text, "Last Know Block Number AFTER Update:"), "300");
    EXPECT_EQ(lineAfter(text, "Number Of Blocks Downloaded:"), "200");
    expectCompletedAndClean(exitCode);
    EXPECT_EQ(program.storedSetting("BLOCKCOUNTER_LAST_RUN"), "!!! COMPLETED SUCCESSFULLY !!!");

    // The node had really exited before the end was logged.
    const int nodeDone = shutdownDoneSecondOfDay(managed.dataDir());
    ASSERT_GE(nodeDone, 0) << "the managed node's log shows no completed shutdown";
    EXPECT_LE(nodeDone, secondOfDay(lineAfter(text, "END Run Time:"))) << text;
    std::cout << "[ report ]\n" << text;
    expectHistoryRowOfReport(program.homeFile("REPORTS", "-RUN-HISTORY.csv"), text);

    // The node confirmed the chain itself; how long after it had reached
    // the network's height (the log has whole seconds).
    const std::string answer = readWholeFile(program.homeFile("BLOCKCOUNTS", "-NODE-CHECK.LOG"));
    EXPECT_NE(answer.find("\"synced_headers\": 300"), std::string::npos) << answer;
    const long long reached = firstTipAtOrAbove(managed.dataDir(), 300);
    ASSERT_GT(reached, 0) << "the managed node's log shows no tip at 300";
    ASSERT_GT(confirmedAtMs.load(), 0);
    std::cout << "[ timing ] confirmed " << (confirmedAtMs / 1000 - reached)
              << " s after the managed node reached the network's height\n";
}

// The only peer is lost mid-sync: the count stands still, four readings
// agree, and the node says it has no peers. The override ends the phase;
// nothing calls the run a success.
TEST_F(RegtestRun, ANetworkLostMidSyncIsNeverReportedCaughtUp) {
    network.mine(1800);  // enough blocks that the sync is still going when the network dies
    program.setting("OVERRIDE_TIMER_ENABLE_TICKBOX", "1");
    program.setting("AUTOSTART_OVERRIDE_TIMER_TICKBOX", "1");
    program.setting("USER_OVERRIDE_TIME_TEXTBOX", "00:00:50");
    std::thread killer = killNetworkOnceSyncStarts();
    const int exitCode = program.run(300);
    killer.join();

    const std::string text = report();
    ASSERT_FALSE(text.empty()) << "no end report";
    const std::string after = lineAfter(text, "Last Know Block Number AFTER Update:");
    std::cout << "[ stalled ] the managed node stood at " << after << " of 2100\n";
    EXPECT_EQ(exitCode, 0) << "the program did not close itself in time";
    const std::string outcome = "!!! OVERRIDE TIMER ACTIVATED - CHAIN NOT CONFIRMED - NO PEERS !!!";
    EXPECT_EQ(program.storedSetting("BLOCKCOUNTER_LAST_RUN"), outcome);
    EXPECT_EQ(program.storedSetting("MULTILOADER_LAST_RUN_TEXTBOX"), "!!! FINISHED - CHAIN NOT CONFIRMED - NO PEERS !!!");
    EXPECT_NE(text.find("BLOCKCOUNTER LAST RUN: " + outcome + "\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("COMPLETED SUCCESSFULLY"), std::string::npos) << text;
    // What the node said, as the program read it.
    const std::string answer = readWholeFile(program.homeFile("BLOCKCOUNTS", "-NODE-CHECK.LOG"));
    EXPECT_NE(answer.find("getpeerinfo\n[\n]\n"), std::string::npos) << answer;
    EXPECT_FALSE(litecoindRunningIn(managed.dataDir())) << "the managed node was left running";
}

// Without "Confirm With Node" the four readings alone finish the phase, as
// they always have: the stalled node of the case above is taken for caught
// up, and the node is never asked.
TEST_F(RegtestRun, WithoutConfirmWithNodeFourReadingsAloneFinishThePhaseAsBefore) {
    network.mine(1800);
    program.setting("CONFIRM_WITH_NODE_TICKBOX", "0");
    std::thread killer = killNetworkOnceSyncStarts();
    const int exitCode = program.run(300);
    killer.join();
    ASSERT_FALSE(report().empty()) << "no end report";
    expectCompletedAndClean(exitCode);
    EXPECT_EQ(program.storedSetting("BLOCKCOUNTER_LAST_RUN"), "!!! COMPLETED SUCCESSFULLY !!!");
    EXPECT_FALSE(std::filesystem::exists(program.homeFile("BLOCKCOUNTS", "-NODE-CHECK.LOG")));
}

TEST_F(RegtestRun, BlocksArrivingDuringTheRunEndAtTheNetworksFinalHeight) {
    std::atomic<bool> mining{true};
    std::thread miner([&] {
        // A block every two seconds for half a minute once the node is up.
        for (int i = 0; i < 15 && mining; ++i) {
            std::this_thread::sleep_for(std::chrono::seconds(2));
            if (litecoindRunningIn(managed.dataDir())) network.mine(1);
        }
    });
    const int exitCode = program.run(300);
    mining = false;
    miner.join();
    const std::string finalHeight = std::to_string(network.height());
    EXPECT_EQ(lineAfter(report(), "Last Know Block Number AFTER Update:"), finalHeight) << report();
    expectCompletedAndClean(exitCode);
}

TEST_F(RegtestRun, ANodeThatDiesDuringTheBlockCounterStillGivesAFinishedRun) {
    std::thread killer([&] {
        // Once the managed node has caught up, it dies without a word.
        for (int i = 0; i < 600; ++i) {
            if (managed.height() == 300) {
                // Long enough after its start that the watch has seen it run.
                std::this_thread::sleep_for(std::chrono::seconds(3));
                std::system(("pkill -KILL -f -- '[-]datadir=" + managed.dataDir() + "'").c_str());
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
    });
    const int exitCode = program.run(300);
    killer.join();
    ASSERT_FALSE(report().empty()) << "no end report";
    EXPECT_EQ(exitCode, 0) << "the program did not close itself in time";
    // Never confirmed by the node, so never a success.
    EXPECT_EQ(program.storedSetting("MULTILOADER_LAST_RUN_TEXTBOX"),
              "!!! FINISHED - NODE STOPPED BEFORE THE CHAIN WAS CONFIRMED !!!");
}

// The program is killed mid-sync after a run whose block counter completed.
// The next start writes the killed run's row: no word of the earlier run
// in it, and an end close to the kill, not at its last step. That start's
// own run then completes, and the store, the history and its report agree
// on what happened before it.
TEST_F(RegtestRun, AProgramKilledMidSyncIsRecordedAtTheNextStartWithNoEarlierOutcome) {
    program.setting("MULTILOADER_LAST_RUN_TEXTBOX", "!!! COMPLETED SUCCESSFULLY !!!");
    program.setting("BLOCKCOUNTER_LAST_RUN", "!!! COMPLETED SUCCESSFULLY !!!");
    program.setting("USER_COUNT_TIME_TEXTBOX", "00:05:00");  // no reading ends the phase before the kill
    const int first = program.start();
    for (int i = 0; i < 600 && !litecoindRunningIn(managed.dataDir()); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    ASSERT_TRUE(litecoindRunningIn(managed.dataDir())) << "the run never started its node";
    ASSERT_TRUE(program.storedSetting("MULTILOADER_LAST_RUN_TEXTBOX").starts_with("!!! RUN UNDER WAY - STARTED "));
    // The run starts after the eleven-second autostart countdown.
    const long long startedAtMs = program.startedAtMs;
    std::this_thread::sleep_until(std::chrono::system_clock::time_point(std::chrono::milliseconds(startedAtMs)) +
                                  std::chrono::seconds(60));
    ::kill(first, SIGKILL);
    const long long killedAt = epochMs() / 1000;
    program.wait(first, 10);
    std::system(("pkill -KILL -f -- '[-]datadir=" + managed.dataDir() + "'").c_str());
    for (int i = 0; i < 100 && litecoindRunningIn(managed.dataDir()); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));

    program.setting("USER_COUNT_TIME_TEXTBOX", "00:00:03");
    expectCompletedAndClean(program.run(300));
    const std::string historyFile = program.homeFile("REPORTS", "-RUN-HISTORY.csv");
    const HistoryRead history = parseHistory(readWholeFile(historyFile));
    ASSERT_EQ(history.rows.size(), 2u) << readWholeFile(historyFile);
    const RunRecord& killed = history.rows[0];
    std::cout << "[ history ] killed " << (killedAt - startedAtMs / 1000) << " s after the program's start: "
              << historyRow(killed, "\n");
    EXPECT_TRUE(killed.runOutcome.starts_with("!!! RUN INTERRUPTED - STARTED ")) << killed.runOutcome;
    EXPECT_EQ(killed.blockCounterOutcome, "") << "the earlier run's outcome";
    EXPECT_EQ(killed.nodeProgram, "DAEMON - " + names.daemonName);
    EXPECT_EQ(killed.blocksBefore, 100);
    EXPECT_EQ(killed.blocksAfter, std::nullopt);
    EXPECT_LE(killed.end, killedAt);
    // Known alive at least every 15 s; a little more for a loaded machine.
    // Its last step was more than 35 s before the kill.
    EXPECT_GE(killed.end, killedAt - 22) << "its length at its last step: " << killed.seconds() << " s";
    EXPECT_EQ(history.rows[1].runOutcome, "!!! COMPLETED SUCCESSFULLY !!!");
    EXPECT_EQ(history.rows[1].blockCounterOutcome, "!!! COMPLETED SUCCESSFULLY !!!");
    EXPECT_NE(report().find("MULTILOADER LAST RUN: " + killed.runOutcome + "\n"), std::string::npos) << report();
}

// A node configured to put itself in the background (daemon=1) forks and
// its first process ends at once: the one that syncs is adopted by the
// program, counted, confirmed and stopped as the run's own.
TEST_F(RegtestRun, ANodeThatPutsItselfInTheBackgroundIsStillTheRunsOwn) {
    std::ofstream(managed.confPath(), std::ios::app) << "daemon=1\n";
    const int exitCode = program.run(300);
    std::cout << "[ timing ] a node in the background: " << (program.endedAtMs - program.startedAtMs) / 1000 << " s\n";
    expectCompletedAndClean(exitCode);
    EXPECT_EQ(program.storedSetting("BLOCKCOUNTER_LAST_RUN"), "!!! COMPLETED SUCCESSFULLY !!!");
    EXPECT_EQ(lineAfter(report(), "Last Know Block Number AFTER Update:"), "300");
    EXPECT_EQ(report().find("THE NODE LEFT BY AN EARLIER RUN WAS USED"), std::string::npos) << "it was this run's own";
    EXPECT_GT(shutdownDoneSecondOfDay(managed.dataDir()), -1) << "the node was not shut down cleanly";
}

// The program is killed mid-sync and its node goes on running on the
// copy's data folder, where the next run's own node cannot start. The next
// run counts with that node, confirms the chain with it, stops it, and
// says so.
TEST_F(RegtestRun, ARunAfterAKilledProgramGoesOnWithTheNodeItLeftAndStopsIt) {
    program.setting("USER_COUNT_TIME_TEXTBOX", "00:05:00");  // no reading ends the phase before the kill
    const int first = program.start();
    for (int i = 0; i < 600 && !litecoindRunningIn(managed.dataDir()); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    ASSERT_TRUE(litecoindRunningIn(managed.dataDir())) << "the run never started its node";
    // Past the node's start-up: it holds its data folder.
    for (int i = 0; i < 600 && firstTipAtOrAbove(managed.dataDir(), 101) < 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    ::kill(first, SIGKILL);
    program.wait(first, 10);
    ASSERT_TRUE(litecoindRunningIn(managed.dataDir())) << "the node went with the program";

    program.setting("USER_COUNT_TIME_TEXTBOX", "00:00:03");
    const int exitCode = program.run(300);
    std::cout << "[ timing ] with the node a killed run left: " << (program.endedAtMs - program.startedAtMs) / 1000
              << " s\n";
    expectCompletedAndClean(exitCode);
    EXPECT_EQ(program.storedSetting("BLOCKCOUNTER_LAST_RUN"), "!!! COMPLETED SUCCESSFULLY !!!");
    EXPECT_EQ(lineAfter(report(), "Last Know Block Number AFTER Update:"), "300");
    EXPECT_NE(report().find("\nTHE NODE LEFT BY AN EARLIER RUN WAS USED\n"), std::string::npos) << report();
    EXPECT_GT(shutdownDoneSecondOfDay(managed.dataDir()), -1) << "the node was not shut down cleanly";
}

// A copy set up by an earlier version: its home has the four node command
// files but none for the node check. Its first run after the update writes
// it from the stored crypto settings, and the node confirms the chain.
TEST_F(RegtestRun, AHomeFromBeforeTheNodeCheckCompletesItsFirstRunConfirmedByTheNode) {
    const std::string checkFile = program.homeFile("BATS", "-RUN-BLOCKCOUNTER-NODE-CHECK.sh");
    ASSERT_TRUE(std::filesystem::remove(checkFile));
    const int exitCode = program.run(300);
    std::cout << "[ timing ] earlier layout on regtest: " << (program.endedAtMs - program.startedAtMs) / 1000 << " s\n";
    expectCompletedAndClean(exitCode);
    EXPECT_EQ(program.storedSetting("BLOCKCOUNTER_LAST_RUN"), "!!! COMPLETED SUCCESSFULLY !!!");
    EXPECT_EQ(lineAfter(report(), "Last Know Block Number AFTER Update:"), "300");
    EXPECT_NE(readWholeFile(program.homeFile("BLOCKCOUNTS", "-NODE-CHECK.LOG")).find("\"synced_headers\": 300"),
              std::string::npos);
}

// The network is lost mid-sync and the override is not ticked: the run
// still ends, at the limit the override's time sets, not confirmed.
TEST_F(RegtestRun, ANetworkLostMidSyncEndsAtTheRunLimitWithoutTheOverride) {
    network.mine(1800);
    program.setting("USER_OVERRIDE_TIME_TEXTBOX", "00:00:50");
    std::thread killer = killNetworkOnceSyncStarts();
    const int exitCode = program.run(300);
    killer.join();
    std::cout << "[ timing ] no peers, run limit 50 s: " << (program.endedAtMs - program.startedAtMs) / 1000 << " s\n";
    EXPECT_EQ(exitCode, 0) << "the program did not close itself in time";
    EXPECT_EQ(program.storedSetting("MULTILOADER_LAST_RUN_TEXTBOX"), "!!! FINISHED - CHAIN NOT CONFIRMED - NO PEERS !!!");
    EXPECT_FALSE(litecoindRunningIn(managed.dataDir())) << "the managed node was left running";
}

// A second node under the daemon's name (another copy's, a test network's)
// and the user's own client in a terminal under the client's name: the run
// neither waits for them nor ends them, and its outcome is its own node's.
TEST_F(RegtestRun, ANodeAndAClientOfTheSameNamesThatTheRunDidNotStartAreLeftAlone) {
    RegtestNode other{dir / "other", dir / "other.conf", 0, names.daemonPath()};
    ASSERT_TRUE(other.start()) << "the second node did not start";
    std::filesystem::create_directories(dir / "terminal");
    const std::string client = dir / ("terminal/" + names.cliName);
    std::filesystem::copy_file("/bin/sleep", client);
    std::filesystem::permissions(client, std::filesystem::perms::owner_all);
    const pid_t bystander = ::fork();
    if (bystander == 0) {
        ::execl(client.c_str(), client.c_str(), "600", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ASSERT_GT(bystander, 0);

    const int exitCode = program.run(240);
    const long long seconds = (program.endedAtMs - program.startedAtMs) / 1000;
    std::cout << "[ timing ] beside a second node and a client of the same names: " << seconds << " s\n";
    const bool clientAlive = ::waitpid(bystander, nullptr, WNOHANG) == 0;
    ::kill(bystander, SIGKILL);
    ::waitpid(bystander, nullptr, 0);
    expectCompletedAndClean(exitCode);
    EXPECT_EQ(lineAfter(report(), "Last Know Block Number AFTER Update:"), "300");
    EXPECT_TRUE(clientAlive) << "the user's client was ended";
    EXPECT_TRUE(litecoindRunningIn(other.dataDir())) << "the second node was stopped";
    EXPECT_EQ(other.height(), 0);
    EXPECT_TRUE(other.stop());
}

// A settings file with a line written by hand at its top: the run stores
// its outcome as a true one and closes itself; the line is kept beside the
// file, not in it.
TEST_F(RegtestRun, ASettingsFileWithALineWrittenByHandStillGivesATrueOutcomeAndACloseOfItsOwn) {
    const std::string settings = program.settingsFile();
    const std::string before = readWholeFile(settings);
    std::ofstream(settings, std::ios::trunc) << "# my settings\n" << before;
    const int exitCode = program.run(300);
    ASSERT_FALSE(report().empty()) << "no end report";
    expectCompletedAndClean(exitCode);
    EXPECT_EQ(readWholeFile(settings).find("# my settings"), std::string::npos);
    EXPECT_EQ(readWholeFile(settings + ".unread-lines").rfind("# my settings\n", 0), 0u);
}

}  // namespace
}  // namespace syncward::testing
