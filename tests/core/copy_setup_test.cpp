#include <gtest/gtest.h>

#include <map>

#include "core/processes/command_file.h"
#include "core/settings/crypto_settings_window.h"
#include "core/settings/main_settings_window.h"
#include "core/settings/settings_windows.h"
#include "support/app_harness.h"
#include "support/copy_setup.h"

namespace syncward::testing {
namespace {

// The set-up the whole-run tests give a copy, natively and under Wine. What
// it leaves must be what the program itself reads and writes, or those runs
// prove nothing about the program as a user sets it up.
struct WindowsCopy : AppHarness {
    WindowsCopy() : copy(fake.store, fake.files, fake.profile, "C:\\run\\BTC1-home", fake.section()) {
        fields.qtFolder = "C:\\node";
        fields.qtName = "fakecoin-qt.exe";
        fields.daemonCliFolder = "C:\\node";
        fields.daemonName = "wnd7.exe";
        fields.cliName = "wncli7.exe";
        fields.dataFolder = "C:\\chain";
        fields.confFile = copy.configFile();
    }
    std::map<CommandFile, std::string> nodeCommandFiles() const {
        std::map<CommandFile, std::string> texts;
        for (CommandFile file : {CommandFile::RunQt, CommandFile::RunDaemon, CommandFile::CliStop,
                                 CommandFile::BlockCounter, CommandFile::NodeCheck}) {
            const auto found = fake.files.files.find(commandFilePath(fake.profile, copy.home(), copy.name(), file));
            texts[file] = found == fake.files.files.end() ? "<missing>" : found->second;
        }
        return texts;
    }

    CopySetup copy;
    NodeCommandFields fields;
};

TEST(CopySetup, AWindowsCopyHoldsTheCommandFilesItsOwnCryptoSettingsSaveWrites) {
    WindowsCopy h;
    ASSERT_TRUE(h.copy.createHome());
    ASSERT_TRUE(h.copy.nodeCommandFiles(h.fields, "0\r\n"));
    ASSERT_TRUE(h.copy.unattendedRunSwitches("Fakecoin", "00:00:02"));
    const auto setUp = h.nodeCommandFiles();
    EXPECT_EQ(setUp.at(CommandFile::RunDaemon),
              "call \"C:\\node\\wnd7.exe\" -conf=C:\\run\\BTC1-home\\CONFIGS\\BTC1-CRYPTO-CONFIG.conf "
              "-datadir=C:\\chain \r\n");
    EXPECT_EQ(h.fake.files.files.at("C:\\run\\BTC1-home\\BLOCKCOUNTS\\BTC1-LATEST-BLOCKCOUNT.LOG"), "0\r\n");
    for (const char* sub : {"", "\\BATS", "\\BLOCKCOUNTS", "\\CONFIGS", "\\LOGS", "\\REPORTS"})
        EXPECT_TRUE(h.fake.files.folders.count(std::string("C:\\run\\BTC1-home") + sub)) << sub;

    // The program started on that store, its crypto settings saved unchanged.
    h.start();
    h.main().SETTINGS_BUTTON.click();
    h.app->settingsWindows().mainSettings().CRYPTO_SETTINGS_BUTTON.click();
    CryptoSettingsWindow& crypto = h.app->settingsWindows().cryptoSettings();
    const int writesBefore = h.fake.files.writes;
    crypto.SAVE_BUTTON.click();
    ASSERT_GT(h.fake.files.writes, writesBefore) << crypto.MESSAGE_STATUS_TEXTBOX.text();
    EXPECT_EQ(h.nodeCommandFiles(), setUp);
}

TEST(CopySetup, TheProgramStartsWithTheRunSwitchesSetUp) {
    WindowsCopy h;
    ASSERT_TRUE(h.copy.createHome());
    ASSERT_TRUE(h.copy.nodeCommandFiles(h.fields, "0\r\n"));
    ASSERT_TRUE(h.copy.unattendedRunSwitches("Fakecoin", "00:00:02"));
    MainWindow& w = h.start().main();
    EXPECT_EQ(w.SYNCWARD_HOME_TEXTBOX.text(), "C:\\run\\BTC1-home");
    EXPECT_EQ(w.USER_COUNT_TIME_TEXTBOX.text(), "00:00:02");
    EXPECT_EQ(w.CRYPTO_NAME_TEXTBOX.text(), "Fakecoin");
    EXPECT_EQ(w.DAEMON_NAME_TEXTBOX.text(), "wnd7.exe");
    for (TickBox* on : {&w.AUTOSTART_TICKBOX, &w.RUN_DAEMON_TICKBOX, &w.TASK_8_ENABLE_TICKBOX,
                        &w.FINISH_WHEN_IDENTICAL_TICKBOX, &w.TASK_11_ENABLE_TICKBOX, &w.TASK_19_ENABLE_TICKBOX})
        EXPECT_EQ(on->value(), 1) << on->name();
    EXPECT_EQ(w.ALWAYS_ON_TOP_TICKBOX.value(), 0);
}

// The Windows tool's exit status rests on these: a copy half set up must
// not pass for one that is ready.
TEST(CopySetup, SaysWhenTheStoreOrTheHomeFolderRefuses) {
    {
        WindowsCopy h;
        h.fake.files.unwritable.insert("C:\\run\\BTC1-home\\BATS");
        EXPECT_FALSE(h.copy.createHome());
    }
    {
        WindowsCopy h;
        ASSERT_TRUE(h.copy.createHome());
        h.fake.files.unwritable.insert(
            commandFilePath(h.fake.profile, h.copy.home(), h.copy.name(), CommandFile::BlockCounter));
        EXPECT_FALSE(h.copy.nodeCommandFiles(h.fields));
    }
    {
        WindowsCopy h;
        h.fake.store.failSaves = true;
        EXPECT_FALSE(h.copy.createHome());
        EXPECT_FALSE(h.copy.nodeCommandFiles(h.fields));
        EXPECT_FALSE(h.copy.unattendedRunSwitches("Fakecoin", "00:00:02"));
    }
}

}  // namespace
}  // namespace syncward::testing
