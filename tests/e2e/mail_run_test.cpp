// The built program mails its start and its end report through the
// packaged sendemail to a local sink that wants a login.
#include <signal.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <thread>

#include "e2e/mail_setup.h"
#include "e2e/program_run.h"
#include "e2e/smtp_sink.h"
#include "e2e/standin_node.h"
#include "platform/posix/proc_process_table.h"

namespace syncward::testing {
namespace {

namespace fs = std::filesystem;

constexpr const char* passwordBase64 = "cGEgc3MkJ2B4";  // as the SMTP login sends it

// Whether any process's arguments hold the text.
bool anyCommandLineHolds(const std::string& text) {
    for (const auto& entry : fs::directory_iterator("/proc")) {
        const std::string name = entry.path().filename();
        if (name.find_first_not_of("0123456789") != std::string::npos) continue;
        if (readWholeFile(entry.path() / "cmdline").find(text) != std::string::npos) return true;
    }
    return false;
}

bool mailerRunning() {
    const auto answer = ProcProcessTable().running({"sendemail"});
    return answer && (*answer)[0];
}

// Files that may hold the password or the report are readable by their owner only.
std::vector<std::string> filesOthersCanRead(const std::string& folder) {
    std::vector<std::string> open;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (!entry.is_regular_file()) continue;
        struct stat info {};
        ::stat(entry.path().c_str(), &info);
        if (info.st_mode & 077) open.push_back(entry.path());
    }
    return open;
}

bool holds(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(MailRun, BothMailsReachTheSinkWithTheirLoginAndThePasswordIsNeverInAnyProcessOrTheLog) {
    if (!fs::exists("/usr/bin/sendemail") || !fs::exists("/usr/bin/python3")) GTEST_SKIP() << "no sendemail or python3";
    TempDir dir;
    SmtpSink sink(dir.path(), "nodeuser", password, true);
    ASSERT_NE(sink.port(), 0) << "the SMTP sink did not start";
    StandinNode node(dir.path(), 1);
    ProgramRun program(dir, "E2EMAIL");
    std::filesystem::create_directories(dir / "chain/blocks");
    NodeCommandFields fields = node.commandFields(program.configFile(), dir / "chain");
    program.nodeCommandFiles(fields, "0\n");
    configureMail(program, {"/usr/bin", sink.port(), true});
    program.unattendedRunSwitches("Fakecoin", "00:00:01");

    // While the sink holds the start mail, the mailer is running and seen
    // by its name, and no process shows the password.
    std::atomic<bool> held = false, seenRunning = false, passwordShown = true;
    std::thread watcher([&] {
        for (int i = 0; i < 900 && readWholeFile(sink.file("logins")).empty(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        held = !readWholeFile(sink.file("logins")).empty();
        std::this_thread::sleep_for(std::chrono::milliseconds(300));  // the data is on its way
        seenRunning = mailerRunning();
        passwordShown = anyCommandLineHolds(password) || anyCommandLineHolds(passwordBase64);
        sink.release();
    });
    const int exitCode = program.run(240);
    sink.release();
    watcher.join();
    ASSERT_EQ(exitCode, 0) << "the program did not close itself";
    std::system(("pkill -KILL -x " + node.daemonName + " 2>/dev/null").c_str());

    EXPECT_TRUE(held) << "the mailer never logged in";
    EXPECT_TRUE(seenRunning) << "the process table did not see the mailer while it sent";
    EXPECT_FALSE(passwordShown) << "a process showed the password in its arguments";

    // Steps 4 and 17 ran the mailer; wait for the end mail, sent in the background.
    for (int i = 0; i < 300 && !fs::exists(sink.file("mail-2.eml")); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    ASSERT_TRUE(fs::exists(sink.file("mail-1.eml")));
    ASSERT_TRUE(fs::exists(sink.file("mail-2.eml")));
    EXPECT_EQ(readWholeFile(sink.file("logins")), std::string("nodeuser\t") + password + "\n" + "nodeuser\t" + password + "\n");

    const std::string startHeaders = readWholeFile(sink.file("mail-1.headers"));
    EXPECT_TRUE(holds(startHeaders, "Subject: SYNCWARD - Fakecoin - STARTED\n")) << startHeaders;
    EXPECT_TRUE(holds(startHeaders, "From: \"node@example.org\" <node@example.org>\n")) << startHeaders;
    EXPECT_TRUE(holds(startHeaders, "To: \"me@example.org\" <me@example.org>\n")) << startHeaders;
    EXPECT_TRUE(holds(startHeaders, "Cc: \"ops@example.org\" <ops@example.org>\n")) << startHeaders;
    EXPECT_TRUE(holds(startHeaders, "Reply-To: \"node@example.org\" <node@example.org>\n")) << startHeaders;
    EXPECT_EQ(readWholeFile(sink.file("mail-1.rcpt")), "me@example.org\nops@example.org\naudit@example.org\n");
    EXPECT_EQ(readWholeFile(sink.file("mail-1.body")), "SYNCWARD - Fakecoin - STARTED\n");

    const std::string report = readWholeFile(program.homeFile("REPORTS", "-END-REPORT.LOG"));
    ASSERT_FALSE(report.empty());
    const std::string endHeaders = readWholeFile(sink.file("mail-2.headers"));
    EXPECT_TRUE(holds(endHeaders, "Subject: SYNCWARD - Fakecoin - COMPLETED - LOG REPORT\n")) << endHeaders;
    EXPECT_TRUE(holds(endHeaders, "Reply-To: \"node@example.org\" <node@example.org>\n")) << endHeaders;
    // The body is the report, followed by the line end the mailer puts before its MIME boundary.
    EXPECT_EQ(readWholeFile(sink.file("mail-2.body")), report + "\n");
    EXPECT_EQ(readWholeFile(sink.file("mail-2.attachment.E2EMAIL-END-REPORT.LOG")), report);
    // The report is UTF-8 (a folder named with accents), and both mails say so.
    for (const char* mail : {"mail-1.eml", "mail-2.eml"})
        EXPECT_TRUE(holds(readWholeFile(sink.file(mail)), "charset=\"UTF-8\"")) << mail;

    const std::string log = readWholeFile(program.homeFile("LOGS", "-SEND-EMAIL.LOG"));
    EXPECT_TRUE(holds(log, "Email was sent successfully!  From: <node@example.org> To: <me@example.org>")) << log;
    EXPECT_FALSE(holds(log, password)) << log;
    EXPECT_FALSE(holds(log, passwordBase64)) << log;
    EXPECT_FALSE(holds(log, "AUTH")) << log;

    EXPECT_EQ(filesOthersCanRead(program.home()), std::vector<std::string>{});
    EXPECT_FALSE(mailerRunning());
    const auto left = ProcProcessTable().running({node.daemonName, "sendemail", "E2EMAIL"});
    ASSERT_TRUE(left);
    EXPECT_EQ(*left, (std::vector<bool>{false, false, false}));
}

// The run ends with a power action while the server is slow to take the
// report mail: the action waits until the mailer has delivered it. The
// mailer rewrites its title, which wipes the environment it was started
// with; the run still knows it as its own. The power command is a stand-in
// that notes whether the report mail had arrived when it was called.
TEST(MailRun, ThePowerActionWaitsUntilTheSlowServerHasTakenTheReportMail) {
    if (!fs::exists("/usr/bin/sendemail") || !fs::exists("/usr/bin/python3")) GTEST_SKIP() << "no sendemail or python3";
    TempDir dir;
    SmtpSink sink(dir.path(), "nodeuser", password, true);
    ASSERT_NE(sink.port(), 0) << "the SMTP sink did not start";
    StandinNode node(dir.path(), 1);
    ProgramRun program(dir, "E2EPOWER");
    fs::create_directories(dir / "chain/blocks");
    program.nodeCommandFiles(node.commandFields(program.configFile(), dir / "chain"), "0\n");
    configureMail(program, {"/usr/bin", sink.port(), true});
    program.unattendedRunSwitches("Fakecoin", "00:00:01");
    program.setting("TASK_19_ENABLE_TICKBOX", "0");
    program.setting("TASK_20_ENABLE_TICKBOX", "1");
    program.setting("AUTOTIMER_ACTION_TEXTBOX", "HIBERNATE PC");
    program.setting("CLOSE_REQUEST_COUNTDOWN_TEXTBOX", "00:00:02");
    const std::string record = dir / "power-calls";
    fs::create_directories(dir / "standins");
    const std::string systemctl = dir / "standins/systemctl";
    std::ofstream(systemctl) << "#!/bin/sh\n{ echo \"$*\"; if [ -e '" << sink.file("mail-2.eml")
                             << "' ]; then echo 'report mail delivered'; else echo 'report mail not delivered'; fi; } >> '"
                             << record << "'\n";
    fs::permissions(systemctl, fs::perms::owner_all);
    program.pathFront = dir / "standins";

    // The start mail goes through; the report mail is held for eight
    // seconds once its sender has logged in, far past the countdown.
    std::atomic<bool> reportHeld = false;
    std::thread server([&] {
        for (int i = 0; i < 1200 && !fs::exists(sink.file("mail-1.eml")); ++i) {
            if (!readWholeFile(sink.file("logins")).empty()) sink.release();
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        sink.hold();
        const auto logins = [&] {
            const std::string text = readWholeFile(sink.file("logins"));
            return std::count(text.begin(), text.end(), '\n');
        };
        for (int i = 0; i < 2400 && logins() < 2; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(50));
        reportHeld = logins() >= 2 && mailerRunning();
        std::this_thread::sleep_for(std::chrono::seconds(8));
        sink.release();
    });
    const int pid = program.start();
    for (int i = 0; i < 2400 && readWholeFile(record).empty(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    sink.release();
    server.join();
    ::kill(pid, SIGTERM);  // a program whose power action was only recorded stays open
    program.wait(pid, 20);
    std::system(("pkill -KILL -x " + node.daemonName + " 2>/dev/null").c_str());

    EXPECT_TRUE(reportHeld) << "the report mail was never held: nothing was tested";
    EXPECT_EQ(readWholeFile(record), "hibernate\nreport mail delivered\n");
    EXPECT_TRUE(fs::exists(sink.file("mail-2.eml")));
}

// Three copies at once, each with one thing wrong. A silent server and a
// missing mailer: the run ends and closes itself, and the log says why no
// mail went out. A missing home folder: nothing can be written, so the run
// stays open and red rather than closing as if it had succeeded.
TEST(MailRun, ASilentServerAMissingMailerAndAMissingHomeEndInADefinedState) {
    if (!fs::exists("/usr/bin/sendemail")) GTEST_SKIP() << "sendemail is not installed";
    TempDir dir;
    // A port nobody listens on: taken, then given back.
    int freePort = 0;
    {
        SmtpSink probe(dir.path(), "x", "y", false);
        freePort = probe.port();
    }
    ASSERT_NE(freePort, 0);
    ProgramRun noServer(dir, "E2ENOSERVER");
    configureMail(noServer, {"/usr/bin", freePort, false});
    ProgramRun noMailer(dir, "E2ENOMAILER");
    configureMail(noMailer, {dir / "nowhere", freePort, false});
    ProgramRun noHome(dir, "E2ENOHOME");
    configureMail(noHome, {"/usr/bin", freePort, false});
    fs::remove_all(noHome.home());

    std::vector<int> exits(3, -2);
    std::vector<std::thread> runs;
    ProgramRun* programs[] = {&noServer, &noMailer, &noHome};
    const int limits[] = {120, 120, 55};  // a whole run takes about 45 s
    for (int i = 0; i < 3; ++i) runs.emplace_back([&, i] { exits[i] = programs[i]->run(limits[i]); });
    for (std::thread& run : runs) run.join();
    EXPECT_EQ(exits, (std::vector<int>{0, 0, -1})) << "0: closed itself; -1: still open at its limit";

    for (int i = 0; i < 100 && mailerRunning(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(100));
    const std::string silent = readWholeFile(noServer.homeFile("LOGS", "-SEND-EMAIL.LOG"));
    EXPECT_TRUE(holds(silent, "ERROR => Connection attempt to 127.0.0.1:" + std::to_string(freePort))) << silent;
    EXPECT_FALSE(holds(silent, password));
    EXPECT_FALSE(readWholeFile(noServer.homeFile("REPORTS", "-END-REPORT.LOG")).empty());

    const std::string missing = readWholeFile(noMailer.homeFile("LOGS", "-SEND-EMAIL.LOG"));
    EXPECT_TRUE(holds(missing, "!!! START EMAIL NOT SENT - MAILER NOT FOUND: " + (dir / "nowhere/sendemail") + " !!!"))
        << missing;
    EXPECT_TRUE(holds(missing, "!!! REPORT EMAIL NOT SENT - MAILER NOT FOUND: ")) << missing;
    EXPECT_EQ(noMailer.storedSetting("MULTILOADER_LAST_RUN_TEXTBOX"), "!!! COMPLETED SUCCESSFULLY !!!");

    EXPECT_FALSE(fs::exists(noHome.home()));  // nothing was written into a home that is not there
    EXPECT_FALSE(mailerRunning());
}

}  // namespace
}  // namespace syncward::testing
