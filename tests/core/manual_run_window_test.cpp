#include <gtest/gtest.h>

#include "core/processes/command_file.h"
#include "core/processes/manual_run_window.h"
#include "core/processes/process_windows.h"
#include "support/app_harness.h"

namespace syncward::testing {
namespace {

class ManualRun : public ::testing::Test {
protected:
    ManualRunWindow& open() {
        h.store("SYNCWARD_HOME_TEXTBOX", "D:\\R");
        h.store("QT_NAME_TEXTBOX", "bitcoin-qt.exe");
        h.store("DAEMOND_NAME_TEXTBOX", "bitcoind.exe");
        h.store("DAEMONCLI_NAME_SETTINGS_TEXTBOX", "bitcoin-cli.exe");
        h.start();
        h.fake.loop.advance(250);  // the main window's watch has coloured its boxes
        h.main().MANUAL_RUN_BUTTON.click();
        return h.app->processWindows().manualRun();
    }
    std::string file(CommandFile f) { return commandFilePath(h.fake.profile, "D:\\R", "BTC1", f); }

    AppHarness h;
};

TEST_F(ManualRun, OpensModallyOverTheMainWindowWithTheStatesOfThisMomentAlready) {
    h.fake.processes.start("bitcoind.exe");
    ManualRunWindow& win = open();
    ASSERT_EQ(h.fake.windows.shown.back(), std::make_pair(static_cast<Form*>(&win), true));
    EXPECT_EQ(win.caption(), "SYNCWARD - MANUAL RUN");
    EXPECT_EQ(win.PROCESS_TEXTBOX_4.text(), "SendEmail.exe");
    // Mirrored at load, not a second later.
    EXPECT_EQ(win.PROCESS_TEXTBOX_1.background(), colours::red);
    EXPECT_EQ(win.PROCESS_TEXTBOX_2.background(), colours::green);
    EXPECT_EQ(win.PROCESS_TEXTBOX_2.tooltip(), "DAEMON PROCESS RUNNING");
    EXPECT_FALSE(win.DAEMON_START_BUTTON.enabled());
    EXPECT_FALSE(win.QT_START_BUTTON.enabled());
    EXPECT_TRUE(win.BUTTON_UPDATE_TIMER.running());
    EXPECT_EQ(win.BUTTON_UPDATE_TIMER.interval(), 1000);

    // The daemon ends: the main window sees it at its next watch tick, the
    // manual run window at its next second.
    h.fake.processes.end("bitcoind.exe");
    h.fake.loop.advance(750);
    EXPECT_EQ(win.PROCESS_TEXTBOX_2.background(), colours::green);
    h.fake.loop.advance(250);
    EXPECT_EQ(win.PROCESS_TEXTBOX_2.background(), colours::red);
    EXPECT_TRUE(win.DAEMON_START_BUTTON.enabled());
    EXPECT_TRUE(win.QT_START_BUTTON.enabled());
}

TEST_F(ManualRun, EachButtonIsOfferedOnlyWhenItsActionMakesSense) {
    struct Case {
        std::vector<std::string> running;
        bool qtStart, daemonStart, cliStop;
    } cases[] = {
        {{}, true, true, true},
        {{"bitcoin-qt.exe"}, false, true, true},  // QT runs: the daemon may still be started
        {{"bitcoind.exe"}, false, false, true},
        {{"bitcoin-qt.exe", "bitcoind.exe"}, false, false, true},
        {{"bitcoin-cli.exe"}, true, true, true},  // the client busy, the mailer not: stop may go
        {{"SendEmail.exe"}, true, true, false},
        {{"bitcoin-cli.exe", "SendEmail.exe"}, true, true, false},
    };
    ManualRunWindow& win = open();
    for (const Case& c : cases) {
        h.fake.processes.processes.clear();
        for (const std::string& name : c.running) h.fake.processes.start(name);
        h.fake.loop.advance(1000);
        SCOPED_TRACE(::testing::PrintToString(c.running));
        EXPECT_EQ(win.QT_START_BUTTON.enabled(), c.qtStart);
        EXPECT_EQ(win.DAEMON_START_BUTTON.enabled(), c.daemonStart);
        EXPECT_EQ(win.CLI_STOP_BUTTON.enabled(), c.cliStop);
        for (int n = 1; n <= 4; ++n) EXPECT_EQ(win.processBoxes()[n - 1]->background(), h.main().processBox(n).background());
    }
}

TEST_F(ManualRun, ButtonsRunTheRunsOwnCommandFilesOfTheHomeFolderAtTheClick) {
    ManualRunWindow& win = open();
    for (CommandFile f : {CommandFile::RunQt, CommandFile::RunDaemon, CommandFile::CliStop}) h.fake.files.files[file(f)] = "x\r\n";
    win.QT_START_BUTTON.click();
    win.DAEMON_START_BUTTON.click();
    win.CLI_STOP_BUTTON.click();
    EXPECT_EQ(h.fake.launcher.ran,
              (std::vector<std::string>{file(CommandFile::RunQt), file(CommandFile::RunDaemon), file(CommandFile::CliStop)}));
    EXPECT_EQ(win.MANUAL_RUN_STATUS_LABEL.caption(), "");

    // The home folder is read at the click, as the run reads it.
    h.main().SYNCWARD_HOME_TEXTBOX.setText("E:\\S");
    const std::string moved = commandFilePath(h.fake.profile, "E:\\S", "BTC1", CommandFile::RunDaemon);
    h.fake.files.files[moved] = "x\r\n";
    win.DAEMON_START_BUTTON.click();
    EXPECT_EQ(h.fake.launcher.ran.back(), moved);
}

TEST_F(ManualRun, AMissingCommandFileOrAFailedStartIsSaidInTheWindow) {
    ManualRunWindow& win = open();
    win.DAEMON_START_BUTTON.click();
    EXPECT_TRUE(h.fake.launcher.ran.empty()) << "nothing to run";
    EXPECT_EQ(win.MANUAL_RUN_STATUS_LABEL.caption(), "!!! COMMAND FILE NOT FOUND - SAVE THE CRYPTO SETTINGS FIRST !!!");

    h.fake.files.files[file(CommandFile::RunDaemon)] = "x\r\n";
    h.fake.launcher.failStarts = true;
    win.DAEMON_START_BUTTON.click();
    EXPECT_EQ(win.MANUAL_RUN_STATUS_LABEL.caption(), "!!! COMMAND FILE COULD NOT BE STARTED !!!");

    h.fake.launcher.failStarts = false;
    win.DAEMON_START_BUTTON.click();
    EXPECT_EQ(win.MANUAL_RUN_STATUS_LABEL.caption(), "");
    EXPECT_EQ(h.main().CURRENT_STATUS_LABEL.caption(), "READY...") << "the main window's status is the run's";
}

TEST_F(ManualRun, ClosingSavesTheWindowsPlaceAndStopsItsTimer) {
    h.store("MANUAL_RUN-Left", "2000");
    h.store("MANUAL_RUN-Width", "9000");
    ManualRunWindow& win = open();
    EXPECT_EQ(win.placement().left, 2000);
    EXPECT_EQ(win.placement().top, 1000);
    EXPECT_EQ(win.placement().width, 9000);
    EXPECT_EQ(win.placement().height, 2355);
    win.setPosition(3000, 4000);
    h.fake.store.clearLog();
    win.OK_BUTTON.click();
    EXPECT_FALSE(win.isOpen());
    EXPECT_EQ(h.fake.store.savedKeys("BTC1"), (std::vector<std::string>{"MANUAL_RUN-Left", "MANUAL_RUN-Top"}));
    EXPECT_EQ(h.stored("MANUAL_RUN-Top"), "4000");
    EXPECT_FALSE(win.BUTTON_UPDATE_TIMER.enabled());
}

}  // namespace
}  // namespace syncward::testing
