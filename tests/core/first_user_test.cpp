// What a first-time user met with the installed program (issue 25): the
// windows opened from the main settings before their OK, the messages that
// misled, and the small things.
#include <gtest/gtest.h>

#include "core/info/about_window.h"
#include "core/info/info_windows.h"
#include "core/processes/output_commands_windows.h"
#include "core/reports/reports_windows.h"
#include "core/settings/crypto_settings_window.h"
#include "core/settings/email_main_settings_window.h"
#include "core/settings/main_settings_window.h"
#include "core/settings/settings_windows.h"
#include "support/app_harness.h"

namespace syncward::testing {
namespace {

// ---- 10. the home folder the main settings show ----

// The reports open from the home folder shown in the main settings; the
// output commands show the files the run would start, of the home folder in
// use until OK gives the new one.
TEST(FirstUser, WindowsOpenedFromTheMainSettingsUseTheHomeFolderShownThereBeforeItsOk) {
    AppHarness h(PlatformProfile::posix("/home/sat"));
    h.store("SYNCWARD_HOME_TEXTBOX", "/home/sat/OLD");
    h.start();
    h.main().SETTINGS_BUTTON.click();
    SettingsWindows& settings = h.app->settingsWindows();
    MainSettingsWindow& w = settings.mainSettings();
    w.SYNCWARD_HOME_TEXTBOX.setText("/home/sat/NEW");
    ASSERT_EQ(h.main().SYNCWARD_HOME_TEXTBOX.text(), "/home/sat/OLD");  // not applied yet

    w.VIEW_OUTPUT_COMMANDS_BUTTON.click();
    SingleOutputCommandsWindow& single = settings.outputCommands().single();
    single.QT_RUN_COMMAND_BUTTON.click();
    EXPECT_EQ(single.ALL_LOCATIONS_TEXTBOX.text(), "/home/sat/OLD/BATS/BTC1-RUN-QT.sh");
    // A crypto Save into the new folder writes a file the run does not start yet.
    h.fake.files.files["/home/sat/NEW/BATS/BTC1-RUN-BLOCKCOUNTER-NODE-CHECK.sh"] = "the new node check\n";
    h.fake.files.files["/home/sat/OLD/BATS/BTC1-RUN-BLOCKCOUNTER-NODE-CHECK.sh"] = "the node check in use\n";
    single.NODE_CHECK_RUN_COMMAND_BUTTON.click();
    EXPECT_EQ(single.ALL_COMMANDS_TEXTBOX.text(), "the node check in use\n");
    single.VIEW_ALL_COMMANDS_BUTTON.click();
    EXPECT_EQ(settings.outputCommands().all().SYNCWARD_SE_START_BAT_LOCATION_TEXTBOX.text(),
              "/home/sat/OLD/BATS/BTC1-START-EMAIL.sh");
    settings.outputCommands().all().close();
    single.close();

    w.REPORTS_LOGS_BUTTON.click();
    ReportsLogsWindow& reports = h.app->reportsWindows().reportsLogs();
    reports.VIEW_LAST_SAVED_REPORT_BUTTON.click();
    EXPECT_EQ(reports.MESSAGE_STATUS_TEXTBOX.text(), "!!! FILE NOT FOUND: /home/sat/NEW/REPORTS/BTC1-END-REPORT.LOG !!!");
    reports.LOG_MANAGER_BUTTON.click();
    EXPECT_EQ(h.app->reportsWindows().logManager().SE_LOG_LOCATION_TEXTBOX.text(),
              "/home/sat/NEW/LOGS/BTC1-SEND-EMAIL.LOG");
}

TEST(FirstUser, TheEndLogShowsTheFilesOfTheMainWindowsHomeFolder) {
    AppHarness h(PlatformProfile::posix("/home/sat"));
    h.store("SYNCWARD_HOME_TEXTBOX", "/home/sat/R");
    h.start();
    h.app->reportsWindows().openReportsLogs(h.main());
    h.app->reportsWindows().reportsLogs().SE_LOG_BUTTON.click();
    EXPECT_EQ(h.app->reportsWindows().reportsLogs().MESSAGE_STATUS_TEXTBOX.text(),
              "!!! FILE NOT FOUND: /home/sat/R/LOGS/BTC1-SEND-EMAIL.LOG !!!");
}

// ---- 11. messages that misled ----

TEST(FirstUser, ARunWithoutAHomeFolderSaysSoRatherThanBlamingTheDisk) {
    AppHarness h(PlatformProfile::posix("/home/sat"));
    h.start();
    MainWindow& w = h.main();
    w.MULTILOADER_START_STOP_BUTTON.click();
    h.fake.loop.advance(20'000);
    EXPECT_EQ(w.CURRENT_STATUS_LABEL.caption(), main_texts::outcomeNoHome);

    // With autoclose the run stays open and red, saying the same.
    AppHarness closing(PlatformProfile::posix("/home/sat"));
    closing.store("TASK_19_ENABLE_TICKBOX", "1");
    closing.start();
    closing.main().MULTILOADER_START_STOP_BUTTON.click();
    closing.fake.loop.advance(40'000);
    EXPECT_TRUE(closing.main().isOpen());
    EXPECT_EQ(closing.main().MULTILOADER_LAST_RUN_TEXTBOX.text(), main_texts::outcomeNoHome);
    EXPECT_EQ(closing.main().CURRENT_STATUS_LABEL.caption(), main_texts::outcomeNoHome);
}

TEST(FirstUser, TheHeartbeatButtonOffersTheStartAgainOnceTheRunStoppedIt) {
    AppHarness h(PlatformProfile::posix("/home/sat"));
    h.store("SYNCWARD_HOME_TEXTBOX", "/home/sat/R");
    h.store("TASK_2_ENABLE_TICKBOX", "1");
    h.store("TASK_18_ENABLE_TICKBOX", "1");
    h.start();
    MainWindow& w = h.main();
    w.MULTILOADER_START_STOP_BUTTON.click();
    h.fake.loop.advance(3'000);
    EXPECT_EQ(w.KITT_START_BUTTON.caption(), "STOP KITT");
    h.fake.loop.advance(20'000);
    EXPECT_EQ(w.taskLight(18).background(), colours::green);
    EXPECT_FALSE(w.HEARTBEAT_TIMER.enabled());
    EXPECT_EQ(w.KITT_START_BUTTON.caption(), "START KITT");
    w.KITT_START_BUTTON.click();  // and it starts
    EXPECT_TRUE(w.HEARTBEAT_TIMER.enabled());
}

// ---- 12. small things ----

TEST(FirstUser, TheAboutWindowShowsTheVersionThatVersionPrints) {
    AppHarness h;
    h.start();
    h.app->infoWindows().openAbout();
#ifdef SYNCWARD_VERSION
    EXPECT_EQ(h.app->infoWindows().about().VERSION_LABEL.caption(), std::string("VERSION ") + SYNCWARD_VERSION);
#else
    EXPECT_TRUE(h.app->infoWindows().about().VERSION_LABEL.caption().starts_with("VERSION "));
#endif
}

TEST(FirstUser, FolderBrowsersOpenAtTheFolderTheirFieldHolds) {
    AppHarness h(PlatformProfile::posix("/home/sat"));
    h.store("SYNCWARD_HOME_TEXTBOX", "/home/sat/R");
    h.store("SE_HOME_TEXTBOX", "/opt/mail");
    h.store("BLOCKCHAIN_HOME_TEXTBOX", "/data/chain");
    h.start();
    h.main().SETTINGS_BUTTON.click();
    SettingsWindows& settings = h.app->settingsWindows();
    settings.mainSettings().BROWSE_FOLDER_BUTTON.click();
    EXPECT_EQ(h.fake.dialogs.folderStarts.back(), "/home/sat/R");
    settings.mainSettings().CRYPTO_SETTINGS_BUTTON.click();
    CryptoSettingsWindow& crypto = settings.cryptoSettings();
    crypto.BLOCKCHAIN_HOME_BROWSE_BUTTON.click();
    EXPECT_EQ(h.fake.dialogs.folderStarts.back(), "/data/chain");
    crypto.DAEMON_CLI_LOCATION_TEXTBOX.setText("/usr/local/bin");
    crypto.DAEMON_CLI_LOCATION_BROWSE_BUTTON.click();
    EXPECT_EQ(h.fake.dialogs.folderStarts.back(), "/usr/local/bin");
    crypto.close();
    settings.mainSettings().SE_SETTINGS_BUTTON.click();
    settings.emailSettings().SE_HOME_BROWSE_BUTTON.click();
    EXPECT_EQ(h.fake.dialogs.folderStarts.back(), "/opt/mail");
    EXPECT_EQ(h.fake.dialogs.folderStarts.size(), 4u);
}

TEST(FirstUser, TheBlockTimesButtonHasItsHint) {
    AppHarness h;
    h.start();
    EXPECT_EQ(h.main().BLOCK_TIMES_WINDOW_BUTTON.tooltip(), "!!! SHOW BLOCK TIMES WINDOW !!!");
}

}  // namespace
}  // namespace syncward::testing
