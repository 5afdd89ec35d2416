#include <gtest/gtest.h>

#include "core/settings/crypto_settings_window.h"
#include "core/settings/main_settings_window.h"
#include "core/settings/settings_windows.h"
#include "core/state/home_layout.h"
#include "support/app_harness.h"

namespace syncward::testing {
namespace {

// The program started with a home folder, the crypto settings opened from
// the main settings.
struct CryptoHarness : AppHarness {
    explicit CryptoHarness(PlatformProfile profile = PlatformProfile::windows(), std::string home = "D:\\R")
        : AppHarness(std::move(profile)) {
        store("SYNCWARD_HOME_TEXTBOX", home);
        createFolders(home);
    }

    // What CREATE FOLDERS leaves.
    void createFolders(const std::string& home) {
        for (const char* sub : home_layout::subfolders) fake.files.folders.insert(home_layout::subfolder(fake.profile, home, sub));
    }

    CryptoSettingsWindow& open() {
        if (!app) start();
        main().SETTINGS_BUTTON.click();
        app->settingsWindows().mainSettings().CRYPTO_SETTINGS_BUTTON.click();
        return app->settingsWindows().cryptoSettings();
    }
    std::string file(const std::string& path) const { return fake.files.files.at(path); }
};

// The usual Linux set-up: a daemon and its client, no QT wallet; saved once.
CryptoSettingsWindow& saveDaemonOnly(CryptoHarness& h) {
    CryptoSettingsWindow& w = h.open();
    w.USE_DAEMON_CLI_LOCATION_BUTTON.click();
    w.USE_DAEMOND_NAME_BUTTON.click();
    w.USE_DAEMONCLI_NAME_BUTTON.click();
    w.SAVE_BUTTON.click();
    return w;
}

void fillLikeTheExample(CryptoSettingsWindow& w) {
    w.USE_QT_LOCATION_BUTTON.click();
    w.USE_QT_NAME_BUTTON.click();
    w.USE_DAEMON_CLI_LOCATION_BUTTON.click();
    w.USE_DAEMOND_NAME_BUTTON.click();
    w.USE_DAEMONCLI_NAME_BUTTON.click();
    w.BLOCKCHAIN_HOME_TEXTBOX.setText("D:\\chain");
    w.CRYPTO_NAME_TEXTBOX.setText("Bitcoin");
    w.QT_WALLET_TICKBOX.setValue(1);
}

TEST(CryptoSettings, AFreshStoreOpensWithNoOptionsAndThePlaceholdersUntilTheFirstRebuild) {
    CryptoHarness h;
    CryptoSettingsWindow& w = h.open();
    MainSettingsWindow& owner = h.app->settingsWindows().mainSettings();
    ASSERT_EQ(h.fake.windows.shown.size(), 3u);
    EXPECT_EQ(h.fake.windows.shown[2], std::make_pair(static_cast<Form*>(&w), true));
    EXPECT_EQ(w.caption(), "SYNCWARD - CRYPTO SETTINGS");
    EXPECT_EQ(w.placement().width, 8895);
    EXPECT_EQ(w.placement().height, 6735);
    EXPECT_EQ(w.CONF_FILE_LOCATION_TEXTBOX.text(), owner.CONF_FILE_LOCATION_TEXTBOX.text());
    EXPECT_EQ(w.CONF_FILE_LOCATION_TEXTBOX.text(), "D:\\R\\CONFIGS\\BTC1-CRYPTO-CONFIG.conf");

    for (TextBox* option : {&w.QT_DASH_DISABLE_WALLET_EQUALS_TEXTBOX, &w.DAEMON_DASH_DISABLE_WALLET_EQUALS_TEXTBOX,
                            &w.DASH_DISABLE_DAEMON_EQUALS_TEXTBOX})
        EXPECT_EQ(option->text(), "") << option->name();
    for (TickBox* disabled : {&w.QT_DISABLE_WALLET_TICKBOX, &w.DAEMON_DISABLE_WALLET_TICKBOX, &w.DISABLE_DAEMON_TICKBOX}) {
        EXPECT_FALSE(disabled->enabled()) << disabled->name();
        EXPECT_EQ(disabled->tooltip(), "!!! DISABLES ALL WALLET FUNCTIONALITY !!!");
    }
    EXPECT_EQ(w.QT_NAME_LABEL.caption(), "QT.exe - File - eg bitcoin-qt.exe");

    EXPECT_EQ(w.COMMAND_UPDATE_TIMER.interval(), 1000);
    EXPECT_TRUE(w.COMMAND_UPDATE_TIMER.enabled());
    h.fake.loop.advance(999);
    EXPECT_EQ(w.QV_QT_COMMAND_TEXTBOX.text(),
              "!!! QT RUN COMMAND NOT GENERATED YET - PLEASE ENTER SETTINGS TO GENERATE COMMAND !!!");
    EXPECT_EQ(w.GETBLOCKCOUNT_COMMAND_SETTINGS_TEXTBOX.text(),
              "!!! BLOCKCOUNTER RUN COMMAND NOT GENERATED YET - PLEASE ENTER SETTINGS TO GENERATE COMMAND !!!");
    h.fake.loop.advance(1);
    EXPECT_EQ(w.QV_QT_COMMAND_TEXTBOX.text(), "call \"\\\" -conf=D:\\R\\CONFIGS\\BTC1-CRYPTO-CONFIG.conf -datadir= ");
    EXPECT_EQ(w.QVCLI_STOP_COMMAND_TEXTBOX.text(), "call \"\\\" -conf=D:\\R\\CONFIGS\\BTC1-CRYPTO-CONFIG.conf  stop");

    // Live: a field typed now shows within the next second.
    w.DAEMOND_NAME_TEXTBOX.setText("litecoind.exe");
    h.fake.loop.advance(1000);
    EXPECT_EQ(w.QV_D_COMMAND_TEXTBOX.text(),
              "call \"\\litecoind.exe\" -conf=D:\\R\\CONFIGS\\BTC1-CRYPTO-CONFIG.conf -datadir= ");
}

TEST(CryptoSettings, EachPairGoesThroughItsThreeStates) {
    CryptoHarness h;
    CryptoSettingsWindow& w = h.open();
    TextBox& qt = w.QT_DASH_DISABLE_WALLET_EQUALS_TEXTBOX;

    w.QT_WALLET_TICKBOX.setValue(1);
    EXPECT_EQ(qt.text(), "-disablewallet=0");
    EXPECT_TRUE(w.QT_DISABLE_WALLET_TICKBOX.enabled());
    w.QT_DISABLE_WALLET_TICKBOX.setValue(1);
    EXPECT_EQ(qt.text(), "-disablewallet=1");
    EXPECT_FALSE(w.QT_WALLET_TICKBOX.enabled());
    EXPECT_TRUE(w.QT_WALLET_TICKBOX.ticked());
    w.QT_DISABLE_WALLET_TICKBOX.setValue(0);
    EXPECT_EQ(qt.text(), "-disablewallet=0");
    EXPECT_TRUE(w.QT_WALLET_TICKBOX.enabled());
    w.QT_WALLET_TICKBOX.setValue(0);
    EXPECT_EQ(qt.text(), "");
    EXPECT_FALSE(w.QT_DISABLE_WALLET_TICKBOX.enabled());

    w.DAEMON_WALLET_TICKBOX.setValue(1);
    w.DAEMON_DISABLE_WALLET_TICKBOX.setValue(1);
    EXPECT_EQ(w.DAEMON_DASH_DISABLE_WALLET_EQUALS_TEXTBOX.text(), "-disablewallet=1");
    EXPECT_EQ(qt.text(), "");  // the pairs are independent

    w.CLI_DAEMON_TICKBOX.setValue(1);
    EXPECT_EQ(w.DASH_DISABLE_DAEMON_EQUALS_TEXTBOX.text(), "-daemon=1");
    w.DISABLE_DAEMON_TICKBOX.setValue(1);
    EXPECT_EQ(w.DASH_DISABLE_DAEMON_EQUALS_TEXTBOX.text(), "-daemon=0");
    EXPECT_FALSE(w.CLI_DAEMON_TICKBOX.enabled());
    h.fake.loop.advance(1000);
    EXPECT_EQ(w.QVCLI_STOP_COMMAND_TEXTBOX.text(),
              "call \"\\\" -conf=D:\\R\\CONFIGS\\BTC1-CRYPTO-CONFIG.conf -daemon=0 stop");
}

TEST(CryptoSettings, StoredTicksEstablishTheirStatesOnLoadEvenWhenTheyContradict) {
    CryptoHarness h;
    h.store("QT_WALLET_TICKBOX", "1");
    h.store("QT_DISABLE_WALLET_TICKBOX", "1");
    h.store("DAEMON_WALLET_TICKBOX", "0");
    h.store("DAEMON_DISABLE_WALLET_TICKBOX", "1");  // "Disabled" without its main box
    h.store("CLI_DAEMON_TICKBOX", "1");
    CryptoSettingsWindow& w = h.open();
    EXPECT_EQ(w.QT_DASH_DISABLE_WALLET_EQUALS_TEXTBOX.text(), "-disablewallet=1");
    EXPECT_TRUE(w.QT_WALLET_TICKBOX.ticked());
    EXPECT_FALSE(w.QT_WALLET_TICKBOX.enabled());
    EXPECT_TRUE(w.QT_DISABLE_WALLET_TICKBOX.enabled());

    EXPECT_EQ(w.DAEMON_DASH_DISABLE_WALLET_EQUALS_TEXTBOX.text(), "");
    EXPECT_FALSE(w.DAEMON_DISABLE_WALLET_TICKBOX.ticked());
    EXPECT_FALSE(w.DAEMON_DISABLE_WALLET_TICKBOX.enabled());
    EXPECT_TRUE(w.DAEMON_WALLET_TICKBOX.enabled());

    EXPECT_EQ(w.DASH_DISABLE_DAEMON_EQUALS_TEXTBOX.text(), "-daemon=1");
    EXPECT_TRUE(w.DISABLE_DAEMON_TICKBOX.enabled());

    // Closed and opened again over a changed store, it starts from scratch.
    w.CANCEL_BUTTON.click();
    h.store("QT_WALLET_TICKBOX", "0");
    h.store("QT_DISABLE_WALLET_TICKBOX", "0");
    CryptoSettingsWindow& again = h.open();
    EXPECT_EQ(again.QT_DASH_DISABLE_WALLET_EQUALS_TEXTBOX.text(), "");
    EXPECT_TRUE(again.QT_WALLET_TICKBOX.enabled());
    EXPECT_FALSE(again.QT_DISABLE_WALLET_TICKBOX.enabled());
}

TEST(CryptoSettings, SaveWritesTheExampleQtFileAndEveryStepInOrder) {
    CryptoHarness h;
    CryptoSettingsWindow& w = h.open();
    fillLikeTheExample(w);
    h.fake.store.clearLog();
    w.SAVE_BUTTON.click();  // before any tick: the fields as they are now

    EXPECT_EQ(h.file("D:\\R\\BATS\\BTC1-RUN-QT.bat"),
              "call \"C:\\Program Files\\Bitcoin\\bitcoin-qt.exe\" -conf=D:\\R\\CONFIGS\\BTC1-CRYPTO-CONFIG.conf "
              "-datadir=D:\\chain -disablewallet=0\r\n");
    EXPECT_EQ(h.file("D:\\R\\BATS\\BTC1-RUN-DAEMON.bat"),
              "call \"C:\\Program Files\\Bitcoin\\Daemon\\bitcoind.exe\" "
              "-conf=D:\\R\\CONFIGS\\BTC1-CRYPTO-CONFIG.conf -datadir=D:\\chain \r\n");
    EXPECT_EQ(h.file("D:\\R\\BATS\\BTC1-RUN-CLI-STOP.bat"),
              "call \"C:\\Program Files\\Bitcoin\\Daemon\\bitcoin-cli.exe\" "
              "-conf=D:\\R\\CONFIGS\\BTC1-CRYPTO-CONFIG.conf  stop\r\n");
    EXPECT_EQ(h.file("D:\\R\\BATS\\BTC1-RUN-BLOCKCOUNTER-GBC.bat"),
              "call \"C:\\Program Files\\Bitcoin\\Daemon\\bitcoin-cli.exe\" "
              "-conf=D:\\R\\CONFIGS\\BTC1-CRYPTO-CONFIG.conf getblockcount > "
              "D:\\R\\BLOCKCOUNTS\\BTC1-LATEST-BLOCKCOUNT.LOG\r\n");
    EXPECT_EQ(h.file("D:\\R\\BLOCKCOUNTS\\BTC1-LATEST-BLOCKCOUNT.LOG"), "\r\n");

    EXPECT_EQ(h.fake.store.savedKeys("BTC1"),
              (std::vector<std::string>{
                  "CRYPTO_NAME_TEXTBOX", "BLOCKCHAIN_HOME_TEXTBOX", "QT_LOCATION_TEXTBOX", "QT_NAME_TEXTBOX",
                  "DAEMON_CLI_LOCATION_TEXTBOX", "DAEMONCLI_NAME_SETTINGS_TEXTBOX", "DAEMOND_NAME_TEXTBOX",
                  "QT_WALLET_TICKBOX", "QT_DISABLE_WALLET_TICKBOX", "DAEMON_WALLET_TICKBOX",
                  "DAEMON_DISABLE_WALLET_TICKBOX", "CLI_DAEMON_TICKBOX", "DISABLE_DAEMON_TICKBOX",
                  "QV_QT_COMMAND_TEXTBOX", "QV_D_COMMAND_TEXTBOX", "QVCLI_STOP_COMMAND_TEXTBOX",
                  "GETBLOCKCOUNT_COMMAND_SETTINGS_TEXTBOX"}));
    EXPECT_EQ(h.stored("QT_WALLET_TICKBOX"), "1");

    MainWindow& main = h.main();
    EXPECT_EQ(main.CRYPTO_NAME_TEXTBOX.text(), "Bitcoin");
    EXPECT_EQ(main.QT_NAME_TEXTBOX.text(), "bitcoin-qt.exe");
    EXPECT_EQ(main.DAEMON_NAME_TEXTBOX.text(), "bitcoind.exe");
    EXPECT_EQ(main.CLI_NAME_TEXTBOX.text(), "bitcoin-cli.exe");
    EXPECT_EQ(main.QV_QT_COMMAND_TEXTBOX.text(), w.QV_QT_COMMAND_TEXTBOX.text());
    EXPECT_EQ(main.GETBLOCKCOUNT_COMMAND_SETTINGS_TEXTBOX.text(), w.GETBLOCKCOUNT_COMMAND_SETTINGS_TEXTBOX.text());

    EXPECT_EQ(w.CANCEL_BUTTON.caption(), "Close");
    EXPECT_TRUE(w.isOpen());
    EXPECT_TRUE(w.COMMAND_UPDATE_TIMER.enabled());
    EXPECT_EQ(w.MESSAGE_STATUS_TEXTBOX.text(), "!!! CRYPTO SETTINGS SAVED - COMMAND FILES WRITTEN !!!");
    EXPECT_EQ(w.MESSAGE_STATUS_TEXTBOX.background(), colours::green);
}

TEST(CryptoSettings, EverySaveRewritesTheFilesAndEmptiesTheBlockCountFile) {
    CryptoHarness h;
    CryptoSettingsWindow& w = h.open();
    fillLikeTheExample(w);
    w.SAVE_BUTTON.click();
    h.fake.files.files["D:\\R\\BLOCKCOUNTS\\BTC1-LATEST-BLOCKCOUNT.LOG"] = "871234\r\n";  // a poll answered
    h.fake.files.files["D:\\R\\BATS\\BTC1-RUN-QT.bat"] = "tampered";
    const int writes = h.fake.files.writes;
    w.SAVE_BUTTON.click();
    EXPECT_EQ(h.fake.files.writes - writes, 6);  // five command files and the emptied count
    EXPECT_EQ(h.file("D:\\R\\BLOCKCOUNTS\\BTC1-LATEST-BLOCKCOUNT.LOG"), "\r\n");
    // The node check asks through the same client and configuration file
    // as the block count, and its answers go to their own file.
    const std::string check = h.file("D:\\R\\BATS\\BTC1-RUN-BLOCKCOUNTER-NODE-CHECK.bat");
    const std::string log = "\"D:\\R\\BLOCKCOUNTS\\BTC1-NODE-CHECK.LOG\"";
    EXPECT_EQ(check.rfind("@echo off& echo getblockchaininfo>> " + log + "& call \"", 0), 0u) << check;
    EXPECT_NE(check.find(" getpeerinfo >> " + log + " 2>&1& echo getconnectioncount>> " + log + "& call "),
              std::string::npos)
        << check;
    EXPECT_NE(check.find(" getbestblockhash 2^>^>" + log + " ^& echo end') do (if %%h==end (echo end>> " + log +
                         ") else (call "),
              std::string::npos)
        << check;
    EXPECT_NE(check.find(" getblockheader %%h >> " + log + " 2>&1))\r\n"), std::string::npos) << check;
    EXPECT_EQ(w.NODE_CHECK_COMMAND_SETTINGS_TEXTBOX.text() + "\r\n", check);
    EXPECT_EQ(h.file("D:\\R\\BATS\\BTC1-RUN-QT.bat").substr(0, 5), "call ");
}

TEST(CryptoSettings, ASaveThatCannotWriteEveryFileStoresNothingAndPutsTheOldFilesBack) {
    CryptoHarness h;
    CryptoSettingsWindow& w = h.open();
    fillLikeTheExample(w);
    h.fake.files.files["D:\\R\\BATS\\BTC1-RUN-QT.bat"] = "old qt line\r\n";
    h.fake.files.unwritable.insert("D:\\R\\BATS\\BTC1-RUN-CLI-STOP.bat");
    h.fake.store.clearLog();
    w.SAVE_BUTTON.click();
    EXPECT_EQ(w.MESSAGE_STATUS_TEXTBOX.text(),
              "!!! NOT WRITTEN: RUN-CLI-STOP - CHECK THE HOME FOLDER / CREATE FOLDERS - NOTHING SAVED !!!");
    EXPECT_EQ(w.MESSAGE_STATUS_TEXTBOX.background(), colours::red);
    EXPECT_EQ(h.file("D:\\R\\BATS\\BTC1-RUN-QT.bat"), "old qt line\r\n");
    EXPECT_TRUE(h.fake.store.savedKeys("BTC1").empty());
    EXPECT_EQ(h.main().QV_QT_COMMAND_TEXTBOX.text(), "");
    EXPECT_EQ(h.main().CRYPTO_NAME_TEXTBOX.text(), "");
    EXPECT_EQ(w.CANCEL_BUTTON.caption(), "Cancel");
}

TEST(CryptoSettings, AValueWithALineBreakOrARelativeFolderIsRefusedBeforeAnythingChanges) {
    CryptoHarness h(PlatformProfile::posix("/home/sat"), "/home/sat/R");
    CryptoSettingsWindow& w = saveDaemonOnly(h);
    ASSERT_EQ(w.MESSAGE_STATUS_TEXTBOX.background(), colours::green);
    const auto stored = h.fake.store.values;
    const auto files = h.fake.files.files;

    w.CRYPTO_NAME_TEXTBOX.setText("Litecoin");
    w.BLOCKCHAIN_HOME_TEXTBOX.setText("/chain\nrm -rf ~");
    w.SAVE_BUTTON.click();
    EXPECT_EQ(w.MESSAGE_STATUS_TEXTBOX.text(), "!!! A FIELD HOLDS A LINE BREAK - NOTHING SAVED !!!");
    w.BLOCKCHAIN_HOME_TEXTBOX.setText("chain");
    w.SAVE_BUTTON.click();
    EXPECT_EQ(w.MESSAGE_STATUS_TEXTBOX.text(), "!!! BLOCKCHAIN FOLDER MUST BE A FULL PATH - NOTHING SAVED !!!");
    w.BLOCKCHAIN_HOME_TEXTBOX.setText("");
    w.DAEMON_CLI_LOCATION_TEXTBOX.setText("-x");
    w.SAVE_BUTTON.click();
    EXPECT_EQ(w.MESSAGE_STATUS_TEXTBOX.text(), "!!! DAEMON / CLI FOLDER MUST BE A FULL PATH - NOTHING SAVED !!!");
    EXPECT_EQ(h.fake.store.values, stored);
    EXPECT_EQ(h.fake.files.files, files);
    EXPECT_EQ(h.main().CRYPTO_NAME_TEXTBOX.text(), "");
}

TEST(CryptoSettings, NoCommandFileIsWrittenForAProgramWithoutAName) {
    CryptoHarness h(PlatformProfile::posix("/home/sat"), "/home/sat/R");
    saveDaemonOnly(h);
    EXPECT_FALSE(h.fake.files.files.count("/home/sat/R/BATS/BTC1-RUN-QT.sh"));
    EXPECT_TRUE(h.fake.files.files.count("/home/sat/R/BATS/BTC1-RUN-DAEMON.sh"));
    EXPECT_TRUE(h.fake.files.files.count("/home/sat/R/BATS/BTC1-RUN-BLOCKCOUNTER-GBC.sh"));
}

// The node's and the client's lines send their output into LOGS and
// BLOCKCOUNTS; without them the shell refuses the lines, so a Save that
// would write them anyway writes nothing.
TEST(CryptoSettings, ASaveRefusesAHomeWithoutAFolderItsLinesWriteInto) {
    CryptoHarness h(PlatformProfile::posix("/home/sat"), "/home/sat/R");
    h.fake.files.folders.erase("/home/sat/R/LOGS");
    CryptoSettingsWindow& w = saveDaemonOnly(h);
    EXPECT_EQ(w.MESSAGE_STATUS_TEXTBOX.text(),
              "!!! FOLDER MISSING: /home/sat/R/LOGS - CREATE FOLDERS - NOTHING SAVED !!!");
    EXPECT_EQ(w.MESSAGE_STATUS_TEXTBOX.background(), colours::red);
    EXPECT_EQ(h.fake.files.writes, 0);
    EXPECT_FALSE(h.stored("DAEMOND_NAME_TEXTBOX"));

    h.createFolders("/home/sat/R");
    w.SAVE_BUTTON.click();
    EXPECT_EQ(w.MESSAGE_STATUS_TEXTBOX.background(), colours::green);

    // The Windows lines redirect into BLOCKCOUNTS only.
    CryptoHarness windows;
    windows.fake.files.folders.erase("D:\\R\\LOGS");
    windows.fake.files.folders.erase("D:\\R\\BLOCKCOUNTS");
    CryptoSettingsWindow& other = saveDaemonOnly(windows);
    EXPECT_EQ(other.MESSAGE_STATUS_TEXTBOX.text(),
              "!!! FOLDER MISSING: D:\\R\\BLOCKCOUNTS - CREATE FOLDERS - NOTHING SAVED !!!");
}

// A name cleared after an earlier Save takes its file with it, so neither
// the run nor a manual start runs the old line, and the status says so; a
// removal that fails undoes the whole Save.
TEST(CryptoSettings, ClearingAProgramsNameRemovesItsOldFileAndSaysSo) {
    CryptoHarness h;
    CryptoSettingsWindow& w = h.open();
    fillLikeTheExample(w);
    w.SAVE_BUTTON.click();
    const std::string qtFile = "D:\\R\\BATS\\BTC1-RUN-QT.bat";
    ASSERT_TRUE(h.fake.files.files.count(qtFile));

    w.QT_NAME_TEXTBOX.setText("");
    h.fake.files.unwritable.insert(qtFile);
    w.SAVE_BUTTON.click();
    EXPECT_EQ(w.MESSAGE_STATUS_TEXTBOX.text(),
              "!!! NOT WRITTEN: RUN-QT - CHECK THE HOME FOLDER / CREATE FOLDERS - NOTHING SAVED !!!");
    EXPECT_TRUE(h.fake.files.files.count(qtFile));
    EXPECT_EQ(h.stored("QT_NAME_TEXTBOX"), "bitcoin-qt.exe");

    h.fake.files.unwritable.erase(qtFile);
    w.SAVE_BUTTON.click();
    EXPECT_FALSE(h.fake.files.files.count(qtFile));
    EXPECT_EQ(w.MESSAGE_STATUS_TEXTBOX.text(),
              "!!! CRYPTO SETTINGS SAVED - COMMAND FILES WRITTEN - REMOVED, AS ITS PROGRAM HAS NO NAME: RUN-QT !!!");
    EXPECT_EQ(w.MESSAGE_STATUS_TEXTBOX.background(), colours::green);
    EXPECT_EQ(h.stored("QT_NAME_TEXTBOX"), "");
    EXPECT_EQ(h.main().QT_NAME_TEXTBOX.text(), "");

    // Nothing left to remove: the usual words.
    w.SAVE_BUTTON.click();
    EXPECT_EQ(w.MESSAGE_STATUS_TEXTBOX.text(), crypto_texts::cryptoSettingsSaved);
}

// The set-up check loads the crypto settings without showing them, before
// the home folder is set; the Save after it still writes the home folder's
// .conf, and then the own file ticked after it.
TEST(CryptoSettings, TheConfFileIsTheMainSettingsChoiceAtSaveNotAtLoad) {
    CryptoHarness h(PlatformProfile::posix("/home/sat"), "");
    h.start();
    h.main().SETTINGS_BUTTON.click();
    MainSettingsWindow& settings = h.app->settingsWindows().mainSettings();
    settings.CHECK_SETUP_BUTTON.click();
    settings.SYNCWARD_HOME_TEXTBOX.setText("/home/sat/R");
    settings.CREATE_FOLDERS_BUTTON.click();
    settings.CRYPTO_SETTINGS_BUTTON.click();
    CryptoSettingsWindow& w = h.app->settingsWindows().cryptoSettings();
    w.USE_DAEMON_CLI_LOCATION_BUTTON.click();
    w.USE_DAEMOND_NAME_BUTTON.click();
    w.USE_DAEMONCLI_NAME_BUTTON.click();
    w.SAVE_BUTTON.click();
    ASSERT_EQ(w.MESSAGE_STATUS_TEXTBOX.background(), colours::green) << w.MESSAGE_STATUS_TEXTBOX.text();
    const std::string daemon = "/home/sat/R/BATS/BTC1-RUN-DAEMON.sh";
    EXPECT_NE(h.file(daemon).find(" -conf='/home/sat/R/CONFIGS/BTC1-CRYPTO-CONFIG.conf' "), std::string::npos)
        << h.file(daemon);

    settings.USE_OWN_CONF_TICKBOX.setValue(1);
    settings.CONF_FILE_LOCATION_TEXTBOX.setText("/etc/ltc.conf");
    w.SAVE_BUTTON.click();
    EXPECT_NE(h.file(daemon).find(" -conf='/etc/ltc.conf' "), std::string::npos) << h.file(daemon);
}

TEST(CryptoSettings, ASaveWithoutAHomeFolderChangesNothingAndAFailingStoreIsTold) {
    CryptoHarness h(PlatformProfile::windows(), "");
    h.start();
    CryptoSettingsWindow& w = h.app->settingsWindows().cryptoSettings();  // loaded, not shown
    EXPECT_FALSE(w.COMMAND_UPDATE_TIMER.enabled());  // it rebuilds only while open
    fillLikeTheExample(w);
    h.fake.store.clearLog();
    w.SAVE_BUTTON.click();
    EXPECT_EQ(h.fake.files.writes, 0);
    EXPECT_TRUE(h.fake.store.savedKeys("BTC1").empty());
    EXPECT_EQ(w.MESSAGE_STATUS_TEXTBOX.text(), "!!! NO HOME FOLDER SET IN MAIN SETTINGS - NOTHING SAVED !!!");

    CryptoHarness failing;
    CryptoSettingsWindow& other = failing.open();
    fillLikeTheExample(other);
    failing.fake.store.failSaves = true;
    other.SAVE_BUTTON.click();
    EXPECT_EQ(other.MESSAGE_STATUS_TEXTBOX.text(),
              "!!! COMMAND FILES WRITTEN - SETTINGS NOT STORED - CHECK THE REGISTRY !!!");
}

TEST(CryptoSettings, CancelStoresOnlyThePlaceAndLeavesWrittenFiles) {
    CryptoHarness h;
    CryptoSettingsWindow& w = h.open();
    fillLikeTheExample(w);
    w.SAVE_BUTTON.click();
    w.CRYPTO_NAME_TEXTBOX.setText("Changed");
    h.fake.store.clearLog();
    w.CANCEL_BUTTON.click();
    EXPECT_FALSE(w.isOpen());
    EXPECT_FALSE(w.COMMAND_UPDATE_TIMER.enabled());
    EXPECT_EQ(h.fake.store.savedKeys("BTC1"),
              (std::vector<std::string>{"CRYPTO_SETTINGS-Left", "CRYPTO_SETTINGS-Top"}));
    EXPECT_EQ(h.stored("CRYPTO_NAME_TEXTBOX"), "Bitcoin");
    EXPECT_EQ(h.fake.files.files.count("D:\\R\\BATS\\BTC1-RUN-QT.bat"), 1u);
}

TEST(CryptoSettings, UseButtonsAndDialogsFollowTheProfile) {
    CryptoHarness h(PlatformProfile::posix("/home/sat"), "/home/sat/R");
    CryptoSettingsWindow& w = h.open();
    fillLikeTheExample(w);
    EXPECT_EQ(w.QT_LOCATION_TEXTBOX.text(), "/usr/bin");
    EXPECT_EQ(w.QT_NAME_TEXTBOX.text(), "bitcoin-qt");
    EXPECT_EQ(w.DAEMON_CLI_LOCATION_TEXTBOX.text(), "/usr/bin");
    EXPECT_EQ(w.DAEMOND_NAME_TEXTBOX.text(), "bitcoind");
    EXPECT_EQ(w.DAEMONCLI_NAME_SETTINGS_TEXTBOX.text(), "bitcoin-cli");
    EXPECT_EQ(w.QT_NAME_LABEL.caption(), "QT - File - eg bitcoin-qt");

    h.fake.dialogs.answers = {std::string("/opt/litecoin/bin/litecoin-qt"), std::nullopt,
                              std::string("/srv/chain data")};
    w.QT_NAME_BROWSE_BUTTON.click();
    EXPECT_EQ(w.QT_NAME_TEXTBOX.text(), "litecoin-qt");  // the name without its folder
    w.DAEMOND_NAME_BROWSE_BUTTON.click();
    EXPECT_EQ(w.DAEMOND_NAME_TEXTBOX.text(), "bitcoind");  // cancelled
    w.BLOCKCHAIN_HOME_BROWSE_BUTTON.click();
    EXPECT_EQ(w.BLOCKCHAIN_HOME_TEXTBOX.text(), "/srv/chain data");
    EXPECT_EQ(h.fake.dialogs.titles,
              (std::vector<std::string>{"Select QT File", "Select DAEMOND File", "BLOCKCHAIN HOME FOLDER"}));
    EXPECT_EQ(h.fake.dialogs.filters[0], "All files (*)");
    EXPECT_EQ(h.fake.dialogs.initialFolders, (std::vector<std::string>{"/usr/bin", "/usr/bin"}));

    w.SAVE_BUTTON.click();
    EXPECT_EQ(h.file("/home/sat/R/BATS/BTC1-RUN-QT.sh"),
              "exec '/usr/bin/litecoin-qt' -conf='/home/sat/R/CONFIGS/BTC1-CRYPTO-CONFIG.conf' "
              "-datadir='/srv/chain data' -disablewallet=0 > '/home/sat/R/LOGS/BTC1-NODE.LOG' 2>&1\n");
    EXPECT_EQ(h.file("/home/sat/R/BATS/BTC1-RUN-BLOCKCOUNTER-GBC.sh"),
              "exec '/usr/bin/bitcoin-cli' -conf='/home/sat/R/CONFIGS/BTC1-CRYPTO-CONFIG.conf' "
              "-datadir='/srv/chain data' getblockcount > '/home/sat/R/BLOCKCOUNTS/BTC1-LATEST-BLOCKCOUNT.LOG' "
              "2> '/home/sat/R/LOGS/BTC1-BLOCKCOUNTER-CLIENT.LOG'\n");
    EXPECT_EQ(h.file("/home/sat/R/BLOCKCOUNTS/BTC1-LATEST-BLOCKCOUNT.LOG"), "\n");
}

TEST(CryptoSettings, TheFilesAndTheBlockCountLineShareTheMainSettingsHomeFolder) {
    CryptoHarness h;
    h.start();
    h.main().SETTINGS_BUTTON.click();
    MainSettingsWindow& settings = h.app->settingsWindows().mainSettings();
    settings.SYNCWARD_HOME_TEXTBOX.setText("E:\\NEW");  // not yet applied with OK
    h.createFolders("E:\\NEW");
    settings.CRYPTO_SETTINGS_BUTTON.click();
    CryptoSettingsWindow& w = h.app->settingsWindows().cryptoSettings();
    w.USE_DAEMON_CLI_LOCATION_BUTTON.click();
    w.USE_DAEMONCLI_NAME_BUTTON.click();
    w.SAVE_BUTTON.click();
    EXPECT_EQ(h.file("E:\\NEW\\BATS\\BTC1-RUN-BLOCKCOUNTER-GBC.bat"),
              "call \"C:\\Program Files\\Bitcoin\\Daemon\\bitcoin-cli.exe\" "
              "-conf=E:\\NEW\\CONFIGS\\BTC1-CRYPTO-CONFIG.conf getblockcount > "
              "E:\\NEW\\BLOCKCOUNTS\\BTC1-LATEST-BLOCKCOUNT.LOG\r\n");
    EXPECT_EQ(h.file("E:\\NEW\\BLOCKCOUNTS\\BTC1-LATEST-BLOCKCOUNT.LOG"), "\r\n");
}

}  // namespace
}  // namespace syncward::testing
