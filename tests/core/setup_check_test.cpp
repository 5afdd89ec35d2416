// The set-up check judges the settings as a run would use them: each check
// red where a run would fail, yellow where it would work but probably not
// as meant, green otherwise; and the mistakes of a first night named.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/setupcheck/conf_rules.h"
#include "core/setupcheck/setup_check_texts.h"
#include "core/setupcheck/setup_check_window.h"
#include "core/setupcheck/setup_check_windows.h"
#include "core/setupcheck/setup_checks.h"
#include "core/settings/crypto_settings_window.h"
#include "core/settings/email_main_settings_window.h"
#include "core/settings/main_settings_window.h"
#include "core/settings/settings_windows.h"
#include "setup_check_rig.h"

namespace syncward::testing {
namespace {

namespace texts = setup_check_texts;

// The line whose words hold text; a failure names every line.
const CheckLine* lineWith(const CheckLines& lines, const std::string& text) {
    for (const CheckLine& line : lines)
        if ((line.found + " - " + line.fix).find(text) != std::string::npos) return &line;
    return nullptr;
}

std::string allLines(const CheckLines& lines) {
    std::string text;
    for (const CheckLine& line : lines) text += plainText(line) + "\n";
    return text;
}

// The lines are held here: a check's result may be a temporary.
#define EXPECT_LINE(lines, text, wanted)                                     \
    do {                                                                     \
        const CheckLines held_ = (lines);                                    \
        const CheckLine* found_ = lineWith(held_, text);                     \
        ASSERT_NE(found_, nullptr) << text << " in\n" << allLines(held_);    \
        EXPECT_EQ(found_->level, wanted) << plainText(*found_);              \
    } while (0)

TEST(SetupCheck, ACorrectDaemonOnlySetUpShowsNoRed) {
    SetupRig rig;
    const CheckLines lines = rig.check();
    EXPECT_FALSE(anyFailing(lines)) << allLines(lines);
    EXPECT_LINE(lines, "HOME FOLDER /home/ann/SW", CheckLevel::Fine);
    EXPECT_LINE(lines, "LTC1-RUN-DAEMON.sh, LTC1-RUN-BLOCKCOUNTER-GBC.sh, LTC1-RUN-BLOCKCOUNTER-NODE-CHECK.sh, LTC1-RUN-CLI-STOP.sh",
                CheckLevel::Fine);
    EXPECT_LINE(lines, "BLOCKCHAIN FOLDER /home/ann/ltc-data - 500.0 GB FREE", CheckLevel::Fine);
    EXPECT_LINE(lines, "DAEMON PROGRAM /usr/bin/litecoind", CheckLevel::Fine);
    EXPECT_LINE(lines, "CLIENT PROGRAM /usr/bin/litecoin-cli", CheckLevel::Fine);
    EXPECT_LINE(lines, texts::nodeNotRunning, CheckLevel::Fine);
    EXPECT_LINE(lines, texts::runChoicesFine, CheckLevel::Fine);
    EXPECT_TRUE(rig.probe.ran.empty());  // a node that is not running is not asked
}

// ---- the four mistakes of a first night ----

TEST(SetupCheck, AMissingBlockchainFolderIsRedWithItsFix) {
    SetupRig rig;
    rig.probe.paths.erase(rig.data);
    EXPECT_LINE(rig.check(), "BLOCKCHAIN FOLDER /home/ann/ltc-data DOES NOT EXIST - CREATE IT", CheckLevel::Failing);
}

TEST(SetupCheck, AWalletLineOutsideTheRegtestSectionIsRed) {
    SetupRig rig;
    rig.h.fake.files.files[rig.conf] = "regtest=1\nwallet=main\n[regtest]\nrpcport=19443\n";
    EXPECT_LINE(rig.check(), "LINE 2 \"wallet=main\" - OUTSIDE [regtest]: THE NODE REFUSES TO START",
                CheckLevel::Failing);

    // A line of the file quoted for the terminal shows its control
    // characters rather than sending them (an escape sequence would).
    rig.h.fake.files.files[rig.conf] = "regtest=1\nwallet=\x1b]0;owned\x07\n[regtest]\n";
    const std::string printed = allLines(rig.check());
    EXPECT_NE(printed.find("LINE 2 \"wallet=\\x1B]0;owned\\x07\""), std::string::npos) << printed;
    EXPECT_EQ(printed.find('\x1b'), std::string::npos);
}

TEST(SetupCheck, AQtWalletWhereDebianDoesNotPutItIsRedAndTheRightPathOffered) {
    SetupRig rig;
    MainWindow& w = rig.h.main();
    w.RUN_QT_TICKBOX.setTicked(true);  // the daemon goes off with it
    ASSERT_FALSE(w.RUN_DAEMON_TICKBOX.ticked());
    EXPECT_LINE(rig.check(),
                "QT PROGRAM /usr/bin/litecoin-qt DOES NOT EXIST - FOUND AT /usr/lib/litecoin/litecoin-qt - CRYPTO "
                "SETTINGS: PUT /usr/lib/litecoin AS ITS FOLDER",
                CheckLevel::Failing);
    rig.probe.paths.erase("/usr/lib/litecoin/litecoin-qt");
    EXPECT_LINE(rig.check(), std::string("DOES NOT EXIST - ") + texts::fixInstallNode, CheckLevel::Failing);
}

TEST(SetupCheck, FinishWhenIdenticalUntickedSaysTheRunWaitsRedWhenNobodyStartsIt) {
    SetupRig rig;
    rig.h.main().FINISH_WHEN_IDENTICAL_TICKBOX.setTicked(false);
    const CheckLines lines = rig.check();
    EXPECT_LINE(lines, "NEVER FINISHES BY ITSELF", CheckLevel::Failing);  // AutoStart ticked: unattended
    EXPECT_EQ(lineWith(lines, texts::runChoicesFine), nullptr);
    rig.h.main().AUTOSTART_TICKBOX.setTicked(false);
    EXPECT_LINE(rig.check(), "NEVER FINISHES BY ITSELF", CheckLevel::Doubtful);
}

// ---- the home folder and the command files ----

TEST(SetupCheck, TheHomeFolderMustBeSetFullExistingWritableAndComplete) {
    SetupRig rig;
    rig.probe.paths.erase(rig.home + "/LOGS");
    rig.probe.paths.erase(rig.home + "/REPORTS");
    EXPECT_LINE(rig.check(), "HOME FOLDER /home/ann/SW LACKS LOGS, REPORTS - MAIN SETTINGS: \"CREATE FOLDERS\"",
                CheckLevel::Failing);
    rig.probe.paths[rig.home].writable = false;
    EXPECT_LINE(rig.check(), "HOME FOLDER /home/ann/SW IS NOT WRITABLE", CheckLevel::Failing);
    rig.probe.paths.erase(rig.home);
    EXPECT_LINE(rig.check(), "HOME FOLDER /home/ann/SW DOES NOT EXIST", CheckLevel::Failing);
    rig.h.main().SYNCWARD_HOME_TEXTBOX.setText("SW");
    EXPECT_LINE(rig.check(), "HOME FOLDER SW IS NOT A FULL PATH", CheckLevel::Failing);
    rig.h.main().SYNCWARD_HOME_TEXTBOX.setText("");
    EXPECT_LINE(rig.check(), texts::noHome, CheckLevel::Failing);
}

TEST(SetupCheck, ACommandFileMissingIsRedAndOneThatDiffersFromTheSettingsIsNamed) {
    SetupRig rig;
    auto& files = rig.h.fake.files.files;
    files.erase(rig.home + "/BATS/LTC1-RUN-CLI-STOP.sh");
    files[rig.home + "/BATS/LTC1-RUN-DAEMON.sh"] = "exec /usr/bin/litecoind -conf=old\n";  // an earlier version's
    const CheckLines lines = rig.check();
    EXPECT_LINE(lines, "COMMAND FILE LTC1-RUN-CLI-STOP.sh MISSING - CRYPTO SETTINGS", CheckLevel::Failing);
    EXPECT_LINE(lines, "COMMAND FILE LTC1-RUN-DAEMON.sh DIFFERS FROM WHAT THE SETTINGS WRITE NOW", CheckLevel::Doubtful);

    // A step that is not ticked needs no file.
    rig.h.main().TASK_11_ENABLE_TICKBOX.setTicked(false);
    EXPECT_EQ(lineWith(rig.check(), "LTC1-RUN-CLI-STOP.sh"), nullptr);
}

// ---- the blockchain folder ----

TEST(SetupCheck, FreeSpaceIsRedUnderOneGigabyteAndYellowUnderTen) {
    SetupRig rig;
    rig.h.fake.files.diskFree = std::uint64_t{900} << 20;
    EXPECT_LINE(rig.check(), "ONLY 0.8 GB FREE", CheckLevel::Failing);
    rig.h.fake.files.diskFree = std::uint64_t{5} << 30;
    EXPECT_LINE(rig.check(), "ONLY 5.0 GB FREE", CheckLevel::Doubtful);
    rig.probe.paths[rig.data].writable = false;
    EXPECT_LINE(rig.check(), "BLOCKCHAIN FOLDER /home/ann/ltc-data IS NOT WRITABLE", CheckLevel::Failing);
}

// ---- the configuration file ----

TEST(SetupCheck, TheConfFileMustExistAndAPasswordInItStayWithItsOwner) {
    SetupRig rig;
    rig.h.fake.files.files[rig.conf] = "rpcuser=u\nrpcpassword=secret\n";
    rig.probe.paths[rig.conf].sharedWithOthers = true;
    EXPECT_LINE(rig.check(), "HOLDS A PASSWORD AND OTHERS MAY READ IT - IT HOLDS A PASSWORD: chmod 600 IT",
                CheckLevel::Doubtful);
    rig.h.fake.files.files[rig.conf] = "rpcuser=u\n";  // no password: nothing to hide
    EXPECT_LINE(rig.check(), "\".CONF\" FILE " + rig.conf, CheckLevel::Fine);

    rig.h.fake.files.files.erase(rig.conf);
    rig.probe.paths.erase(rig.conf);
    EXPECT_LINE(rig.check(), "\".CONF\" FILE " + rig.conf + " DOES NOT EXIST", CheckLevel::Failing);
}

TEST(ConfRules, TestNetworkSettingsBelongInTheirSection) {
    // The main network takes them anywhere.
    EXPECT_TRUE(confProblems("wallet=w\nrpcport=9332\n").empty());
    // In its section, fine; outside it the wallet stops the node, a port is ignored.
    EXPECT_TRUE(confProblems(goodConf).empty());
    const auto problems = confProblems("# made by hand\ntestnet=1\nrpcport=1\nwallet=w\n[test]\nport=2\n");
    ASSERT_EQ(problems.size(), 2u);
    EXPECT_EQ(problems[0].lineNumber, 3);
    EXPECT_FALSE(problems[0].refused);
    EXPECT_EQ(problems[1].line, "wallet=w");
    EXPECT_TRUE(problems[1].refused);
    EXPECT_NE(problems[1].why.find("[test]"), std::string::npos);
    // "regtest=0" chooses no test network.
    EXPECT_TRUE(confProblems("regtest=0\nwallet=w\n").empty());
    // A line that is not key=value stops any node; a comment after a value is no part of it.
    const auto parse = confProblems("server=1 # on\nrpcallowip\n");
    ASSERT_EQ(parse.size(), 1u);
    EXPECT_EQ(parse[0].lineNumber, 2);
    EXPECT_TRUE(parse[0].refused);
    EXPECT_TRUE(confHoldsPassword("[regtest]\nrpcpassword = x\n"));
    EXPECT_FALSE(confHoldsPassword("rpcpassword=\n#rpcpassword=x\n"));
}

// ---- the client and the running node ----

TEST(SetupCheck, TheRunningNodeIsAskedThroughTheRealClientAndItsRefusalsToldApart) {
    SetupRig rig;
    rig.h.fake.processes.start("litecoind");
    FakeSetupProbe& probe = rig.probe;
    probe.answers["getblockchaininfo"] = {true, false, 0, "{\"chain\": \"regtest\"}"};
    EXPECT_LINE(rig.check(), texts::clientReaches, CheckLevel::Fine);
    ASSERT_EQ(probe.ran.size(), 1u);
    EXPECT_EQ(probe.ran[0], (std::vector<std::string>{"/usr/bin/litecoin-cli", "-conf=" + rig.conf,
                                                      "-datadir=" + rig.data, "getblockchaininfo"}));

    probe.answers["getblockchaininfo"] = {true, false, 1, "error: Incorrect rpcuser or rpcpassword (authorization failed)\n"};
    EXPECT_LINE(rig.check(), texts::loginRefused, CheckLevel::Failing);
    probe.answers["getblockchaininfo"] = {true, false, 1, "error: Could not connect to the server 127.0.0.1:19443\n"};
    EXPECT_LINE(rig.check(), texts::wrongPort, CheckLevel::Failing);
    probe.answers["getblockchaininfo"] = {true, false, 28, "error code: -28\nerror message:\nLoading block index...\n"};
    EXPECT_LINE(rig.check(), texts::nodeStarting, CheckLevel::Doubtful);
    probe.answers["getblockchaininfo"] = {true, true, -1, ""};
    EXPECT_LINE(rig.check(), "NO ANSWER IN 15 SECONDS", CheckLevel::Failing);
}

// ---- e-mail ----

TEST(SetupCheck, MailStepsNeedTheMailerItsFilesAServerThatAnswersAndAPassword) {
    SetupRig rig;
    rig.h.store("SE_HOME_TEXTBOX", "/usr/bin");
    rig.h.store("SMTP_SERVER_ADDRESS_PORT_TEXTBOX", "127.0.0.1:2525");
    rig.h.main().TASK_17_ENABLE_TICKBOX.setTicked(true);
    CheckLines lines = rig.check();
    EXPECT_LINE(lines, "MAILER /usr/bin/sendemail NOT INSTALLED", CheckLevel::Failing);
    EXPECT_LINE(lines, "COMMAND FILE LTC1-END-REPORT-EMAIL.sh MISSING", CheckLevel::Failing);
    EXPECT_LINE(lines, "MAIL SERVER \"127.0.0.1:2525\" DOES NOT ANSWER", CheckLevel::Failing);
    EXPECT_LINE(lines, texts::mailPasswordEmpty, CheckLevel::Doubtful);

    rig.probe.paths["/usr/bin/sendemail"] = FakeSetupProbe::program();
    rig.probe.open.insert("127.0.0.1:2525");
    // Typed into the window (the check reads it as it stands).
    EmailMainSettingsWindow& mail = rig.h.app->settingsWindows().emailSettings();
    mail.SMTP_PASSWORD_TEXTBOX.setText("pw");
    lines = rig.check();
    EXPECT_LINE(lines, "MAILER /usr/bin/sendemail", CheckLevel::Fine);
    EXPECT_LINE(lines, "MAIL SERVER \"127.0.0.1:2525\" ANSWERS ON ITS PORT", CheckLevel::Fine);
    EXPECT_EQ(lineWith(lines, texts::mailPasswordEmpty), nullptr);

    mail.SMTP_SERVER_ADDRESS_PORT_TEXTBOX.setText("smtp.example.org");
    EXPECT_LINE(rig.check(), "IS NOT \"host:port\"", CheckLevel::Failing);
}

// Only a greeting as a mail server ("220") is green: a port that takes the
// connection may belong to anything, or to a server that never answers.
TEST(SetupCheck, OnlyAServerThatGreetsAsAMailServerIsGreen) {
    SetupRig rig;
    rig.h.store("SE_HOME_TEXTBOX", "/usr/bin");
    rig.h.store("SMTP_SERVER_ADDRESS_PORT_TEXTBOX", "127.0.0.1:2525");
    rig.h.main().TASK_4_ENABLE_TICKBOX.setTicked(true);
    EmailMainSettingsWindow& mail = rig.h.app->settingsWindows().emailSettings();
    using Outcome = ServerGreeting::Outcome;
    const std::string named = "MAIL SERVER \"127.0.0.1:2525\"";
    const struct {
        ServerGreeting greeting;
        std::string found;
        CheckLevel level;
    } cases[] = {
        {{Outcome::Line, "220 mail.example.org ESMTP"}, named + " ANSWERS ON ITS PORT", CheckLevel::Fine},
        {{Outcome::Line, "220-mail.example.org first of two"}, named + " ANSWERS ON ITS PORT", CheckLevel::Fine},
        {{Outcome::Line, "220"}, named + " ANSWERS ON ITS PORT", CheckLevel::Fine},
        {{Outcome::Silent, ""}, named + texts::mailServerSilent, CheckLevel::Failing},
        {{Outcome::Silent, "220 half a"}, named + texts::mailServerSilent, CheckLevel::Failing},
        {{Outcome::Closed, ""}, named + texts::mailServerClosed, CheckLevel::Failing},
        {{Outcome::NoConnection, ""}, named + " DOES NOT ANSWER ON ITS PORT", CheckLevel::Failing},
        {{Outcome::Line, "554 5.7.1 no service for you"},
         named + texts::mailServerRefuses + "\"554 5.7.1 no service for you\"", CheckLevel::Failing},
        {{Outcome::Line, "421 4.3.2 too busy, try later"},
         named + texts::mailServerNotNow + "\"421 4.3.2 too busy, try later\"", CheckLevel::Doubtful},
        {{Outcome::Line, "SSH-2.0-OpenSSH_9.2"}, named + texts::notAMailServer + "\"SSH-2.0-OpenSSH_9.2\"",
         CheckLevel::Failing},
        {{Outcome::Line, "2200 not a reply"}, named + texts::notAMailServer, CheckLevel::Failing},
        {{Outcome::Line, ""}, named + texts::notAMailServer + "\"\"", CheckLevel::Failing},
        {{Outcome::Line, std::string(300, 'x')}, named + texts::notAMailServer + "\"" + std::string(100, 'x') + "...\"",
         CheckLevel::Failing},
    };
    for (const auto& c : cases) {
        rig.probe.servers["127.0.0.1:2525"] = c.greeting;
        const CheckLines lines = rig.check();
        const CheckLine* line = lineWith(lines, named);
        ASSERT_NE(line, nullptr) << allLines(lines);
        EXPECT_EQ(line->found.substr(0, c.found.size()), c.found) << c.greeting.line;
        EXPECT_EQ(line->level, c.level) << plainText(*line);
    }

    // Port 465 wants TLS before any word, and the mailer starts plain: its
    // silence is named for what it is.
    mail.SMTP_SERVER_ADDRESS_PORT_TEXTBOX.setText("smtp.example.org:465");
    rig.probe.servers["smtp.example.org:465"] = {Outcome::Silent, ""};
    EXPECT_LINE(rig.check(), "MAIL SERVER \"smtp.example.org:465\"" + std::string(texts::mailServerTlsOnly),
                CheckLevel::Failing);
    EXPECT_LINE(rig.check(), "USE ITS PORT 587", CheckLevel::Failing);
}

// The mail command files are held to what the e-mail settings' OK would
// write now, password and all, exactly as the node's files are: a file that
// only says "exit 0" sends nothing and must not pass.
TEST(SetupCheck, MailCommandFilesAreHeldToTheLinesTheEmailSettingsWriteNow) {
    SetupRig rig;
    rig.probe.paths["/usr/bin/sendemail"] = FakeSetupProbe::program();
    rig.probe.open.insert("127.0.0.1:2525");
    rig.h.main().TASK_4_ENABLE_TICKBOX.setTicked(true);
    rig.h.main().TASK_17_ENABLE_TICKBOX.setTicked(true);
    {
        EmailMainSettingsWindow& mail = rig.h.app->settingsWindows().emailSettings();
        mail.SE_HOME_TEXTBOX.setText("/usr/bin");
        mail.SEND_FROM_ADDRESS_TEXTBOX.setText("node@example.org");
        mail.SEND_TO_ADDRESS_TEXTBOX.setText("me@example.org");
        mail.SMTP_SERVER_ADDRESS_PORT_TEXTBOX.setText("127.0.0.1:2525");
        mail.SMTP_USERNAME_TEXTBOX.setText("ann");
        mail.SMTP_PASSWORD_TEXTBOX.setText("pw");
        mail.REPORT_AS_ATTACHMENT_TICKBOX.setTicked(true);
        mail.OK_BUTTON.click();
        ASSERT_FALSE(mail.isOpen()) << mail.MESSAGE_STATUS_TEXTBOX.text();
    }
    const std::string endFile = rig.home + "/BATS/LTC1-END-REPORT-EMAIL.sh";
    auto& files = rig.h.fake.files.files;
    ASSERT_NE(files[endFile].find("pw"), std::string::npos);  // the file holds the password, the windows never

    CheckLines lines = rig.check();
    EXPECT_FALSE(anyFailing(lines)) << allLines(lines);
    EXPECT_EQ(lineWith(lines, texts::differs), nullptr) << allLines(lines);
    EXPECT_LINE(lines, "LTC1-RUN-CLI-STOP.sh, LTC1-START-EMAIL.sh, LTC1-END-REPORT-EMAIL.sh", CheckLevel::Fine);

    files[endFile] = "exit 0\n";
    lines = rig.check();
    EXPECT_LINE(lines, "COMMAND FILE LTC1-END-REPORT-EMAIL.sh" + std::string(texts::differs) + " - " + texts::fixSaveMail,
                CheckLevel::Doubtful);
    EXPECT_LINE(lines, "LTC1-RUN-CLI-STOP.sh, LTC1-START-EMAIL.sh - ", CheckLevel::Fine);
    files.erase(endFile);
    EXPECT_LINE(rig.check(), "COMMAND FILE LTC1-END-REPORT-EMAIL.sh MISSING", CheckLevel::Failing);

    // Settings changed since the files were written: the files are old.
    // The new password is compared as the file would hold it.
    rig.h.app->settingsWindows().emailSettings().SMTP_PASSWORD_TEXTBOX.setText("new pw");
    EXPECT_LINE(rig.check(), "COMMAND FILE LTC1-START-EMAIL.sh DIFFERS", CheckLevel::Doubtful);
}

// ---- the weekly task ----

TEST(SetupCheck, TheWeeklyLineIsThereEnabledAndStartsAProgramThatExists) {
    SetupRig rig;
    EXPECT_LINE(rig.check(), texts::taskNotWanted, CheckLevel::Doubtful);
    rig.h.store("ENABLE_SCHED_TASK_TICKBOX", "1");
    EXPECT_LINE(rig.check(), texts::taskMissing, CheckLevel::Failing);

    const std::string line = "30 2 * * 0 DISPLAY=':0' '/home/ann/bin/LTC 1' # SYNCWARD - LTC1\n";
    rig.h.fake.crontab.table = "MAILTO=ann\n#" + line;
    EXPECT_LINE(rig.check(), texts::taskDisabled, CheckLevel::Failing);
    rig.h.fake.crontab.table = "MAILTO=ann\n" + line;
    EXPECT_LINE(rig.check(), "THE WEEKLY LINE STARTS /home/ann/bin/LTC 1, WHICH IS NOT A PROGRAM", CheckLevel::Failing);
    rig.probe.paths["/home/ann/bin/LTC 1"] = FakeSetupProbe::program();
    CheckLines lines = rig.check();
    EXPECT_LINE(lines, "WEEKLY TASK ENABLED: /home/ann/bin/LTC 1", CheckLevel::Fine);
    EXPECT_LINE(lines, "NAMES THE DISPLAY :0, NOT OPEN NOW - THE RUN WILL GO OFFSCREEN", CheckLevel::Doubtful);
    rig.probe.paths["/tmp/.X11-unix/X0"] = FakeSetupProbe::readableFile();
    EXPECT_EQ(lineWith(rig.check(), "NAMES THE DISPLAY"), nullptr);
}

// ---- keeping awake and the power action ----

TEST(SetupCheck, KeepAwakePiecesAreTriedWithoutBeingKept) {
    SetupRig rig;
    rig.h.main().TASK_2_ENABLE_TICKBOX.setTicked(true);
    EXPECT_LINE(rig.check(), texts::keepAwakeFine, CheckLevel::Fine);
    EXPECT_FALSE(rig.h.fake.sleepInhibitor.held());  // held for the check only
    rig.h.fake.lockKeys.isAvailable = false;
    rig.h.fake.sleepInhibitor.noBus = true;
    const CheckLines lines = rig.check();
    EXPECT_LINE(lines, texts::noLockKeys, CheckLevel::Doubtful);
    EXPECT_LINE(lines, texts::noInhibitor, CheckLevel::Doubtful);
}

// GNOME's automatic suspend asks its session manager, not the login
// manager: only a desktop's own inhibitor makes the line green.
TEST(SetupCheck, NamesTheInhibitorsThisSessionOffersAndDoubtsTheLoginManagersAlone) {
    SetupRig rig;
    rig.h.main().TASK_2_ENABLE_TICKBOX.setTicked(true);
    FakeSleepInhibitor& inhibitor = rig.h.fake.sleepInhibitor;
    inhibitor.names = {{"GNOME SESSION", true}, {"LOGIND", false}};
    EXPECT_LINE(rig.check(), "KEEP-AWAKE: SLEEP HELD OFF BY GNOME SESSION + LOGIND", CheckLevel::Fine);
    EXPECT_FALSE(inhibitor.held());

    inhibitor.names = {{"LOGIND", false}};
    EXPECT_LINE(rig.check(), "KEEP-AWAKE: SLEEP HELD OFF BY LOGIND ONLY - THIS SESSION OFFERS NO DESKTOP INHIBITOR",
                CheckLevel::Doubtful);

    // Already held by the heartbeat: looked at, and left held.
    inhibitor.names = {{"POWER MANAGEMENT", true}, {"LOGIND", false}};
    ASSERT_TRUE(inhibitor.hold());
    EXPECT_LINE(rig.check(), "KEEP-AWAKE: SLEEP HELD OFF BY POWER MANAGEMENT + LOGIND", CheckLevel::Fine);
    EXPECT_TRUE(inhibitor.held());
}

// The line says what the night's action will go through and whether the
// system will allow it outside this session, on what that rests, and the fix.
TEST(SetupCheck, ThePowerActionIsForecastForTheWeeklyStart) {
    SetupRig rig;
    MainWindow& w = rig.h.main();
    FakePowerSwitch& power = rig.h.fake.powerSwitch;
    w.TASK_20_ENABLE_TICKBOX.setTicked(true);
    w.AUTOTIMER_ACTION_TEXTBOX.setText("SHUTDOWN PC");
    power.nextForecast = {PowerForecast::Verdict::refused, "LOGIN MANAGER", "CanPowerOff: challenge", "ADD THE USER"};
    EXPECT_LINE(rig.check(),
                "SHUTDOWN PC THROUGH LOGIN MANAGER: CanPowerOff: challenge - THE SYSTEM WOULD REFUSE IT, AND THE "
                "COMPUTER WOULD STAY ON",
                CheckLevel::Failing);
    power.nextForecast = {PowerForecast::Verdict::unknown, "systemctl", "NOT ASKED", "LOOK"};
    EXPECT_LINE(rig.check(), "SHUTDOWN PC THROUGH systemctl: NOT ASKED", CheckLevel::Doubtful);
    power.nextForecast = {PowerForecast::Verdict::allowed, "LOGIN MANAGER", "CanPowerOff: yes", {}};
    EXPECT_LINE(rig.check(), "SHUTDOWN PC THROUGH LOGIN MANAGER: CanPowerOff: yes", CheckLevel::Fine);
    EXPECT_TRUE(power.requested.empty()) << "a check never powers anything off";
    w.AUTOTIMER_ACTION_TEXTBOX.setText("");
    EXPECT_LINE(rig.check(), texts::noPowerAction, CheckLevel::Doubtful);
}

// ---- the window ----

TEST(SetupCheckWindow, OpensOverTheMainSettingsWithOneColouredLinePerCheck) {
    SetupRig rig;
    rig.probe.paths.erase(rig.data);
    SettingsWindows& settings = rig.h.app->settingsWindows();
    settings.mainSettings().CHECK_SETUP_BUTTON.click();
    SetupCheckWindow& window = rig.h.app->setupCheck().window();
    ASSERT_TRUE(window.isOpen());
    const CheckLines& lines = window.results();
    ASSERT_GE(lines.size(), 5u);
    const auto red = std::find_if(lines.begin(), lines.end(), [](const CheckLine& l) { return l.level == CheckLevel::Failing; });
    ASSERT_NE(red, lines.end());
    Label& redLabel = window.checkLine(static_cast<int>(red - lines.begin()) + 1);
    EXPECT_EQ(redLabel.background(), colours::red);
    EXPECT_EQ(redLabel.caption(), red->found + " - " + red->fix);
    EXPECT_EQ(window.checkLine(1).background(), colours::green);
    EXPECT_FALSE(window.checkLine(static_cast<int>(lines.size()) + 1).visible());
    EXPECT_EQ(window.SUMMARY_TEXTBOX.text(), texts::someFail);

    // Fixed while the window is open, and checked again.
    rig.probe.paths[rig.data] = FakeSetupProbe::folder();
    window.RUN_CHECK_AGAIN_BUTTON.click();
    EXPECT_EQ(window.SUMMARY_TEXTBOX.text(), texts::onlyDoubts);  // no weekly task yet
    EXPECT_FALSE(anyFailing(window.results()));
}

}  // namespace
}  // namespace syncward::testing
