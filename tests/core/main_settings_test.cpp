#include <gtest/gtest.h>

#include "core/settings/main_settings_window.h"
#include "core/settings/settings_windows.h"
#include "support/app_harness.h"

namespace syncward::testing {
namespace {

// The program started, its main settings opened by the Settings button.
struct MainSettingsHarness : AppHarness {
    using AppHarness::AppHarness;

    MainSettingsWindow& open() {
        if (!app) start();
        main().SETTINGS_BUTTON.click();
        return app->settingsWindows().mainSettings();
    }
};

TEST(MainSettings, FirstStartWithAnEmptyStoreWarnsAndLocksWhatNeedsAHomeFolder) {
    MainSettingsHarness h;
    h.start();
    EXPECT_TRUE(h.main().SETTINGS_BUTTON.enabled());
    h.fake.store.clearLog();
    MainSettingsWindow& w = h.open();

    ASSERT_EQ(h.fake.windows.shown.size(), 2u);
    EXPECT_EQ(h.fake.windows.shown[1], std::make_pair(static_cast<Form*>(&w), true));
    EXPECT_EQ(w.caption(), "SYNCWARD - MAIN SETTINGS");
    EXPECT_EQ(w.placement().width, 9225);
    EXPECT_EQ(w.placement().height, 5640);
    EXPECT_EQ(w.placement().left, 1000);

    EXPECT_EQ(w.SYNCWARD_HOME_TEXTBOX.text(), "");
    EXPECT_EQ(w.SYNCWARD_HOME_TEXTBOX.background(), colours::red);
    EXPECT_EQ(w.MESSAGE_STATUS_TEXTBOX.text(), "!!! NOT DEFAULT FOLDER - BEWARE OF FAILURES !!!");
    EXPECT_EQ(w.MESSAGE_STATUS_TEXTBOX.background(), colours::red);
    EXPECT_FALSE(w.CREATE_FOLDERS_BUTTON.enabled());
    EXPECT_FALSE(w.CRYPTO_SETTINGS_BUTTON.enabled());
    EXPECT_FALSE(w.CONF_MANAGER_BUTTON.enabled());
    EXPECT_FALSE(w.AUTOLOAD_BLOCKCOUNT_FILE_TICKBOX.enabled());
    // One default for both windows: auto-loading is on until the user says otherwise.
    EXPECT_TRUE(w.AUTOLOAD_BLOCKCOUNT_FILE_TICKBOX.ticked());
    EXPECT_TRUE(h.main().AUTOLOAD_BLOCKCOUNT_FILE_TICKBOX.ticked());
    EXPECT_EQ(w.HEARTBEAT_COUNTDOWN_TIME_TEXTBOX.text(), "00:05:00");
    EXPECT_FALSE(w.USE_OWN_CONF_TICKBOX.ticked());
    EXPECT_FALSE(w.CONF_FILE_LOCATION_TEXTBOX.enabled());
    EXPECT_FALSE(w.CONF_BROWSE_BUTTON.enabled());
    EXPECT_EQ(w.CONF_FILE_LOCATION_TEXTBOX.background(), colours::green);
    EXPECT_EQ(w.DEFAULT_FOLDER_LABEL.caption(), "Default = C:\\QUORVEL-ROOT\\SYNCWARD");
    EXPECT_NE(w.HELP_LABEL.caption().find("COPY \".exe\" FILE TO A NEW FILENAME"), std::string::npos);
    for (Button* present : {&w.SE_SETTINGS_BUTTON, &w.VIEW_OUTPUT_COMMANDS_BUTTON, &w.REPORTS_LOGS_BUTTON})
        EXPECT_TRUE(present->enabled()) << present->name();
    EXPECT_TRUE(w.POWER_AUTOTIMER_BUTTON.enabled());
    EXPECT_TRUE(w.SCHEDULER_BUTTON.enabled());
    EXPECT_TRUE(h.fake.store.log.empty());  // loading stores nothing
}

TEST(MainSettings, OpensThePowerAutotimerSettingsModallyOverItself) {
    MainSettingsHarness h;
    MainSettingsWindow& w = h.open();
    w.POWER_AUTOTIMER_BUTTON.click();
    ASSERT_EQ(h.fake.windows.shown.size(), 3u);
    EXPECT_EQ(h.fake.windows.shown[2].first->name(), "SYNCWARD_POWER_AUTOTIMER_SETTINGS");
    EXPECT_TRUE(h.fake.windows.shown[2].second);
}

TEST(MainSettings, OnlyTheExactDefaultFolderCountsAsDefault) {
    MainSettingsHarness h;
    MainSettingsWindow& w = h.open();
    w.USE_DEFAULT_BUTTON.click();
    EXPECT_EQ(w.SYNCWARD_HOME_TEXTBOX.text(), "C:\\QUORVEL-ROOT\\SYNCWARD");
    EXPECT_EQ(w.MESSAGE_STATUS_TEXTBOX.text(), "!!! DEFAULT FOLDER USED - THANKS !!!");
    EXPECT_EQ(w.MESSAGE_STATUS_TEXTBOX.background(), colours::green);
    EXPECT_EQ(w.SYNCWARD_HOME_TEXTBOX.background(), colours::green);
    EXPECT_TRUE(w.CREATE_FOLDERS_BUTTON.enabled());
    EXPECT_TRUE(w.CRYPTO_SETTINGS_BUTTON.enabled());
    EXPECT_TRUE(w.AUTOLOAD_BLOCKCOUNT_FILE_TICKBOX.enabled());
    // A home folder is all the configuration generator needs.
    EXPECT_TRUE(w.CONF_MANAGER_BUTTON.enabled());

    for (const char* other : {"C:\\QUORVEL-ROOT\\SYNCWARD\\", "c:\\quorvel-root\\syncward"}) {
        w.SYNCWARD_HOME_TEXTBOX.setText(other);
        EXPECT_EQ(w.MESSAGE_STATUS_TEXTBOX.text(), "!!! NOT DEFAULT FOLDER - BEWARE OF FAILURES !!!") << other;
        EXPECT_EQ(w.SYNCWARD_HOME_TEXTBOX.background(), colours::red);
    }
    w.USE_CURRENT_BUTTON.click();
    EXPECT_EQ(w.SYNCWARD_HOME_TEXTBOX.text(), "C:\\Tools");

    // Emptying the folder unticks the auto-load at once, in the store and the main window.
    w.AUTOLOAD_BLOCKCOUNT_FILE_TICKBOX.setValue(0);
    w.AUTOLOAD_BLOCKCOUNT_FILE_TICKBOX.setValue(1);
    EXPECT_EQ(h.stored("AUTOLOAD_BLOCKCOUNT_FILE_TICKBOX"), "1");
    h.main().AUTOLOAD_BLOCKCOUNT_FILE_TICKBOX.setValue(1);
    w.SYNCWARD_HOME_TEXTBOX.setText("");
    EXPECT_FALSE(w.AUTOLOAD_BLOCKCOUNT_FILE_TICKBOX.ticked());
    EXPECT_FALSE(w.AUTOLOAD_BLOCKCOUNT_FILE_TICKBOX.enabled());
    EXPECT_EQ(h.stored("AUTOLOAD_BLOCKCOUNT_FILE_TICKBOX"), "0");
    EXPECT_FALSE(h.main().AUTOLOAD_BLOCKCOUNT_FILE_TICKBOX.ticked());
    EXPECT_FALSE(w.CRYPTO_SETTINGS_BUTTON.enabled());
}

TEST(MainSettings, ThePosixDefaultFolderIsUnderTheUsersHome) {
    MainSettingsHarness h(PlatformProfile::posix("/home/sat"));
    MainSettingsWindow& w = h.open();
    EXPECT_EQ(w.DEFAULT_FOLDER_LABEL.caption(), "Default = /home/sat/QUORVEL-ROOT/SYNCWARD");
    w.USE_DEFAULT_BUTTON.click();
    EXPECT_EQ(w.SYNCWARD_HOME_TEXTBOX.text(), "/home/sat/QUORVEL-ROOT/SYNCWARD");
    EXPECT_EQ(w.MESSAGE_STATUS_TEXTBOX.text(), "!!! DEFAULT FOLDER USED - THANKS !!!");
    EXPECT_EQ(w.CONF_FILE_LOCATION_TEXTBOX.text(), "/home/sat/QUORVEL-ROOT/SYNCWARD/CONFIGS/BTC1-CRYPTO-CONFIG.conf");

    // Linux words: "*.*" would hide a file without a dot; a settings file.
    w.CONF_BROWSE_BUTTON.click();
    EXPECT_EQ(h.fake.dialogs.filters.back(), "CONF Files (*.conf)|*.conf|All files (*)|*");
    h.fake.store.failSaves = true;
    w.OK_BUTTON.click();
    EXPECT_EQ(w.MESSAGE_STATUS_TEXTBOX.text(), "!!! SETTINGS NOT STORED - CHECK THE SETTINGS FILE !!!");
}

TEST(MainSettings, OkHandsTheValuesToTheMainWindowInItsOrder) {
    MainSettingsHarness h;
    h.store("SYNCWARD_HOME_TEXTBOX", "C:\\OLD");
    h.start();
    MainWindow& main = h.main();
    main.KITT_BACKGROUND_LABEL.setBackground(colours::cyan);
    main.kittLabel(3).setBackground(colours::black);
    main.HEARTBEAT_TIMER.start();
    h.fake.loop.advance(600);
    MainSettingsWindow& w = h.open();

    w.SYNCWARD_HOME_TEXTBOX.setText("D:\\R");
    w.HEARTBEAT_COUNTDOWN_TIME_TEXTBOX.setText("00:10:00");
    w.AUTOLOAD_BLOCKCOUNT_FILE_TICKBOX.setValue(1);
    EXPECT_EQ(main.SYNCWARD_HOME_TEXTBOX.text(), "C:\\OLD");  // nothing reaches the main window before OK
    int heartbeatTicks = 0;
    main.HEARTBEAT_TIMER.onTick.connect([&] { ++heartbeatTicks; });
    h.fake.store.clearLog();
    w.OK_BUTTON.click();

    EXPECT_EQ(main.SYNCWARD_HOME_TEXTBOX.text(), "D:\\R");
    EXPECT_EQ(main.HEARTBEAT_COUNTDOWN_TIME_TEXTBOX.text(), "00:10:00");
    EXPECT_EQ(main.CONF_FILE_LOCATION_TEXTBOX.text(), "D:\\R\\CONFIGS\\BTC1-CRYPTO-CONFIG.conf");
    EXPECT_EQ(main.GETBLOCKCOUNT_LOG_LOCATION_TEXTBOX.text(), "D:\\R\\BLOCKCOUNTS\\BTC1-LATEST-BLOCKCOUNT.LOG");
    EXPECT_EQ(w.GETBLOCKCOUNT_LOG_LOCATION_TEXTBOX.text(), "D:\\R\\BLOCKCOUNTS\\BTC1-LATEST-BLOCKCOUNT.LOG");
    EXPECT_TRUE(main.AUTOLOAD_BLOCKCOUNT_FILE_TICKBOX.ticked());
    EXPECT_EQ(main.KITT_BACKGROUND_LABEL.background(), colours::black);
    for (int n = 1; n <= MainWindow::kittLabelCount; ++n) EXPECT_EQ(main.kittLabel(n).background(), colours::red);
    EXPECT_EQ(h.fake.store.savedKeys("BTC1"),
              (std::vector<std::string>{"SYNCWARD_HOME_TEXTBOX", "HEARTBEAT_COUNTDOWN_TIME_TEXTBOX",
                                        "USE_OWN_CONF_TICKBOX", "CONF_FILE_LOCATION_TEXTBOX",
                                        "GETBLOCKCOUNT_LOG_LOCATION_TEXTBOX", "AUTOLOAD_BLOCKCOUNT_FILE_TICKBOX",
                                        "MAIN_SETTINGS-Left", "MAIN_SETTINGS-Top", "SYNCWARD_HOME_TEXTBOX",
                                        "HEARTBEAT_COUNTDOWN_TIME_TEXTBOX", "USE_OWN_CONF_TICKBOX",
                                        "CONF_FILE_LOCATION_TEXTBOX"}));
    EXPECT_EQ(h.stored("CONF_FILE_LOCATION_TEXTBOX"), "D:\\R\\CONFIGS\\BTC1-CRYPTO-CONFIG.conf");
    EXPECT_FALSE(w.isOpen());
    EXPECT_FALSE(w.loaded());

    // The running heartbeat restarted its second: the next tick is a full second after OK.
    h.fake.loop.advance(999);
    EXPECT_EQ(heartbeatTicks, 0);
    h.fake.loop.advance(1);
    EXPECT_EQ(heartbeatTicks, 1);
}

TEST(MainSettings, OkNeverStartsAHeartbeatThatWasNotRunning) {
    MainSettingsHarness h;
    MainSettingsWindow& w = h.open();
    w.OK_BUTTON.click();
    EXPECT_FALSE(h.main().HEARTBEAT_TIMER.enabled());
}

TEST(MainSettings, ClosingWithoutOkStoresButLeavesTheMainWindowAsItWas) {
    MainSettingsHarness h;
    MainSettingsWindow& w = h.open();
    w.setPosition(2000, 3000);
    w.SYNCWARD_HOME_TEXTBOX.setText("D:\\R");
    w.HEARTBEAT_COUNTDOWN_TIME_TEXTBOX.setText("01:00:00");
    w.close();  // the close box
    EXPECT_EQ(h.stored("SYNCWARD_HOME_TEXTBOX"), "D:\\R");
    EXPECT_EQ(h.stored("HEARTBEAT_COUNTDOWN_TIME_TEXTBOX"), "01:00:00");
    EXPECT_EQ(h.stored("MAIN_SETTINGS-Left"), "2000");
    EXPECT_EQ(h.stored("MAIN_SETTINGS-Top"), "3000");
    EXPECT_FALSE(h.stored("GETBLOCKCOUNT_LOG_LOCATION_TEXTBOX").has_value());
    EXPECT_EQ(h.main().SYNCWARD_HOME_TEXTBOX.text(), "");
    EXPECT_EQ(h.main().HEARTBEAT_COUNTDOWN_TIME_TEXTBOX.text(), "00:05:00");
    EXPECT_EQ(h.main().CONF_FILE_LOCATION_TEXTBOX.text(), "");

    // Opened again, it reads what was stored and opens where it was left.
    MainSettingsWindow& again = h.open();
    EXPECT_EQ(again.SYNCWARD_HOME_TEXTBOX.text(), "D:\\R");
    EXPECT_EQ(again.placement().left, 2000);
}

TEST(MainSettings, AnInvalidHeartbeatTimeIsRefusedAndNeverStored) {
    MainSettingsHarness h;
    MainSettingsWindow& w = h.open();
    w.SYNCWARD_HOME_TEXTBOX.setText("D:\\R");
    w.HEARTBEAT_COUNTDOWN_TIME_TEXTBOX.setText("5 minutes");
    w.OK_BUTTON.click();
    EXPECT_TRUE(w.isOpen());
    EXPECT_EQ(w.MESSAGE_STATUS_TEXTBOX.text(), "!!! INVALID HEARTBEAT TIME - USE HH:MM:SS - NOT APPLIED !!!");
    EXPECT_EQ(w.MESSAGE_STATUS_TEXTBOX.background(), colours::red);
    EXPECT_EQ(h.main().SYNCWARD_HOME_TEXTBOX.text(), "");
    w.close();
    EXPECT_EQ(h.stored("SYNCWARD_HOME_TEXTBOX"), "D:\\R");
    EXPECT_FALSE(h.stored("HEARTBEAT_COUNTDOWN_TIME_TEXTBOX").has_value());
}

TEST(MainSettings, AZeroHeartbeatTimeWouldNeverBeatAndIsRefusedLikeAnInvalidOne) {
    MainSettingsHarness h;
    MainSettingsWindow& w = h.open();
    w.SYNCWARD_HOME_TEXTBOX.setText("D:\\R");
    w.HEARTBEAT_COUNTDOWN_TIME_TEXTBOX.setText("00:00:00");
    w.OK_BUTTON.click();
    EXPECT_TRUE(w.isOpen());
    EXPECT_EQ(w.MESSAGE_STATUS_TEXTBOX.text(), main_settings_texts::invalidHeartbeatTime);
    EXPECT_EQ(h.main().HEARTBEAT_COUNTDOWN_TIME_TEXTBOX.text(), "00:05:00");
    w.close();
    EXPECT_FALSE(h.stored("HEARTBEAT_COUNTDOWN_TIME_TEXTBOX").has_value());
}

TEST(MainSettings, TickingAndUntickingTheOwnFileBothAskForTheCryptoSettingsAgain) {
    MainSettingsHarness h;
    h.store("SYNCWARD_HOME_TEXTBOX", "D:\\R");
    h.store("CONF_FILE_LOCATION_TEXTBOX", "E:\\mine.conf");
    MainSettingsWindow& w = h.open();
    w.setConfManagerAvailable(true);
    EXPECT_EQ(w.CONF_FILE_LOCATION_TEXTBOX.text(), "D:\\R\\CONFIGS\\BTC1-CRYPTO-CONFIG.conf");
    EXPECT_TRUE(w.CONF_MANAGER_BUTTON.enabled());
    h.fake.store.clearLog();

    w.USE_OWN_CONF_TICKBOX.setValue(1);
    EXPECT_EQ(w.CONF_FILE_LOCATION_TEXTBOX.text(), "E:\\mine.conf");  // reloaded from the store
    EXPECT_EQ(h.main().CONF_FILE_LOCATION_TEXTBOX.text(), "E:\\mine.conf");
    EXPECT_TRUE(w.CONF_FILE_LOCATION_TEXTBOX.enabled());
    EXPECT_FALSE(w.CONF_FILE_LOCATION_TEXTBOX.locked());
    EXPECT_TRUE(w.CONF_FILE_LOCATION_LABEL.enabled());
    EXPECT_TRUE(w.CONF_BROWSE_BUTTON.enabled());
    EXPECT_FALSE(w.CONF_MANAGER_BUTTON.enabled());
    EXPECT_EQ(w.CONF_FILE_LOCATION_TEXTBOX.background(), colours::red);
    EXPECT_EQ(w.MESSAGE_STATUS_TEXTBOX.text(), "!!! CONF FILE CHANGED - RE-SAVE CRYPTO SETTINGS !!!");
    EXPECT_EQ(w.MESSAGE_STATUS_TEXTBOX.background(), colours::red);
    // Stored with the path by OK or the close box only (issue 25).
    EXPECT_TRUE(h.fake.store.savedKeys("BTC1").empty());
    // Typing in the home folder does not bring the generator back while the own file is used.
    w.SYNCWARD_HOME_TEXTBOX.setText("D:\\S");
    EXPECT_FALSE(w.CONF_MANAGER_BUTTON.enabled());
    EXPECT_EQ(w.CONF_FILE_LOCATION_TEXTBOX.text(), "E:\\mine.conf");

    w.USE_OWN_CONF_TICKBOX.setValue(0);
    EXPECT_EQ(w.CONF_FILE_LOCATION_TEXTBOX.text(), "D:\\S\\CONFIGS\\BTC1-CRYPTO-CONFIG.conf");
    EXPECT_EQ(h.main().CONF_FILE_LOCATION_TEXTBOX.text(), "D:\\S\\CONFIGS\\BTC1-CRYPTO-CONFIG.conf");
    EXPECT_FALSE(h.stored("USE_OWN_CONF_TICKBOX"));
    EXPECT_FALSE(w.CONF_FILE_LOCATION_TEXTBOX.enabled());
    EXPECT_TRUE(w.CONF_FILE_LOCATION_TEXTBOX.locked());
    EXPECT_TRUE(w.CONF_MANAGER_BUTTON.enabled());
    EXPECT_EQ(w.CONF_FILE_LOCATION_TEXTBOX.background(), colours::green);
    EXPECT_EQ(w.MESSAGE_STATUS_TEXTBOX.text(), "!!! CONF FILE CHANGED - RE-SAVE CRYPTO SETTINGS !!!");
}

TEST(MainSettings, AStoredOwnFileLoadsWithItsPathAndEveryLoadStartsAfresh) {
    MainSettingsHarness h;
    h.store("SYNCWARD_HOME_TEXTBOX", "D:\\R");
    h.store("USE_OWN_CONF_TICKBOX", "1");
    h.store("CONF_FILE_LOCATION_TEXTBOX", "E:\\mine.conf");
    h.store("AUTOLOAD_BLOCKCOUNT_FILE_TICKBOX", "1");
    h.start();
    h.main().AUTOLOAD_BLOCKCOUNT_FILE_TICKBOX.setValue(0);
    MainSettingsWindow& w = h.open();
    EXPECT_TRUE(w.USE_OWN_CONF_TICKBOX.ticked());
    EXPECT_EQ(w.CONF_FILE_LOCATION_TEXTBOX.text(), "E:\\mine.conf");
    EXPECT_TRUE(w.CONF_FILE_LOCATION_TEXTBOX.enabled());
    // The loaded tick ran its click: the main window follows.
    EXPECT_TRUE(h.main().AUTOLOAD_BLOCKCOUNT_FILE_TICKBOX.ticked());
    EXPECT_EQ(w.MESSAGE_STATUS_TEXTBOX.text(), "!!! NOT DEFAULT FOLDER - BEWARE OF FAILURES !!!");

    w.close();
    h.main().AUTOLOAD_BLOCKCOUNT_FILE_TICKBOX.setValue(0);
    h.open();
    EXPECT_TRUE(h.main().AUTOLOAD_BLOCKCOUNT_FILE_TICKBOX.ticked());
}

TEST(MainSettings, CreateFoldersMakesTheHomeWithItsParentsThenItsFiveSubFolders) {
    MainSettingsHarness h;
    MainSettingsWindow& w = h.open();
    w.CREATE_FOLDERS_BUTTON.click();  // no home folder: nothing happens
    EXPECT_TRUE(h.fake.files.folders.empty());

    w.SYNCWARD_HOME_TEXTBOX.setText("R\\home");  // relative: refused
    w.CREATE_FOLDERS_BUTTON.click();
    EXPECT_TRUE(h.fake.files.folders.empty());
    EXPECT_EQ(w.MESSAGE_STATUS_TEXTBOX.text(), "!!! HOME FOLDER MUST BE A FULL PATH - NOT APPLIED !!!");

    h.fake.files.unwritable.insert("D:\\new\\R\\CONFIGS");
    w.SYNCWARD_HOME_TEXTBOX.setText("D:\\new\\R");
    w.CREATE_FOLDERS_BUTTON.click();
    EXPECT_EQ(h.fake.files.folders, (std::set<std::string>{"D:\\new", "D:\\new\\R", "D:\\new\\R\\BATS",
                                                           "D:\\new\\R\\BLOCKCOUNTS", "D:\\new\\R\\LOGS",
                                                           "D:\\new\\R\\REPORTS"}));
    EXPECT_EQ(w.MESSAGE_STATUS_TEXTBOX.text(), "!!! FOLDERS NOT CREATED: CONFIGS !!!");
    EXPECT_EQ(w.MESSAGE_STATUS_TEXTBOX.background(), colours::red);

    h.fake.files.unwritable.clear();
    w.CREATE_FOLDERS_BUTTON.click();  // existing ones are fine
    EXPECT_EQ(h.fake.files.folders.size(), 7u);
    EXPECT_EQ(w.MESSAGE_STATUS_TEXTBOX.text(), "!!! FOLDERS CREATED !!!");
    EXPECT_EQ(w.MESSAGE_STATUS_TEXTBOX.background(), colours::green);
}

TEST(MainSettings, OkRefusesAnEmptyOrRelativeHomeFolderAndStoresNothing) {
    MainSettingsHarness h;
    MainSettingsWindow& w = h.open();
    h.fake.store.clearLog();
    w.OK_BUTTON.click();
    EXPECT_TRUE(w.isOpen());
    EXPECT_EQ(w.MESSAGE_STATUS_TEXTBOX.text(), "!!! NO HOME FOLDER - CHOOSE ONE OR USE THE DEFAULT - NOT APPLIED !!!");
    w.SYNCWARD_HOME_TEXTBOX.setText("-R");
    w.OK_BUTTON.click();
    EXPECT_EQ(w.MESSAGE_STATUS_TEXTBOX.text(), "!!! HOME FOLDER MUST BE A FULL PATH - NOT APPLIED !!!");
    EXPECT_TRUE(h.fake.store.savedKeys("BTC1").empty());
    EXPECT_EQ(h.main().SYNCWARD_HOME_TEXTBOX.text(), "");
}

TEST(MainSettings, ACorrectedHeartbeatTimeTakesItsErrorAway) {
    MainSettingsHarness h;
    MainSettingsWindow& w = h.open();
    w.SYNCWARD_HOME_TEXTBOX.setText("D:\\R");
    w.HEARTBEAT_COUNTDOWN_TIME_TEXTBOX.setText("5 min");
    w.OK_BUTTON.click();
    EXPECT_EQ(w.MESSAGE_STATUS_TEXTBOX.text(), "!!! INVALID HEARTBEAT TIME - USE HH:MM:SS - NOT APPLIED !!!");
    w.HEARTBEAT_COUNTDOWN_TIME_TEXTBOX.setText("00:05");
    EXPECT_NE(w.MESSAGE_STATUS_TEXTBOX.text(), "");
    w.HEARTBEAT_COUNTDOWN_TIME_TEXTBOX.setText("00:05:00");
    EXPECT_EQ(w.MESSAGE_STATUS_TEXTBOX.text(), "");

    // Once another word has replaced the refusal, a corrected time leaves it.
    w.HEARTBEAT_COUNTDOWN_TIME_TEXTBOX.setText("5 min");
    w.OK_BUTTON.click();
    w.SYNCWARD_HOME_TEXTBOX.setText("D:\\S");
    const std::string folderWord = w.MESSAGE_STATUS_TEXTBOX.text();
    ASSERT_NE(folderWord, main_settings_texts::invalidHeartbeatTime);
    w.HEARTBEAT_COUNTDOWN_TIME_TEXTBOX.setText("00:05:00");
    EXPECT_EQ(w.MESSAGE_STATUS_TEXTBOX.text(), folderWord);
}

TEST(MainSettings, BrowsersFillTheFieldsAndACancelKeepsThem) {
    MainSettingsHarness h;
    h.store("USE_OWN_CONF_TICKBOX", "1");
    h.store("CONF_FILE_LOCATION_TEXTBOX", "E:\\mine.conf");
    MainSettingsWindow& w = h.open();
    h.fake.dialogs.answers = {std::string("D:\\Picked"), std::nullopt, std::string("F:\\other.conf"), std::nullopt};
    w.BROWSE_FOLDER_BUTTON.click();
    EXPECT_EQ(w.SYNCWARD_HOME_TEXTBOX.text(), "D:\\Picked");
    w.BROWSE_FOLDER_BUTTON.click();
    EXPECT_EQ(w.SYNCWARD_HOME_TEXTBOX.text(), "D:\\Picked");
    w.CONF_BROWSE_BUTTON.click();
    EXPECT_EQ(w.CONF_FILE_LOCATION_TEXTBOX.text(), "F:\\other.conf");
    w.CONF_BROWSE_BUTTON.click();
    EXPECT_EQ(w.CONF_FILE_LOCATION_TEXTBOX.text(), "F:\\other.conf");
    EXPECT_EQ(h.fake.dialogs.titles[0], "SYNCWARD - Home Folder");
    EXPECT_EQ(h.fake.dialogs.titles[2], "SELECT \".CONF\" FILE:");
    EXPECT_EQ(h.fake.dialogs.filters[0], "CONF Files (*.conf)|*.conf|All files (*.*)|*.*");
    EXPECT_EQ(h.fake.dialogs.initialFolders[0], "D:\\Picked");
}

TEST(MainSettings, AStoreThatFailsIsToldAndOkKeepsTheWindowOpen) {
    MainSettingsHarness h;
    MainSettingsWindow& w = h.open();
    w.SYNCWARD_HOME_TEXTBOX.setText("D:\\R");
    h.fake.store.failSaves = true;
    w.OK_BUTTON.click();
    EXPECT_TRUE(w.isOpen());
    // The Windows program keeps its settings in the registry.
    EXPECT_EQ(w.MESSAGE_STATUS_TEXTBOX.text(), "!!! SETTINGS NOT STORED - CHECK THE REGISTRY !!!");
    EXPECT_EQ(h.main().SYNCWARD_HOME_TEXTBOX.text(), "D:\\R");  // the running program has the values
    w.close();
    EXPECT_EQ(h.main().CURRENT_STATUS_LABEL.caption(), "!!! SETTINGS NOT STORED - CHECK THE REGISTRY !!!");
}

TEST(MainSettings, AnotherWindowLoadsItWithoutShowingIt) {
    MainSettingsHarness h;
    h.store("SYNCWARD_HOME_TEXTBOX", "D:\\R");
    h.start();
    MainSettingsWindow& w = h.app->settingsWindows().mainSettings();
    EXPECT_TRUE(w.loaded());
    EXPECT_FALSE(w.isOpen());
    EXPECT_EQ(w.SYNCWARD_HOME_TEXTBOX.text(), "D:\\R");
    EXPECT_EQ(w.CONF_FILE_LOCATION_TEXTBOX.text(), "D:\\R\\CONFIGS\\BTC1-CRYPTO-CONFIG.conf");
    EXPECT_EQ(h.fake.windows.shown.size(), 1u);  // the main window only
}

}  // namespace
}  // namespace syncward::testing
