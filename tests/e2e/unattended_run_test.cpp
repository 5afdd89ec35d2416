#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QString>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "e2e/standin_node.h"
#include "platform/posix/qt_settings_store.h"
#include "support/temp_dir.h"

namespace syncward::testing {
namespace {

namespace fs = std::filesystem;

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

long long nowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

bool processNamed(const std::string& name) {
    return std::system(("pgrep -x " + name + " >/dev/null").c_str()) == 0;
}

// The built program under its own name, home folder and settings file, set
// up the way the settings windows would leave them, started with autostart
// and autoclose against the stand-in node.
struct UnattendedRun : ::testing::Test {
    void SetUp() override {
        home = dir / "home";
        for (const char* sub : {"", "/BATS", "/BLOCKCOUNTS", "/CONFIGS", "/LOGS", "/REPORTS"})
            fs::create_directories(home + sub);
        fs::create_directories(dir / "chain/blocks");
        std::ofstream(dir / "chain/blocks/blk00000.dat") << std::string(1024, 'b');
        program = dir / "E2ERUN";
        fs::create_symlink(SYNCWARD_BINARY, program);
    }
    void TearDown() override {
        std::system(("pkill -KILL -x " + node.daemonName + " 2>/dev/null").c_str());
    }

    void configure() {
        QtSettingsStore store(QString::fromStdString(dir / "config/QV_SYNCWARD/QV_SYNCWARD.ini"));
        const std::string section = "E2ERUN";
        const std::string conf = home + "/CONFIGS/E2ERUN-CRYPTO-CONFIG.conf";
        const std::string countFile = home + "/BLOCKCOUNTS/E2ERUN-LATEST-BLOCKCOUNT.LOG";
        const std::string cli = "exec '" + node.folder + "/" + node.cliName + "' '-conf=" + conf + "'";
        std::ofstream(home + "/BATS/E2ERUN-RUN-DAEMON.sh")
            << "exec '" + node.folder + "/" + node.daemonName + "' '-conf=" + conf + "' '-datadir=" + (dir / "chain") + "' \n";
        std::ofstream(home + "/BATS/E2ERUN-RUN-CLI-STOP.sh") << cli + "  stop\n";
        std::ofstream(home + "/BATS/E2ERUN-RUN-BLOCKCOUNTER-GBC.sh") << cli + " getblockcount > '" + countFile + "'\n";
        std::ofstream(countFile) << "\n";
        for (const auto& [key, value] : std::vector<std::pair<std::string, std::string>>{
                 {"SYNCWARD_HOME_TEXTBOX", home},
                 {"BLOCKCHAIN_HOME_TEXTBOX", dir / "chain"},
                 {"CRYPTO_NAME_TEXTBOX", "Fakecoin"},
                 {"QT_NAME_TEXTBOX", "fakecoin-qt"},
                 {"DAEMOND_NAME_TEXTBOX", node.daemonName},
                 {"DAEMONCLI_NAME_SETTINGS_TEXTBOX", node.cliName},
                 {"GETBLOCKCOUNT_LOG_LOCATION_TEXTBOX", countFile},
                 {"USER_COUNT_TIME_TEXTBOX", "00:00:02"},
                 {"AUTOSTART_TICKBOX", "1"},
                 {"RUN_DAEMON_TICKBOX", "1"},
                 {"TASK_8_ENABLE_TICKBOX", "1"},
                 {"FINISH_WHEN_IDENTICAL_TICKBOX", "1"},
                 {"TASK_11_ENABLE_TICKBOX", "1"},
                 {"TASK_19_ENABLE_TICKBOX", "1"},
                 {"ALWAYS_ON_TOP_TICKBOX", "0"}})
            ASSERT_TRUE(store.save(section, key, value));
    }

    // Runs the program to its own end; -1 when it had to be killed.
    int runProgram(int limitSeconds) {
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::setenv("XDG_CONFIG_HOME", (dir / "config").c_str(), 1);
            ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
            ::execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
            ::_exit(127);
        }
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(limitSeconds);
        int status = 0;
        while (::waitpid(pid, &status, WNOHANG) == 0) {
            if (std::chrono::steady_clock::now() > deadline) {
                ::kill(pid, SIGKILL);
                ::waitpid(pid, &status, 0);
                return -1;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        endedAtMs = nowMs();
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    TempDir dir;
    std::string home, program;
    StandinNode node{dir.path(), 3};
    long long endedAtMs = 0;
};

TEST_F(UnattendedRun, CatchesUpStopsTheNodeReportsAndClosesItself) {
    configure();
    const long long startedAt = nowMs();
    ASSERT_EQ(runProgram(240), 0) << "the program did not close itself within 240 s";

    const std::string report = readAll(home + "/REPORTS/E2ERUN-END-REPORT.LOG");
    ASSERT_FALSE(report.empty()) << "no end report in " << home << "/REPORTS";
    EXPECT_NE(report.find("Last Know Block Number AFTER Update:\n120\n\n"), std::string::npos) << report;
    EXPECT_NE(report.find("Number Of Blocks Downloaded:\n120\n"), std::string::npos) << report;
    EXPECT_NE(report.find("BLOCKCHAIN UPDATED USING: DAEMON --- fakecoin-qt --- \n"), std::string::npos) << report;
    EXPECT_NE(report.find("SYNCWARD Filename: \nE2ERUN\n"), std::string::npos) << report;

    QtSettingsStore store(QString::fromStdString(dir / "config/QV_SYNCWARD/QV_SYNCWARD.ini"));
    EXPECT_EQ(store.get("E2ERUN", "MULTILOADER_LAST_RUN_TEXTBOX", ""), "!!! COMPLETED SUCCESSFULLY !!!");
    EXPECT_EQ(store.get("E2ERUN", "BLOCKCOUNTER_LAST_RUN", ""), "!!! COMPLETED SUCCESSFULLY !!!");

    // The daemon took three seconds to flush; the run waited for its exit.
    const std::string exited = readAll(node.exitTimeFile);
    ASSERT_FALSE(exited.empty()) << "the stand-in daemon never exited";
    const long long daemonExitMs = std::stoll(exited);
    EXPECT_GT(daemonExitMs, startedAt);
    EXPECT_LT(daemonExitMs, endedAtMs - 11000) << "the run went on before the node had exited";
    EXPECT_FALSE(processNamed(node.daemonName));
}

}  // namespace
}  // namespace syncward::testing
