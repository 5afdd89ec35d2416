#include <gtest/gtest.h>

#include "core/processes/output_commands_windows.h"
#include "core/settings/email_main_settings_window.h"
#include "core/settings/email_shared_settings_window.h"
#include "core/settings/main_settings_window.h"
#include "core/settings/settings_windows.h"
#include "support/app_harness.h"

namespace syncward::testing {
namespace {

// The program with a home folder and a coin, the e-mail settings opened
// from the main settings.
struct EmailHarness : AppHarness {
    explicit EmailHarness(PlatformProfile profile = PlatformProfile::posix("/home/sat"), std::string home = "/home/sat/R")
        : AppHarness(std::move(profile)) {
        store("SYNCWARD_HOME_TEXTBOX", home);
        store("CRYPTO_NAME_TEXTBOX", "LTC");
    }
    EmailMainSettingsWindow& open() {
        if (!app) start();
        main().SETTINGS_BUTTON.click();
        app->settingsWindows().mainSettings().SE_SETTINGS_BUTTON.click();
        return app->settingsWindows().emailSettings();
    }
    void fill(EmailMainSettingsWindow& w) {
        w.USE_SE_HOME_BUTTON.click();
        w.SMTP_SERVER_ADDRESS_PORT_TEXTBOX.setText("127.0.0.1:2525");
        w.SMTP_USERNAME_TEXTBOX.setText("me");
        w.SMTP_PASSWORD_TEXTBOX.setText("pw");
        w.SEND_FROM_ADDRESS_TEXTBOX.setText("node@example.org");
        w.SEND_TO_ADDRESS_TEXTBOX.setText("me@example.org");
    }
    void halfSeconds(int n) { fake.loop.advance(500LL * n); }
    static constexpr const char* startFile = "/home/sat/R/BATS/BTC1-START-EMAIL.sh";
    static constexpr const char* endFile = "/home/sat/R/BATS/BTC1-END-REPORT-EMAIL.sh";
};

TEST(EmailSettings, OpensModallyOverTheMainSettingsWithItsDefaultsAndAMaskedPassword) {
    EmailHarness h;
    EmailMainSettingsWindow& w = h.open();
    EXPECT_EQ(h.fake.windows.shown.back(), std::make_pair(static_cast<Form*>(&w), true));
    EXPECT_EQ(w.caption(), "SYNCWARD - EMAIL MAIN SETTINGS");
    EXPECT_EQ(w.placement().width, 9915);
    EXPECT_EQ(w.placement().height, 5385);
    EXPECT_EQ(w.SE_HOME_LABEL.caption(), "\"sendemail\" HOME - eg - /usr/bin");
    EXPECT_TRUE(w.TLS_NO_TICKBOX.ticked());
    EXPECT_FALSE(w.TLS_YES_TICKBOX.enabled());
    EXPECT_EQ(w.TLS_TB_SETTING.text(), "no");
    EXPECT_TRUE(w.SMTP_PASSWORD_TEXTBOX.masked());
    w.SHOW_PASSWORD_TICKBOX.setValue(1);
    EXPECT_FALSE(w.SMTP_PASSWORD_TEXTBOX.masked());
    EXPECT_EQ(w.COMMAND_UPDATE_TIMER.interval(), 500);
}

TEST(EmailSettings, TheTimerRebuildsBothLinesIntoTheMainWindowWithinHalfASecond) {
    EmailHarness h;
    EmailMainSettingsWindow& w = h.open();
    h.fill(w);
    h.halfSeconds(1);
    MainWindow& main = h.main();
    EXPECT_EQ(w.START_EMAIL_SUBJECT_TEXTBOX.text(), "SYNCWARD - LTC - STARTED");
    EXPECT_EQ(w.END_EMAIL_SUBJECT_TEXTBOX.text(), "SYNCWARD - LTC - COMPLETED - LOG REPORT");
    EXPECT_EQ(main.SE_HOME_TEXTBOX.text(), "/usr/bin");
    EXPECT_EQ(main.EMAIL_OUTPUT_START_COMMAND_TEXTBOX.text(), w.EMAIL_OUTPUT_START_COMMAND_TEXTBOX.text());
    EXPECT_NE(w.EMAIL_OUTPUT_START_COMMAND_TEXTBOX.text().find("-l '/home/sat/R/LOGS/BTC1-SEND-EMAIL.LOG'"),
              std::string::npos);
    EXPECT_TRUE(w.EMAIL_OUTPUT_END_COMMAND_TEXTBOX.text().ends_with("-q ")) << w.EMAIL_OUTPUT_END_COMMAND_TEXTBOX.text();

    // The attachment changes only the end line.
    const std::string start = w.EMAIL_OUTPUT_START_COMMAND_TEXTBOX.text();
    w.REPORT_AS_ATTACHMENT_TICKBOX.setValue(1);
    h.halfSeconds(1);
    EXPECT_EQ(w.EMAIL_OUTPUT_START_COMMAND_TEXTBOX.text(), start);
    EXPECT_TRUE(main.EMAIL_OUTPUT_END_COMMAND_TEXTBOX.text().ends_with("-q -a '/home/sat/R/REPORTS/BTC1-END-REPORT.LOG'"));
    // The files change only on OK.
    EXPECT_FALSE(h.fake.files.files.count(EmailHarness::startFile));
}

TEST(EmailSettings, OkWritesBothFilesStartFirstStoresEverythingAndCloses) {
    EmailHarness h;
    EmailMainSettingsWindow& w = h.open();
    h.fill(w);
    w.REPORT_AS_ATTACHMENT_TICKBOX.setValue(1);
    h.fake.store.clearLog();
    w.OK_BUTTON.click();
    EXPECT_FALSE(w.isOpen());
    // The files hold the password; the window shows the lines with it masked.
    const auto withPassword = [](std::string line) { return line.replace(14, 10, "'pw'") + "\n"; };
    ASSERT_TRUE(w.EMAIL_OUTPUT_START_COMMAND_TEXTBOX.text().starts_with("printf '%s\\n' '********' | "));
    EXPECT_EQ(h.fake.files.files.at(EmailHarness::startFile), withPassword(w.EMAIL_OUTPUT_START_COMMAND_TEXTBOX.text()));
    EXPECT_EQ(h.fake.files.files.at(EmailHarness::endFile), withPassword(w.EMAIL_OUTPUT_END_COMMAND_TEXTBOX.text()));
    EXPECT_EQ(h.fake.store.savedKeys("BTC1"),
              (std::vector<std::string>{"EMAIL-MAIN-SETTINGS-Left", "EMAIL-MAIN-SETTINGS-Top", "SE_HOME_TEXTBOX",
                                        "SMTP_SERVER_ADDRESS_PORT_TEXTBOX", "SMTP_USERNAME_TEXTBOX",
                                        "SMTP_PASSWORD_TEXTBOX", "SEND_FROM_ADDRESS_TEXTBOX", "SEND_TO_ADDRESS_TEXTBOX",
                                        "SEND_CC_ADDRESS_TEXTBOX", "SEND_BCC_ADDRESS_TEXTBOX", "TLS_NO_TICKBOX",
                                        "TLS_YES_TICKBOX", "TLS_AUTO_TICKBOX", "EMAIL_OUTPUT_START_COMMAND_TEXTBOX",
                                        "EMAIL_OUTPUT_END_COMMAND_TEXTBOX", "REPORT_AS_ATTACHMENT_TICKBOX",
                                        "INCLUDE_HISTORY_IN_REPORT_MAIL_TICKBOX",
                                        // the close that OK ends in stores the place again
                                        "EMAIL-MAIN-SETTINGS-Left", "EMAIL-MAIN-SETTINGS-Top"}));
    EXPECT_EQ(h.stored("REPORT_AS_ATTACHMENT_TICKBOX"), "1");
    EXPECT_EQ(h.main().EMAIL_OUTPUT_END_COMMAND_TEXTBOX.text(), w.EMAIL_OUTPUT_END_COMMAND_TEXTBOX.text());
    // Nothing of this copy's own goes to the shared section.
    EXPECT_TRUE(h.fake.store.savedKeys(sharedEmailSection).empty());
}

TEST(EmailSettings, CancelAndTheCloseBoxGiveTheMainWindowBackWhatItHad) {
    EmailHarness h;
    h.store("EMAIL_OUTPUT_START_COMMAND_TEXTBOX", "old start");
    h.store("SE_HOME_TEXTBOX", "/opt/mail");
    EmailMainSettingsWindow& w = h.open();
    h.fill(w);
    h.halfSeconds(2);
    ASSERT_NE(h.main().EMAIL_OUTPUT_START_COMMAND_TEXTBOX.text(), "old start");
    w.CANCEL_BUTTON.click();
    EXPECT_EQ(h.main().EMAIL_OUTPUT_START_COMMAND_TEXTBOX.text(), "old start");
    EXPECT_EQ(h.main().EMAIL_OUTPUT_END_COMMAND_TEXTBOX.text(), "");
    EXPECT_EQ(h.main().SE_HOME_TEXTBOX.text(), "/opt/mail");
    EXPECT_FALSE(h.fake.files.files.count(EmailHarness::startFile));
    EXPECT_FALSE(h.stored("SMTP_SERVER_ADDRESS_PORT_TEXTBOX"));

    EmailMainSettingsWindow& again = h.open();
    again.SMTP_SERVER_ADDRESS_PORT_TEXTBOX.setText("x:25");
    h.halfSeconds(1);
    again.close();  // the close box
    EXPECT_EQ(h.main().EMAIL_OUTPUT_START_COMMAND_TEXTBOX.text(), "old start");
}

TEST(EmailSettings, TheTlsBoxesWorkAsOneChoiceAndAStoredYesOrAutoComesBack) {
    EmailHarness h;
    EmailMainSettingsWindow& w = h.open();
    w.TLS_NO_TICKBOX.setValue(0);  // nothing ticked, the choice still "no", the others available
    EXPECT_EQ(w.TLS_TB_SETTING.text(), "no");
    EXPECT_TRUE(w.TLS_YES_TICKBOX.enabled());
    EXPECT_TRUE(w.TLS_AUTO_TICKBOX.enabled());
    w.TLS_YES_TICKBOX.setValue(1);
    EXPECT_EQ(w.TLS_TB_SETTING.text(), "yes");
    EXPECT_FALSE(w.TLS_NO_TICKBOX.enabled());
    EXPECT_FALSE(w.TLS_AUTO_TICKBOX.enabled());
    w.TLS_YES_TICKBOX.setValue(0);  // back to "no" ticked
    EXPECT_TRUE(w.TLS_NO_TICKBOX.ticked());
    EXPECT_EQ(w.TLS_TB_SETTING.text(), "no");
    EXPECT_FALSE(w.TLS_AUTO_TICKBOX.enabled());

    w.TLS_NO_TICKBOX.setValue(0);
    w.TLS_AUTO_TICKBOX.setValue(1);
    h.fill(w);
    w.OK_BUTTON.click();
    EXPECT_EQ(h.stored("TLS_AUTO_TICKBOX"), "1");
    EXPECT_EQ(h.stored("TLS_NO_TICKBOX"), "0");
    EXPECT_NE(h.fake.files.files.at(EmailHarness::startFile).find("-o tls='auto'"), std::string::npos);

    // Reopened, the stored choice holds; the next OK does not fall back to
    // sending the password in the clear.
    EmailMainSettingsWindow& again = h.open();
    EXPECT_TRUE(again.TLS_AUTO_TICKBOX.ticked());
    EXPECT_FALSE(again.TLS_NO_TICKBOX.ticked());
    EXPECT_EQ(again.TLS_TB_SETTING.text(), "auto");
    again.OK_BUTTON.click();
    EXPECT_NE(h.fake.files.files.at(EmailHarness::endFile).find("-o tls='auto'"), std::string::npos);
}

TEST(EmailSettings, AFailedOkWritesAndStoresNothingAndSaysWhyInRed) {
    {
        EmailHarness h(PlatformProfile::posix("/home/sat"), "");
        EmailMainSettingsWindow& w = h.open();
        h.fill(w);
        const int writes = h.fake.files.writes;
        w.OK_BUTTON.click();
        EXPECT_TRUE(w.isOpen());
        EXPECT_EQ(h.fake.files.writes, writes);
        EXPECT_EQ(w.MESSAGE_STATUS_TEXTBOX.text(), email_main_texts::noHome);
        EXPECT_EQ(w.MESSAGE_STATUS_TEXTBOX.background(), colours::red);
    }
    {
        EmailHarness h;
        EmailMainSettingsWindow& w = h.open();
        h.fill(w);
        w.SEND_TO_ADDRESS_TEXTBOX.setText("me@example.org\nrm -rf ~");
        w.OK_BUTTON.click();
        EXPECT_TRUE(w.isOpen());
        EXPECT_EQ(w.MESSAGE_STATUS_TEXTBOX.text(), email_main_texts::lineBreak);
        EXPECT_FALSE(h.fake.files.files.count(EmailHarness::startFile));
        EXPECT_FALSE(h.stored("SEND_TO_ADDRESS_TEXTBOX"));
    }
    {
        EmailHarness h;
        h.fake.files.files[EmailHarness::startFile] = "old start\n";
        h.fake.files.unwritable.insert(EmailHarness::endFile);
        EmailMainSettingsWindow& w = h.open();
        h.fill(w);
        w.OK_BUTTON.click();
        EXPECT_TRUE(w.isOpen());
        EXPECT_EQ(w.MESSAGE_STATUS_TEXTBOX.text(),
                  "!!! NOT WRITTEN: END-REPORT-EMAIL - CHECK THE HOME FOLDER / CREATE FOLDERS - NOTHING SAVED !!!");
        EXPECT_EQ(w.MESSAGE_STATUS_TEXTBOX.background(), colours::red);
        EXPECT_EQ(h.fake.files.files.at(EmailHarness::startFile), "old start\n");  // never one new beside one old
        EXPECT_FALSE(h.stored("SMTP_PASSWORD_TEXTBOX"));
    }
}

TEST(EmailSettings, TheSharedSectionIsCommonToEveryCopyAndOnlyUsedByTheCopysOwnOk) {
    EmailHarness h;
    h.fake.store.put(sharedEmailSection, "SMTP_SERVER_ADDRESS_PORT_TEXTBOX", "mail.lan:25");
    h.fake.store.put(sharedEmailSection, "TLS_NO_TICKBOX", "0");
    h.fake.store.put(sharedEmailSection, "TLS_YES_TICKBOX", "1");
    EmailMainSettingsWindow& w = h.open();
    w.SHARED_SETTINGS_BUTTON.click();
    EmailSharedSettingsWindow& shared = h.app->settingsWindows().emailSharedSettings();
    EXPECT_EQ(h.fake.windows.shown.back(), std::make_pair(static_cast<Form*>(&shared), true));
    EXPECT_EQ(shared.caption(), "SYNCWARD - EMAIL SHARED SETTINGS");
    EXPECT_EQ(shared.placement().width, 9960);
    EXPECT_EQ(shared.SMTP_SERVER_ADDRESS_PORT_TEXTBOX.text(), "mail.lan:25");
    EXPECT_TRUE(shared.TLS_YES_TICKBOX.ticked());

    shared.SEND_TO_ADDRESS_TEXTBOX.setText("ops@example.org");  // shown, not stored
    shared.USE_THESE_SHARED_SETTINGS_BUTTON.click();
    EXPECT_TRUE(shared.isOpen());
    EXPECT_EQ(w.SMTP_SERVER_ADDRESS_PORT_TEXTBOX.text(), "mail.lan:25");
    EXPECT_EQ(w.SEND_TO_ADDRESS_TEXTBOX.text(), "ops@example.org");
    EXPECT_EQ(w.TLS_TB_SETTING.text(), "yes");
    EXPECT_FALSE(h.stored("SMTP_SERVER_ADDRESS_PORT_TEXTBOX"));

    h.fake.store.clearLog();
    shared.OK_BUTTON.click();
    EXPECT_FALSE(shared.isOpen());
    const auto sharedKeys = h.fake.store.savedKeys(sharedEmailSection);
    EXPECT_EQ(sharedKeys.size(), 11u);
    EXPECT_EQ(h.fake.store.stored(sharedEmailSection, "SEND_TO_ADDRESS_TEXTBOX"), "ops@example.org");
    EXPECT_EQ(h.fake.store.savedKeys("BTC1"),
              (std::vector<std::string>{"SHARED-SETTINGS-Left", "SHARED-SETTINGS-Top"}));
    EXPECT_FALSE(h.fake.files.files.count(EmailHarness::startFile));
    w.OK_BUTTON.click();
    EXPECT_NE(h.fake.files.files.at(EmailHarness::startFile).find("-s 'mail.lan:25'"), std::string::npos);
}

}  // namespace
}  // namespace syncward::testing

namespace syncward::testing {
namespace {

// Unticked by default, so the mail's text is the report as designed; ticked,
// the mail's text is the report with the last runs, the attachment still
// the report alone, and the choice is kept for the next opening.
TEST(EmailSettings, IncludeHistoryPointsTheMailsTextAtTheReportWithTheLastRuns) {
    EmailHarness h;
    EmailMainSettingsWindow& w = h.open();
    h.fill(w);
    EXPECT_FALSE(w.INCLUDE_HISTORY_IN_REPORT_MAIL_TICKBOX.ticked());
    EXPECT_EQ(w.INCLUDE_HISTORY_IN_REPORT_MAIL_TICKBOX.caption(), "Include History In Report Mail");
    h.halfSeconds(1);
    EXPECT_NE(w.EMAIL_OUTPUT_END_COMMAND_TEXTBOX.text().find("-o message-file='/home/sat/R/REPORTS/BTC1-END-REPORT.LOG'"),
              std::string::npos);
    w.INCLUDE_HISTORY_IN_REPORT_MAIL_TICKBOX.setValue(1);
    w.REPORT_AS_ATTACHMENT_TICKBOX.setValue(1);
    h.halfSeconds(1);
    const std::string& end = w.EMAIL_OUTPUT_END_COMMAND_TEXTBOX.text();
    EXPECT_NE(end.find("-o message-file='/home/sat/R/REPORTS/BTC1-END-REPORT-MAIL.LOG'"), std::string::npos) << end;
    EXPECT_TRUE(end.ends_with("-a '/home/sat/R/REPORTS/BTC1-END-REPORT.LOG'")) << end;
    w.OK_BUTTON.click();
    EXPECT_EQ(h.stored("INCLUDE_HISTORY_IN_REPORT_MAIL_TICKBOX"), "1");
    EmailMainSettingsWindow& again = h.open();
    EXPECT_TRUE(again.INCLUDE_HISTORY_IN_REPORT_MAIL_TICKBOX.ticked());
}

}  // namespace
}  // namespace syncward::testing
