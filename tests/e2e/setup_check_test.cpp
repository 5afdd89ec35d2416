// The set-up check against the real system: "--check" as a process with its
// exit status, on a correct daemon-only Litecoin copy and on each mistake
// of a first night, and with its mails to a local SMTP sink; and TRY THE
// NODE starting, asking and stopping the packaged litecoind in regtest
// through the command files a run uses.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <thread>

#include "core/platform/platform_profile.h"
#include "core/settings/crypto_settings_window.h"
#include "core/settings/settings_windows.h"
#include "core/setupcheck/check_line.h"
#include "core/setupcheck/setup_check_texts.h"
#include "core/setupcheck/setup_check_window.h"
#include "core/setupcheck/setup_check_windows.h"
#include "core/state/home_layout.h"
#include "e2e/mail_setup.h"
#include "e2e/program_run.h"
#include "e2e/regtest_node.h"
#include "e2e/smtp_sink.h"
#include "platform/posix/posix_file_system.h"
#include "platform/posix/posix_launcher.h"
#include "platform/posix/posix_setup_probe.h"
#include "platform/posix/proc_process_table.h"
#include "platform/qt/qt_node_answers.h"
#include "support/fake_platform.h"
#include "support/loopback_listener.h"
#include "support/temp_dir.h"

namespace syncward::testing {
namespace {

namespace fs = std::filesystem;

// Loopback only, ports of its own, nothing that reaches out; the wallet
// line where the node takes it, or (misplaced) where it refuses it.
std::string regtestConf(bool walletOutsideSection = false) {
    return std::string("regtest=1\n") + (walletOutsideSection ? "wallet=w\n" : "") +
           "dnsseed=0\nlistenonion=0\ndiscover=0\n[regtest]\nlisten=0\nupnp=0\nport=" +
           std::to_string(freeLoopbackPort()) + "\nrpcport=" + std::to_string(freeLoopbackPort()) +
           "\nrpcbind=127.0.0.1\nrpcallowip=127.0.0.1\n" + (walletOutsideSection ? "" : "wallet=w\n");
}

void writeConf(const std::string& path, const std::string& text) {
    std::ofstream(path) << text;
    ::chmod(path.c_str(), 0600);
}

// ---- "--check" as a process ----

// A daemon-only Litecoin copy as the crypto settings' Save leaves it, with
// the packaged programs under names of the test's own; its .conf is the
// home folder's unless another is named.
struct CheckedCopy {
    CheckedCopy(const TempDir& dir, const std::string& name, const std::string& conf = "")
        : names(dir / "bin"), program(dir, name) {
        fs::create_directories(dir / "chain");
        const PlatformProfile profile = PlatformProfile::posix("/");
        fields.daemonCliFolder = names.folder;
        fields.daemonName = names.daemonName;
        fields.cliName = names.cliName;
        fields.confFile = conf.empty() ? program.configFile() : conf;
        fields.dataFolder = dir / "chain";
        fields.clientErrorFile = home_layout::clientErrorFile(profile, program.home(), name);
        fields.nodeLogFile = home_layout::nodeLogFile(profile, program.home(), name);
        writeConf(fields.confFile, regtestConf());
        program.nodeCommandFiles(fields);
        program.unattendedRunSwitches("Litecoin", "00:00:02");
        program.setting("OVERRIDE_TIMER_ENABLE_TICKBOX", "1");
        program.arguments = {"--check"};
    }
    int check() {
        const int status = program.run(60);
        return status;
    }

    OwnLitecoinNames names;
    ProgramRun program;
    NodeCommandFields fields;
};

TEST(CheckCommand, ACorrectDaemonOnlySetUpExitsZeroAndEachMistakeOne) {
    TempDir dir;
    CheckedCopy copy(dir, "CHECKED" + std::to_string(::getpid()));
    const std::string& out = copy.program.output;

    ASSERT_EQ(copy.check(), 0) << out;
    std::cout << "[ --check, correct set-up ]\n" << out;
    EXPECT_EQ(out.find("\nRED"), std::string::npos) << out;
    EXPECT_NE(out.find("GREEN   DAEMON PROGRAM " + copy.names.daemonPath()), std::string::npos) << out;
    EXPECT_NE(out.find("GREEN   COMMAND FILES"), std::string::npos) << out;
    EXPECT_NE(out.find(setup_check_texts::nodeNotRunning), std::string::npos) << out;

    // A blockchain folder that does not exist.
    fs::rename(dir / "chain", dir / "chain-away");
    EXPECT_EQ(copy.check(), 1) << out;
    std::cout << "[ --check, blockchain folder missing ]\n" << out;
    EXPECT_NE(out.find("RED     BLOCKCHAIN FOLDER " + (dir / "chain") + " DOES NOT EXIST"), std::string::npos) << out;
    fs::rename(dir / "chain-away", dir / "chain");

    // A configuration line the node refuses on regtest.
    writeConf(copy.program.configFile(), regtestConf(true));
    EXPECT_EQ(copy.check(), 1) << out;
    EXPECT_NE(out.find("LINE 2 \"wallet=w\" - OUTSIDE [regtest]: THE NODE REFUSES TO START"), std::string::npos) << out;
    writeConf(copy.program.configFile(), regtestConf());

    // The QT wallet where the packages do not put it.
    copy.program.setting("RUN_DAEMON_TICKBOX", "0");
    copy.program.setting("RUN_QT_TICKBOX", "1");
    copy.program.setting("QT_LOCATION_TEXTBOX", dir / "bin");
    copy.program.setting("QT_NAME_TEXTBOX", "litecoin-qt");
    EXPECT_EQ(copy.check(), 1) << out;
    EXPECT_NE(out.find("RED     QT PROGRAM " + (dir / "bin") + "/litecoin-qt DOES NOT EXIST"), std::string::npos) << out;
    copy.program.setting("RUN_QT_TICKBOX", "0");
    copy.program.setting("RUN_DAEMON_TICKBOX", "1");

    // "Finish When Identical" left unticked on a copy that starts by itself.
    copy.program.setting("FINISH_WHEN_IDENTICAL_TICKBOX", "0");
    EXPECT_EQ(copy.check(), 1) << out;
    EXPECT_NE(out.find("RED     \"Finish When Identical\" UNTICKED"), std::string::npos) << out;
}

// A .conf outside the home folder, as the end-to-end copies and the demo
// have theirs: the set-up stores the own-file choice with its path, as the
// main settings do, so the program reads that file and writes the command
// files the set-up wrote.
TEST(CheckCommand, ACopyWithItsOwnConfElsewhereChecksWithoutRed) {
    TempDir dir;
    CheckedCopy copy(dir, "OWNCONF" + std::to_string(::getpid()), dir / "node.conf");
    const std::string& out = copy.program.output;
    ASSERT_EQ(copy.check(), 0) << out;
    EXPECT_EQ(out.find("\nRED"), std::string::npos) << out;
    EXPECT_EQ(out.find(setup_check_texts::differs), std::string::npos) << out;
    EXPECT_EQ(copy.program.storedSetting("USE_OWN_CONF_TICKBOX"), "1");
}

// ---- the mail steps, against a real server ----

// A listening socket on 127.0.0.1 that never accepts: the kernel takes each
// connection into its queue, and nobody ever speaks on it.
class SilentServer {
public:
    SilentServer() {
        const LoopbackListener listener = listenOnLoopback();
        fd_ = listener.fd;
        port_ = listener.port;
    }
    ~SilentServer() { ::close(fd_); }
    int port() const { return port_; }

private:
    int fd_ = -1;
    int port_ = 0;
};

// The line of the output that starts with the text; empty when none does.
std::string lineStarting(const std::string& out, const std::string& start) {
    const std::size_t at = out.find("\n" + start);
    return at == std::string::npos ? "" : out.substr(at + 1, out.find('\n', at + 1) - at - 1);
}

// Both mails through the packaged mailer to the local SMTP sink, set up by
// the e-mail settings' own OK: green only while the server greets and the
// mail files hold what the settings write.
TEST(CheckCommand, TheMailStepsAreGreenOnlyForAServerThatGreetsAndTheFilesTheSettingsWrote) {
    if (!fs::exists("/usr/bin/sendemail") || !fs::exists("/usr/bin/python3")) GTEST_SKIP() << "no sendemail or python3";
    TempDir dir;
    SmtpSink sink(dir.path(), "nodeuser", password, false);
    ASSERT_NE(sink.port(), 0) << "the SMTP sink did not start";
    const std::string name = "CHECKMAIL" + std::to_string(::getpid());
    CheckedCopy copy(dir, name);
    configureMail(copy.program, {"/usr/bin", sink.port(), true});
    const std::string& out = copy.program.output;
    const std::string server = "MAIL SERVER \"127.0.0.1:" + std::to_string(sink.port()) + "\"";

    ASSERT_EQ(copy.check(), 0) << out;
    std::cout << "[ --check, both mails to the local sink ]\n" << out;
    EXPECT_EQ(out.find("\nRED"), std::string::npos) << out;
    EXPECT_EQ(out.find(setup_check_texts::differs), std::string::npos) << out;
    EXPECT_NE(out.find("\nGREEN   " + server + " ANSWERS ON ITS PORT\n"), std::string::npos) << out;
    const std::string mailFiles = name + "-START-EMAIL.sh, " + name + "-END-REPORT-EMAIL.sh";
    EXPECT_NE(lineStarting(out, "GREEN   COMMAND FILES").find(mailFiles), std::string::npos) << out;

    // The end mail's file replaced by one that sends nothing.
    const std::string endFile = copy.program.homeFile("BATS", "-END-REPORT-EMAIL.sh");
    const std::string written = readWholeFile(endFile);
    writeConf(endFile, "exit 0\n");
    EXPECT_EQ(copy.check(), 0) << out;  // yellow: the run starts, but read this first
    EXPECT_NE(out.find("\nYELLOW  COMMAND FILE " + name + "-END-REPORT-EMAIL.sh" + setup_check_texts::differs),
              std::string::npos)
        << out;
    EXPECT_EQ(lineStarting(out, "GREEN   COMMAND FILES").find("END-REPORT-EMAIL"), std::string::npos) << out;
    EXPECT_NE(out.find(setup_check_texts::onlyDoubts), std::string::npos) << out;
    writeConf(endFile, written);

    // A server that takes the connection and never speaks: red, once the
    // wait for its greeting has run out, and not much later.
    SilentServer silent;
    ASSERT_NE(silent.port(), 0);
    copy.program.setting("SMTP_SERVER_ADDRESS_PORT_TEXTBOX", "127.0.0.1:" + std::to_string(silent.port()));
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(copy.check(), 1) << out;
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::cout << "[ timing ] --check with a silent mail server: " << seconds << " s\n";
    EXPECT_NE(out.find("\nRED     MAIL SERVER \"127.0.0.1:" + std::to_string(silent.port()) + "\"" +
                       setup_check_texts::mailServerSilent),
              std::string::npos)
        << out;
    EXPECT_GE(seconds, 10.0);
    EXPECT_LT(seconds, 30.0);
}

// ---- TRY THE NODE ----

// The program's models over the real process list, launcher, files and
// probe, on a loop the test turns in real time.
struct TrialProgram {
    TrialProgram(const TempDir& dir, const std::string& name)
        : names(dir / "bin"),
          home(dir / "home"),
          data(dir / "chain"),
          fake(PlatformProfile::posix(dir.path())),
          platform(fake.with({.processes = &processes,
                              .launcher = &launcher,
                              .files = &files,
                              .setupProbe = &probe,
                              .nodeAnswers = &answers})) {
        fake.environment.exeName = name;
        for (const char* sub : {"", "/BATS", "/BLOCKCOUNTS", "/CONFIGS", "/LOGS", "/REPORTS"})
            fs::create_directories(home + sub);
        fs::create_directories(data);
        conf = home + "/CONFIGS/" + name + "-CRYPTO-CONFIG.conf";
        writeConf(conf, regtestConf());
        for (const auto& [key, value] : std::vector<std::pair<std::string, std::string>>{
                 {"SYNCWARD_HOME_TEXTBOX", home}, {"RUN_DAEMON_TICKBOX", "1"}, {"TASK_8_ENABLE_TICKBOX", "1"},
                 {"TASK_11_ENABLE_TICKBOX", "1"}, {"BLOCKCHAIN_HOME_TEXTBOX", data},
                 {"DAEMON_CLI_LOCATION_TEXTBOX", names.folder}, {"DAEMOND_NAME_TEXTBOX", names.daemonName},
                 {"DAEMONCLI_NAME_SETTINGS_TEXTBOX", names.cliName}})
            fake.store.put(name, key, value);
    }
    ~TrialProgram() { std::system(("pkill -KILL -x " + names.daemonName + " 2>/dev/null").c_str()); }

    // Starts the program's models and saves the crypto settings: the
    // command files are written as a user's Save writes them.
    void saveCryptoSettings() {
        app = std::make_unique<Application>(platform);
        app->start();
        CryptoSettingsWindow& crypto = app->settingsWindows().cryptoSettings();
        crypto.SAVE_BUTTON.click();
        ASSERT_EQ(crypto.MESSAGE_STATUS_TEXTBOX.text(), crypto_texts::cryptoSettingsSaved);
    }
    // Clicks TRY THE NODE and turns the loop in real time until it ends;
    // the seconds it took.
    double tryTheNode() {
        SetupCheckWindow& window = app->setupCheck().window();
        const auto start = std::chrono::steady_clock::now();
        window.TRY_NODE_BUTTON.click();
        for (int i = 0; i < 600 && window.trial().underWay(); ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(NodeTrial::tickMs));
            fake.loop.advance(NodeTrial::tickMs);
        }
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    bool nodeRuns() { return processes.running({names.daemonName}).value_or(std::vector<bool>{true}).front(); }
    SetupCheckWindow& window() { return app->setupCheck().window(); }

    OwnLitecoinNames names;
    std::string home, data, conf;
    FakePlatform fake;
    ProcProcessTable processes;
    PosixLauncher launcher;
    PosixFileSystem files;
    PosixSetupProbe probe;
    QtNodeAnswers answers;
    Platform platform;
    std::unique_ptr<Application> app;
};

TEST(TryTheNode, ACorrectRegtestSetUpStartsAnswersStopsAndLeavesNothingRunning) {
    TempDir dir;
    TrialProgram program(dir, "TRYGOOD" + std::to_string(::getpid()));
    program.saveCryptoSettings();
    const double seconds = program.tryTheNode();
    SetupCheckWindow& window = program.window();
    std::cout << "[ timing ] TRY THE NODE, correct set-up: " << seconds << " s\n"
              << window.TRY_NODE_REPORT_TEXTBOX.text() << "\n";
    EXPECT_TRUE(window.trial().succeeded()) << window.TRY_NODE_REPORT_TEXTBOX.text();
    EXPECT_EQ(window.TRY_NODE_STATUS_TEXTBOX.text(), node_trial_texts::succeeded);
    EXPECT_NE(window.TRY_NODE_REPORT_TEXTBOX.text().find("ANSWERED: NETWORK regtest, 0 BLOCKS"), std::string::npos)
        << window.TRY_NODE_REPORT_TEXTBOX.text();
    EXPECT_NE(window.TRY_NODE_REPORT_TEXTBOX.text().find("THE NODE HAS EXITED"), std::string::npos);
    EXPECT_FALSE(program.nodeRuns());

    // While it runs, a second trial is refused.
    program.launcher.runCommandFile(program.home + "/BATS/" + program.fake.environment.exeName + "-RUN-DAEMON.sh");
    for (int i = 0; i < 100 && !program.nodeRuns(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(100));
    ASSERT_TRUE(program.nodeRuns());
    window.TRY_NODE_BUTTON.click();
    EXPECT_EQ(window.TRY_NODE_STATUS_TEXTBOX.text(), node_trial_texts::alreadyRunning);
    EXPECT_FALSE(window.trial().underWay());

    // The running node is asked through the real client with the real configuration.
    CheckLines lines;
    const auto reached = [&lines] {
        for (const CheckLine& line : lines)
            if (line.found == setup_check_texts::clientReaches) return true;
        return false;
    };
    for (int i = 0; i < 60 && !reached(); ++i) {
        lines = program.app->setupCheck().checkNow();
        if (!reached()) std::this_thread::sleep_for(std::chrono::milliseconds(500));
    }
    EXPECT_TRUE(reached());
}

TEST(TryTheNode, ARefusedConfigurationLineIsToldInTheNodesOwnWords) {
    TempDir dir;
    TrialProgram program(dir, "TRYCONF" + std::to_string(::getpid()));
    writeConf(program.conf, regtestConf(true));
    program.saveCryptoSettings();
    const double seconds = program.tryTheNode();
    SetupCheckWindow& window = program.window();
    std::cout << "[ timing ] TRY THE NODE, refused line: " << seconds << " s\n"
              << window.TRY_NODE_REPORT_TEXTBOX.text() << "\n";
    EXPECT_FALSE(window.trial().succeeded());
    EXPECT_EQ(window.TRY_NODE_STATUS_TEXTBOX.background(), colours::red);
    EXPECT_NE(window.TRY_NODE_REPORT_TEXTBOX.text().find("Config setting for -wallet only applied on regtest"),
              std::string::npos)
        << window.TRY_NODE_REPORT_TEXTBOX.text();
    EXPECT_FALSE(program.nodeRuns());
}

TEST(TryTheNode, AMissingProgramIsToldAndNothingIsLeftRunning) {
    TempDir dir;
    TrialProgram program(dir, "TRYNONE" + std::to_string(::getpid()));
    program.fake.store.put(program.fake.environment.exeName, "DAEMOND_NAME_TEXTBOX", "nosuchd" + std::to_string(::getpid()));
    program.saveCryptoSettings();
    program.tryTheNode();
    SetupCheckWindow& window = program.window();
    EXPECT_EQ(window.TRY_NODE_STATUS_TEXTBOX.text(), node_trial_texts::neverRan) << window.TRY_NODE_REPORT_TEXTBOX.text();
    EXPECT_NE(window.TRY_NODE_REPORT_TEXTBOX.text().find("not found"), std::string::npos)
        << window.TRY_NODE_REPORT_TEXTBOX.text();
    EXPECT_FALSE(program.nodeRuns());
}

}  // namespace
}  // namespace syncward::testing
