#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <regex>
#include <thread>

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

std::string lineAfter(const std::string& report, const std::string& label) {
    const auto at = report.find(label + "\n");
    if (at == std::string::npos) return "<no " + label + ">";
    const auto start = at + label.size() + 1;
    return report.substr(start, report.find('\n', start) - start);
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
        fields.daemonCliFolder = "/usr/bin";
        fields.daemonName = "litecoind";
        fields.cliName = "litecoin-cli";
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

    TempDir dir;
    RegtestNode network{dir / "network", dir / "network.conf", 0, litecoindCopy(dir.path(), "regtest-network")};
    ProgramRun program{dir, "LTCE2E"};
    RegtestNode managed{dir / "chain", program.configFile(), network.p2pPort()};
};

TEST_F(RegtestRun, APlainCatchUpStopsTheNodeBeforeTheReportAndClosesItself) {
    const int exitCode = program.run(300);
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
                std::system(("pkill -KILL -f -- '[-]datadir=" + managed.dataDir() + "'").c_str());
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
    });
    const int exitCode = program.run(300);
    killer.join();
    ASSERT_FALSE(report().empty()) << "no end report";
    expectCompletedAndClean(exitCode);
}

}  // namespace
}  // namespace syncward::testing
