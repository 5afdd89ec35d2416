// What a probe of hostile values and a first-time user found in the
// settings windows (issue 25), each through the window a user works:
// crontab lines that cron cannot carry, mail values the mailer reads as
// its options, the password on screen, values stored by a refused OK, and
// a file left behind by a failed one.
#include <gtest/gtest.h>

#include "core/processes/mail_command_lines.h"
#include "core/processes/output_commands_windows.h"
#include "core/scheduler/scheduled_task_window.h"
#include "core/settings/crypto_settings_window.h"
#include "core/settings/email_main_settings_window.h"
#include "core/settings/email_shared_settings_window.h"
#include "core/settings/main_settings_window.h"
#include "core/settings/settings_windows.h"
#include "support/app_harness.h"

namespace syncward::testing {
namespace {

// ---- 1. crontab lines ----

struct CrontabHarness : AppHarness {
    CrontabHarness() : AppHarness(PlatformProfile::posix("/home/satoshi")) {
        store("SYNCWARD_HOME_TEXTBOX", "/home/satoshi/R");
        fake.crontab.table = "MAILTO=\"\"\n17 3 * * 1 /usr/bin/true\n";
    }
    ScheduledTaskWindow& createEveryDay() {
        if (!app) start();
        app->settingsWindows().mainSettings().SCHEDULER_BUTTON.click();
        ScheduledTaskWindow& w = app->settingsWindows().scheduledTask();
        w.SELECT_ALL_DAYS_TICKBOX.setTicked(true);
        w.CREATE_TASK_BUTTON.click();
        return w;
    }
};

TEST(HostileCrontab, ALineBreakInTheCopysNameWritesNoLineAndSaysSoInRed) {
    CrontabHarness h;
    const std::string name = "LTC1\n* * * * * touch /tmp/MARKER #";
    h.fake.environment.exeName = name;
    h.fake.crontab.programToRun = {"/home/satoshi/.local/bin/" + name, {}};
    ScheduledTaskWindow& w = h.createEveryDay();
    EXPECT_EQ(h.fake.crontab.writes, 0);
    EXPECT_EQ(h.fake.crontab.table, "MAILTO=\"\"\n17 3 * * 1 /usr/bin/true\n");
    EXPECT_EQ(w.SCHEDULER_STATUS_LABEL.caption(),
              "!!! CRONTAB NOT CHANGED - THE PROGRAM PATH HOLDS A LINE BREAK OR A CONTROL CHARACTER !!!");
    EXPECT_EQ(w.SCHEDULER_STATUS_LABEL.background(), colours::red);
    EXPECT_EQ(w.TASK_STATUS_TEXTBOX.text(), "TASK-DELETED");
    EXPECT_TRUE(w.CREATE_TASK_BUTTON.enabled());
}

TEST(HostileCrontab, NamesAndPathsCronCannotCarryExactlyAreRefusedEachForItsReason) {
    struct Case {
        std::string name, path;
        std::vector<std::pair<std::string, std::string>> environment;
        const char* says;
    };
    const Case cases[] = {
        {"LTC1", "/opt/LTC\xff", {}, "THE PROGRAM PATH IS NOT VALID UTF-8"},
        {"LTC1", "/opt/LTC\xEF\xBF\xBD", {}, "THE PROGRAM PATH HOLDS U+FFFD (A NAME THE SYSTEM COULD NOT CONVERT)"},
        {"LTC1", "/opt/a\\%b", {}, "THE PROGRAM PATH HOLDS \"\\%\", WHICH CRON CANNOT PASS ON"},
        {"LTC1", "/opt/LTC1", {{"DISPLAY", ":0\n* * * * * id"}},
         "THE VARIABLE DISPLAY HOLDS A LINE BREAK OR A CONTROL CHARACTER"},
        {"L\\%1", "/opt/L1", {}, "THE TASK NAME HOLDS \"\\%\", WHICH CRON CANNOT PASS ON"},
        {"L\r1", "/opt/L1", {}, "THE TASK NAME HOLDS A LINE BREAK OR A CONTROL CHARACTER"},
        {"L\xc3\x28", "/opt/L1", {}, "THE TASK NAME IS NOT VALID UTF-8"},
    };
    for (const Case& c : cases) {
        CrontabHarness h;
        h.fake.environment.exeName = c.name;
        h.fake.crontab.programToRun = {c.path, c.environment};
        ScheduledTaskWindow& w = h.createEveryDay();
        EXPECT_EQ(h.fake.crontab.writes, 0) << c.says;
        EXPECT_EQ(w.SCHEDULER_STATUS_LABEL.caption(), std::string("!!! CRONTAB NOT CHANGED - ") + c.says + " !!!");
        // Nor is the table rewritten by the other buttons.
        w.ENABLE_SCHED_TASK_TICKBOX.setTicked(true);
        EXPECT_EQ(h.fake.crontab.writes, 0) << c.says;
    }
}

// What cron can carry, it carries: "%" escaped in the path and in the tag,
// quotes and blanks quoted for the shell.
TEST(HostileCrontab, APercentInTheNameAndPathIsEscapedAndTheLineFoundAgain) {
    CrontabHarness h;
    h.fake.environment.exeName = "LTC%1 'x'";
    h.fake.crontab.programToRun = {"/opt/LTC%1 'x'", {{"DISPLAY", ":0"}}};
    ScheduledTaskWindow& w = h.createEveryDay();
    EXPECT_EQ(w.SCHEDULER_STATUS_LABEL.caption(),
              "!!! TASK CREATED - MISSED RUNS ARE CAUGHT UP AT THE NEXT BOOT OR LOGIN !!!");
    EXPECT_EQ(h.fake.crontab.table, "MAILTO=\"\"\n17 3 * * 1 /usr/bin/true\n"
                                    "0 0 * * * DISPLAY=':0' '/opt/LTC\\%1 '\\''x'\\''' # SYNCWARD - LTC\\%1 'x'\n"
                                    "@reboot '/opt/LTC\\%1 '\\''x'\\''' --catch-up # SYNCWARD - LTC\\%1 'x'\n");
    EXPECT_EQ(crontab_table::stateOf(*h.fake.crontab.table, "SYNCWARD - LTC%1 'x'"), crontab_table::State::Enabled);
    w.ENABLE_SCHED_TASK_TICKBOX.setTicked(false);
    EXPECT_EQ(w.SCHEDULER_STATUS_LABEL.caption(), "!!! TASK DISABLED !!!");
    EXPECT_NE(h.fake.crontab.table->find("\n#0 0 * * * DISPLAY=':0' '/opt/LTC\\%1 '\\''x'\\''' # SYNCWARD - LTC\\%1 'x'\n"), std::string::npos);
}

// ---- 2. mail values the mailer reads as options ----

struct MailHarness : AppHarness {
    MailHarness() : AppHarness(PlatformProfile::posix("/home/sat")) {
        store("SYNCWARD_HOME_TEXTBOX", "/home/sat/R");
        store("CRYPTO_NAME_TEXTBOX", "LTC");
    }
    EmailMainSettingsWindow& open() {
        if (!app) start();
        main().SETTINGS_BUTTON.click();
        app->settingsWindows().mainSettings().SE_SETTINGS_BUTTON.click();
        EmailMainSettingsWindow& w = app->settingsWindows().emailSettings();
        w.USE_SE_HOME_BUTTON.click();
        w.SMTP_SERVER_ADDRESS_PORT_TEXTBOX.setText("127.0.0.1:2525");
        w.SMTP_USERNAME_TEXTBOX.setText("me");
        w.SMTP_PASSWORD_TEXTBOX.setText("s3cret pw");
        w.SEND_FROM_ADDRESS_TEXTBOX.setText("node@example.org");
        w.SEND_TO_ADDRESS_TEXTBOX.setText("me@example.org");
        return w;
    }
    static constexpr const char* startFile = "/home/sat/R/BATS/BTC1-START-EMAIL.sh";
    static constexpr const char* endFile = "/home/sat/R/BATS/BTC1-END-REPORT-EMAIL.sh";
};

TEST(HostileMail, EveryValueTheMailerWouldReadAsAnOptionIsRefusedAndNothingIsWrittenOrStored) {
    const std::pair<TextBox EmailSettingsForm::*, const char*> fields[] = {
        {&EmailSettingsForm::SEND_FROM_ADDRESS_TEXTBOX, "FROM"},
        {&EmailSettingsForm::SEND_TO_ADDRESS_TEXTBOX, "TO"},
        {&EmailSettingsForm::SEND_CC_ADDRESS_TEXTBOX, "CC"},
        {&EmailSettingsForm::SEND_BCC_ADDRESS_TEXTBOX, "BCC"},
        {&EmailSettingsForm::SMTP_SERVER_ADDRESS_PORT_TEXTBOX, "SMTP SERVER"},
        {&EmailSettingsForm::SMTP_USERNAME_TEXTBOX, "SMTP USER NAME"},
    };
    for (const auto& [field, label] : fields) {
        for (const char* value : {"-v", "-vvv", "--help", "-", "0"}) {
            MailHarness h;
            EmailMainSettingsWindow& w = h.open();
            (w.*field).setText(value);
            h.fake.store.clearLog();
            w.OK_BUTTON.click();
            EXPECT_TRUE(w.isOpen()) << label << " " << value;
            EXPECT_EQ(w.MESSAGE_STATUS_TEXTBOX.text(), email_texts::readAsOption(label)) << value;
            EXPECT_EQ(w.MESSAGE_STATUS_TEXTBOX.background(), colours::red);
            EXPECT_FALSE(h.fake.files.files.count(MailHarness::startFile)) << label << " " << value;
            EXPECT_TRUE(h.fake.store.savedKeys("BTC1").empty()) << label << " " << value;
        }
        // What only looks like an option is a value.
        for (const char* value : {" -v", "a-v", "me@example.org,-v@example.org", "00", "0x"}) {
            MailHarness h;
            EmailMainSettingsWindow& w = h.open();
            (w.*field).setText(value);
            w.OK_BUTTON.click();
            EXPECT_FALSE(w.isOpen()) << label << " " << value << ": " << w.MESSAGE_STATUS_TEXTBOX.text();
        }
    }
}

TEST(HostileMail, TheSharedWindowRefusesThemToo) {
    MailHarness h;
    h.open().SHARED_SETTINGS_BUTTON.click();
    EmailSharedSettingsWindow& shared = h.app->settingsWindows().emailSharedSettings();
    shared.SEND_CC_ADDRESS_TEXTBOX.setText("-v");
    h.fake.store.clearLog();
    shared.OK_BUTTON.click();
    EXPECT_TRUE(shared.isOpen());
    EXPECT_EQ(shared.MESSAGE_STATUS_TEXTBOX.text(), email_texts::readAsOption("CC"));
    EXPECT_TRUE(h.fake.store.savedKeys(sharedEmailSection).empty());
}

// ---- 3. the password on screen ----

TEST(HostileMail, ThePasswordIsMaskedWhereverALineIsShownAndOnlyTheCommandFilesKeepIt) {
    MailHarness h;
    EmailMainSettingsWindow& w = h.open();
    w.SMTP_PASSWORD_TEXTBOX.setText("it's s3cret");
    w.REPORT_AS_ATTACHMENT_TICKBOX.setValue(1);
    h.fake.loop.advance(500);
    const std::string password = "'it'\\''s s3cret'";
    for (const TextBox* box : {&w.EMAIL_OUTPUT_START_COMMAND_TEXTBOX, &w.EMAIL_OUTPUT_END_COMMAND_TEXTBOX,
                               &h.main().EMAIL_OUTPUT_START_COMMAND_TEXTBOX, &h.main().EMAIL_OUTPUT_END_COMMAND_TEXTBOX}) {
        EXPECT_TRUE(box->text().starts_with("printf '%s\\n' '********' | exec '/usr/bin/sendemail' -f ")) << box->text();
        EXPECT_EQ(box->text().find("s3cret"), std::string::npos) << box->text();
    }
    w.OK_BUTTON.click();
    ASSERT_FALSE(w.isOpen());
    const std::string startFile = h.fake.files.files.at(MailHarness::startFile);
    EXPECT_TRUE(startFile.starts_with("printf '%s\\n' " + password + " | exec '/usr/bin/sendemail' -f ")) << startFile;
    std::string shown = w.EMAIL_OUTPUT_START_COMMAND_TEXTBOX.text();
    EXPECT_EQ(startFile, shown.replace(14, 10, password) + "\n");  // '********' is the password's only change
    EXPECT_NE(h.fake.files.files.at(MailHarness::endFile).find(password), std::string::npos);
    // The stored lines are the shown ones; the password is stored once, as itself.
    EXPECT_EQ(h.stored("EMAIL_OUTPUT_START_COMMAND_TEXTBOX"), w.EMAIL_OUTPUT_START_COMMAND_TEXTBOX.text());
    EXPECT_EQ(h.stored("SMTP_PASSWORD_TEXTBOX"), "it's s3cret");

    // The output commands windows, also for lines stored before they were masked.
    h.main().EMAIL_OUTPUT_END_COMMAND_TEXTBOX.setText("printf '%s\\n' " + password + " | exec '/usr/bin/sendemail' -q ");
    OutputCommandsWindows& outputs = h.app->settingsWindows().outputCommands();
    outputs.openSingle(h.main());
    outputs.single().START_EMAIL_RUN_COMMAND_BUTTON.click();
    EXPECT_EQ(outputs.single().ALL_COMMANDS_TEXTBOX.text().find("s3cret"), std::string::npos);
    outputs.single().END_EMAIL_RUN_COMMAND_BUTTON.click();
    EXPECT_EQ(outputs.single().ALL_COMMANDS_TEXTBOX.text(), "printf '%s\\n' '********' | exec '/usr/bin/sendemail' -q ");
    outputs.openAll(h.main());
    EXPECT_EQ(outputs.all().EMAIL_OUTPUT_START_COMMAND_TEXTBOX.text().find("s3cret"), std::string::npos);
    EXPECT_EQ(outputs.all().EMAIL_OUTPUT_END_COMMAND_TEXTBOX.text().find("s3cret"), std::string::npos);

    // Reopened with the stored lines of an older version.
    h.store("EMAIL_OUTPUT_START_COMMAND_TEXTBOX", "printf '%s\\n' " + password + " | exec x");
    EmailMainSettingsWindow& again = h.open();
    EXPECT_EQ(again.EMAIL_OUTPUT_START_COMMAND_TEXTBOX.text(), "printf '%s\\n' '********' | exec x");
}

TEST(HostileMail, TheWindowsLinesMaskBothPlacesOfThePassword) {
    const PlatformProfile windows = PlatformProfile::windows();
    MailFields f;
    f.mailerFolder = "C:\\SE";
    f.password = "p\" -o reply-to=x";
    f.from = "a@b";
    const std::string line = endMailCommand(windows, f, "S", "", "-a \"r\"");
    EXPECT_EQ(maskedMailCommand(windows, line).find("p\\\""), std::string::npos);
    const std::string masked = maskedMailCommand(windows, startMailCommand(windows, f, "S"));
    EXPECT_NE(masked.find(" -xp \"********\" -o reply-to="), std::string::npos) << masked;
    EXPECT_TRUE(masked.ends_with(" -o password=******** -q -v ")) << masked;
    EXPECT_EQ(maskedMailCommand(windows, "no password here"), "no password here");
    EXPECT_EQ(maskedMailCommand(PlatformProfile::posix("/"), "printf '%s\\n' '' | exec x"),
              "printf '%s\\n' '' | exec x");  // an empty password shows as empty
}

// ---- 4. a refused OK stores nothing; the full-path rule at OK and at close ----

struct SettingsHarness : AppHarness {
    SettingsHarness() : AppHarness(PlatformProfile::posix("/home/sat")) {
        store("SYNCWARD_HOME_TEXTBOX", "/home/sat/R");
        for (const char* sub : {"BATS", "BLOCKCOUNTS", "CONFIGS", "LOGS", "REPORTS"})
            fake.files.folders.insert(std::string("/home/sat/R/") + sub);  // as CREATE FOLDERS leaves them
    }
    MainSettingsWindow& open() {
        if (!app) start();
        main().SETTINGS_BUTTON.click();
        return app->settingsWindows().mainSettings();
    }
};

TEST(HostileFolders, ARefusedOkForARelativeConfigurationFileStoresNothingNorDoesTheCloseBox) {
    SettingsHarness h;
    MainSettingsWindow& w = h.open();
    h.fake.store.clearLog();
    w.USE_OWN_CONF_TICKBOX.setValue(1);
    w.CONF_FILE_LOCATION_TEXTBOX.setText("rel.conf");
    w.OK_BUTTON.click();
    EXPECT_EQ(w.MESSAGE_STATUS_TEXTBOX.text(), main_settings_texts::confFileNotFull);
    EXPECT_TRUE(h.fake.store.savedKeys("BTC1").empty());
    w.close();
    EXPECT_FALSE(h.stored("USE_OWN_CONF_TICKBOX"));
    EXPECT_FALSE(h.stored("CONF_FILE_LOCATION_TEXTBOX"));

    // The crypto settings then compose no "-conf='rel.conf'".
    MainSettingsWindow& again = h.open();
    EXPECT_FALSE(again.USE_OWN_CONF_TICKBOX.ticked());
    again.CRYPTO_SETTINGS_BUTTON.click();
    CryptoSettingsWindow& crypto = h.app->settingsWindows().cryptoSettings();
    crypto.DAEMON_CLI_LOCATION_TEXTBOX.setText("/usr/bin");
    crypto.DAEMOND_NAME_TEXTBOX.setText("litecoind");
    crypto.SAVE_BUTTON.click();
    EXPECT_EQ(crypto.MESSAGE_STATUS_TEXTBOX.text(), crypto_texts::cryptoSettingsSaved);
    EXPECT_EQ(h.fake.files.files.at("/home/sat/R/BATS/BTC1-RUN-DAEMON.sh").find("rel.conf"), std::string::npos);
}

TEST(HostileFolders, TheCryptoSaveRefusesARelativeConfigurationFileStoredEarlier) {
    SettingsHarness h;
    h.store("USE_OWN_CONF_TICKBOX", "1");
    h.store("CONF_FILE_LOCATION_TEXTBOX", "rel.conf");
    MainSettingsWindow& w = h.open();
    w.CRYPTO_SETTINGS_BUTTON.click();
    CryptoSettingsWindow& crypto = h.app->settingsWindows().cryptoSettings();
    crypto.DAEMON_CLI_LOCATION_TEXTBOX.setText("/usr/bin");
    crypto.DAEMOND_NAME_TEXTBOX.setText("litecoind");
    const int writes = h.fake.files.writes;
    crypto.SAVE_BUTTON.click();
    EXPECT_EQ(crypto.MESSAGE_STATUS_TEXTBOX.text(), "!!! \".CONF\" FILE MUST BE A FULL PATH - NOTHING SAVED !!!");
    EXPECT_EQ(h.fake.files.writes, writes);
}

TEST(HostileFolders, TheMailersFolderMustBeAFullPath) {
    for (const char* folder : {"relhome", "-home", "~/x", " /x"}) {
        MailHarness h;
        EmailMainSettingsWindow& w = h.open();
        w.SE_HOME_TEXTBOX.setText(folder);
        h.fake.store.clearLog();
        w.OK_BUTTON.click();
        EXPECT_TRUE(w.isOpen()) << folder;
        EXPECT_EQ(w.MESSAGE_STATUS_TEXTBOX.text(), email_texts::mailerFolderNotFull) << folder;
        EXPECT_FALSE(h.fake.files.files.count(MailHarness::startFile)) << folder;
        EXPECT_TRUE(h.fake.store.savedKeys("BTC1").empty()) << folder;
    }
    MailHarness h;
    h.open().SHARED_SETTINGS_BUTTON.click();
    EmailSharedSettingsWindow& shared = h.app->settingsWindows().emailSharedSettings();
    shared.SE_HOME_TEXTBOX.setText("~/x");
    shared.OK_BUTTON.click();
    EXPECT_EQ(shared.MESSAGE_STATUS_TEXTBOX.text(), email_texts::mailerFolderNotFull);
}

// ---- 8. a failed OK removes what it created ----

TEST(HostileFiles, AFailedEmailOkRemovesTheEndFileItCreated) {
    MailHarness h;
    h.fake.files.unwritable.insert(MailHarness::startFile);
    EmailMainSettingsWindow& w = h.open();
    w.OK_BUTTON.click();
    EXPECT_TRUE(w.isOpen());
    EXPECT_EQ(w.MESSAGE_STATUS_TEXTBOX.text(),
              "!!! NOT WRITTEN: START-EMAIL - CHECK THE HOME FOLDER / CREATE FOLDERS - NOTHING SAVED !!!");
    EXPECT_FALSE(h.fake.files.files.count(MailHarness::endFile));

    // A file that was there but could not be read is never removed.
    MailHarness unread;
    unread.fake.files.unwritable.insert(MailHarness::startFile);
    unread.fake.files.files[MailHarness::endFile] = "old end\n";
    unread.fake.files.readFailures[MailHarness::endFile] = ReadFailure::unreadable;
    unread.open().OK_BUTTON.click();
    EXPECT_TRUE(unread.fake.files.files.count(MailHarness::endFile));
}

TEST(HostileFiles, AFailedCryptoSaveRemovesTheFilesItCreated) {
    SettingsHarness h;
    h.fake.files.unwritable.insert("/home/sat/R/BATS/BTC1-RUN-CLI-STOP.sh");
    h.open().CRYPTO_SETTINGS_BUTTON.click();
    CryptoSettingsWindow& crypto = h.app->settingsWindows().cryptoSettings();
    crypto.DAEMON_CLI_LOCATION_TEXTBOX.setText("/usr/bin");
    crypto.DAEMOND_NAME_TEXTBOX.setText("litecoind");
    crypto.DAEMONCLI_NAME_SETTINGS_TEXTBOX.setText("litecoin-cli");
    crypto.SAVE_BUTTON.click();
    EXPECT_NE(crypto.MESSAGE_STATUS_TEXTBOX.text().find("NOT WRITTEN: RUN-CLI-STOP"), std::string::npos)
        << crypto.MESSAGE_STATUS_TEXTBOX.text();
    EXPECT_FALSE(h.fake.files.files.count("/home/sat/R/BATS/BTC1-RUN-DAEMON.sh"));
    EXPECT_FALSE(h.fake.files.files.count("/home/sat/R/BATS/BTC1-RUN-BLOCKCOUNTER-GBC.sh"));
}

}  // namespace
}  // namespace syncward::testing
