#include <gtest/gtest.h>

#include "core/state/main_window_settings.h"
#include "support/app_harness.h"

namespace syncward::testing {
namespace {

TEST(StartUp, FirstStartWithAnEmptyStoreShowsEveryDefaultAndWritesNothing) {
    AppHarness h;
    h.start();
    MainWindow& w = h.main();

    const Placement& place = w.placement();
    EXPECT_EQ(place.left, 1000);
    EXPECT_EQ(place.top, 1000);
    EXPECT_EQ(place.width, 15825);
    EXPECT_EQ(place.height, 6750);
    EXPECT_EQ(w.caption(), "SYNCWARD - BTC1");
    EXPECT_EQ(w.APP_EXE_NAME_LABEL.caption(), "BTC1");

    // Every stored setting shows its default; the step switches and node
    // program ticks are free to be ticked.
    for (const MainSetting& setting : mainSettings()) {
        const Control* control = w.control(std::string(setting.control));
        ASSERT_NE(control, nullptr) << setting.control;
        if (setting.kind == SettingKind::tick)
            EXPECT_EQ(std::to_string(static_cast<const TickBox*>(control)->value()), setting.fallback) << setting.control;
        else
            EXPECT_EQ(static_cast<const TextBox*>(control)->text(), setting.fallback) << setting.control;
    }
    for (TickBox* box : w.stepSwitches()) EXPECT_TRUE(box->enabled()) << box->name();
    EXPECT_TRUE(w.RUN_QT_TICKBOX.enabled());
    EXPECT_TRUE(w.RUN_DAEMON_TICKBOX.enabled());
    EXPECT_TRUE(w.AlwaysOnTopTimer.enabled());
    EXPECT_EQ(w.COUNTDOWN_REMAINING, 300);
    EXPECT_EQ(w.OVERRIDE_REMAINING, 3600);
    EXPECT_EQ(w.HEARTBEAT_REMAINING, 300);
    EXPECT_FALSE(w.AUTOSTART_TIMER.enabled());
    EXPECT_EQ(w.AUTOSTART_START_BUTTON.caption(), "START");
    for (TextBox* lastRun : {&w.MULTILOADER_LAST_RUN_TEXTBOX, &w.BLOCKCOUNTER_LAST_RUN_TEXTBOX}) {
        EXPECT_EQ(lastRun->background(), colours::red);
        EXPECT_EQ(lastRun->foreground(), colours::black);
    }
    EXPECT_EQ(w.CURRENT_STATUS_LABEL.caption(), "READY...");
    EXPECT_EQ(w.BC_FOLDER_SIZE_BEFORE.text(), "!!! STILL TO RUN !!!");
    EXPECT_EQ(w.BLOCKCOUNT_LOG_START_TEXTBOX.text(), "0");
    EXPECT_EQ(w.PC_NAME_TEXTBOX.text(), "PC NAME");
    EXPECT_EQ(w.LOG_FILE_OUTPUT_TEXTBOX.text(), "!!! LOG GENERATED AFTER RUN COMPLETION !!!\r\n");
    for (int n = 1; n <= MainWindow::kittLabelCount; ++n) EXPECT_EQ(w.kittLabel(n).background(), colours::red);
    EXPECT_FALSE(w.END_LOG_BUTTON.enabled());
    EXPECT_FALSE(w.AUTOCLOSE_START_BUTTON.enabled());
    EXPECT_FALSE(w.START_OVERRIDE_BUTTON.enabled());

    // Timers: the watchers run, every chain is at rest.
    EXPECT_TRUE(w.MULTI_PROCESS_WATCHER_TIMER.enabled());
    EXPECT_EQ(w.MULTI_PROCESS_WATCHER_TIMER.interval(), 250);
    EXPECT_TRUE(w.NCS_TIMER.enabled());
    EXPECT_TRUE(w.TOOLTIP_TIMER.enabled());
    EXPECT_EQ(w.CHECKER_TIMER.interval(), 3000);
    EXPECT_EQ(w.CLI_PROCESS_WATCHER_TIMER.interval(), 250);
    EXPECT_EQ(w.NUMLOCK_TIMER_1.interval(), 750);
    EXPECT_EQ(w.kittTimer(16).interval(), 100);
    for (int step = 1; step <= MainWindow::stepCount; ++step) {
        EXPECT_EQ(w.taskTimer(step).interval(), 1000);
        EXPECT_FALSE(w.taskTimer(step).enabled());
    }

    EXPECT_EQ(h.fake.files.writes, 0);
    EXPECT_TRUE(h.fake.store.log.empty());
    ASSERT_EQ(h.fake.windows.shown.size(), 1u);
    EXPECT_EQ(h.fake.windows.shown[0].first, &w);
}

TEST(StartUp, AnAbsentKeyGivesTheDefaultAndAnEmptyOneStaysEmpty) {
    AppHarness h;
    h.store("AUTOCLOSE_OR_POWER_AUTOTIMER_TEXTBOX", "");
    h.store("CRYPTO_NAME_TEXTBOX", "Litecoin");
    h.fake.store.put("LTC2", "QT_NAME_TEXTBOX", "litecoin-qt");  // another copy's section
    h.fake.store.put("SYNCWARD-SHARED-EMAIL-SETTINGS", "CRYPTO_NAME_TEXTBOX", "shared");
    h.start();
    EXPECT_EQ(h.main().AUTOCLOSE_OR_POWER_AUTOTIMER_TEXTBOX.text(), "");
    EXPECT_EQ(h.main().CRYPTO_NAME_TEXTBOX.text(), "Litecoin");
    EXPECT_EQ(h.main().QT_NAME_TEXTBOX.text(), "");
}

TEST(StartUp, ThreeKeysDifferFromTheirControlNames) {
    AppHarness h;
    h.store("DAEMOND_NAME_TEXTBOX", "litecoind");
    h.store("DAEMONCLI_NAME_SETTINGS_TEXTBOX", "litecoin-cli");
    h.store("BLOCKCOUNTER_LAST_RUN", "!!! COMPLETED SUCCESSFULLY !!!");
    h.store("DAEMON_NAME_TEXTBOX", "wrong");
    h.start();
    MainWindow& w = h.main();
    EXPECT_EQ(w.DAEMON_NAME_TEXTBOX.text(), "litecoind");
    EXPECT_EQ(w.CLI_NAME_TEXTBOX.text(), "litecoin-cli");
    EXPECT_EQ(w.processBox(2).tooltip(), "litecoind");
    EXPECT_EQ(w.processBox(3).tooltip(), "litecoin-cli");
    EXPECT_EQ(w.BLOCKCOUNTER_LAST_RUN_TEXTBOX.text(), "!!! COMPLETED SUCCESSFULLY !!!");
    EXPECT_EQ(w.BLOCKCOUNTER_LAST_RUN_TEXTBOX.background(), colours::green);
}

TEST(StartUp, AtMostOneNodeProgramAndOneFinalActionSurvive) {
    AppHarness h;
    h.store("RUN_QT_TICKBOX", "1");
    h.store("RUN_DAEMON_TICKBOX", "1");
    h.store("TASK_19_ENABLE_TICKBOX", "1");
    h.store("TASK_20_ENABLE_TICKBOX", "1");
    h.store("RUN_QT_OR_D_TEXTBOX", "QT");
    h.start();
    MainWindow& w = h.main();
    EXPECT_EQ(w.RUN_QT_TICKBOX.value() + w.RUN_DAEMON_TICKBOX.value(), 1);
    TickBox& node = w.RUN_QT_TICKBOX.ticked() ? w.RUN_DAEMON_TICKBOX : w.RUN_QT_TICKBOX;
    EXPECT_FALSE(node.enabled());
    EXPECT_EQ(w.TASK_19_ENABLE_TICKBOX.value() + w.TASK_20_ENABLE_TICKBOX.value(), 1);
    TickBox& action = w.TASK_19_ENABLE_TICKBOX.ticked() ? w.TASK_20_ENABLE_TICKBOX : w.TASK_19_ENABLE_TICKBOX;
    EXPECT_FALSE(action.enabled());
    // A stored node program choice never survives start-up.
    EXPECT_EQ(w.RUN_QT_OR_D_TEXTBOX.text(), "");
}

TEST(StartUp, PowerAutotimerTickedShowsTheStoredActionOrNoActionSet) {
    for (const bool actionStored : {true, false}) {
        AppHarness h;
        h.store("TASK_20_ENABLE_TICKBOX", "1");
        if (actionStored) h.store("AUTOTIMER_ACTION_TEXTBOX", "RESTART");
        h.start();
        MainWindow& w = h.main();
        EXPECT_EQ(w.AUTOCLOSE_OR_POWER_AUTOTIMER_TEXTBOX.text(), "POWER AUTOTIMER");
        EXPECT_EQ(w.AUTOTIMER_ACTION_TEXTBOX.text(), actionStored ? "RESTART" : "!!! NO ACTION SET !!!");
        EXPECT_FALSE(w.TASK_19_ENABLE_TICKBOX.enabled());
        EXPECT_FALSE(w.TASK_19_ENABLE_TICKBOX.ticked());
    }
}

TEST(StartUp, AutoclosePicksItsTextAndGreysOutThePowerAutotimer) {
    AppHarness h;
    h.store("TASK_19_ENABLE_TICKBOX", "1");
    h.store("AUTOCLOSE_OR_POWER_AUTOTIMER_TEXTBOX", "POWER AUTOTIMER");  // a text left behind
    h.store("AUTOTIMER_ACTION_TEXTBOX", "SHUTDOWN");
    h.start();
    MainWindow& w = h.main();
    EXPECT_EQ(w.AUTOCLOSE_OR_POWER_AUTOTIMER_TEXTBOX.text(), "AUTOCLOSE");
    EXPECT_EQ(w.AUTOTIMER_ACTION_TEXTBOX.text(), "");
    EXPECT_FALSE(w.TASK_20_ENABLE_TICKBOX.enabled());
    // The loaded tick ran its click, which stores the choice it made.
    EXPECT_EQ(h.stored("AUTOCLOSE_OR_POWER_AUTOTIMER_TEXTBOX"), "AUTOCLOSE");
}

TEST(StartUp, AutoloadReadsTheWholeBlockCountFileLineEndIncluded) {
    AppHarness h;
    h.store("GETBLOCKCOUNT_LOG_LOCATION_TEXTBOX", "D:\\R\\BLOCKCOUNTS\\BTC1-LATEST-BLOCKCOUNT.LOG");
    h.fake.files.files["D:\\R\\BLOCKCOUNTS\\BTC1-LATEST-BLOCKCOUNT.LOG"] = "871234\r\n";
    h.start();
    EXPECT_EQ(h.main().LAST_BLOCKCOUNT_TEXTBOX.text(), "871234\r\n");
}

TEST(StartUp, WithoutAutoloadOrWithoutTheFileTheLastBlockCountStaysEmpty) {
    AppHarness off;
    off.store("AUTOLOAD_BLOCKCOUNT_FILE_TICKBOX", "0");
    off.store("GETBLOCKCOUNT_LOG_LOCATION_TEXTBOX", "count.log");
    off.fake.files.files["count.log"] = "5\r\n";
    off.start();
    EXPECT_EQ(off.main().GETBLOCKCOUNT_LOG_LOCATION_TEXTBOX.text(), "");
    EXPECT_EQ(off.main().LAST_BLOCKCOUNT_TEXTBOX.text(), "");

    AppHarness missing;
    missing.store("GETBLOCKCOUNT_LOG_LOCATION_TEXTBOX", "gone.log");
    missing.start();
    EXPECT_EQ(missing.main().LAST_BLOCKCOUNT_TEXTBOX.text(), "");
    EXPECT_EQ(missing.main().CURRENT_STATUS_LABEL.caption(), "READY...");
}

TEST(StartUp, StoredValuesThatDoNotConvertFallBackToTheirDefaults) {
    AppHarness h;
    h.store("USER_COUNT_TIME_TEXTBOX", "five minutes");
    h.store("USER_OVERRIDE_TIME_TEXTBOX", "25:00:00");
    h.store("HEARTBEAT_COUNTDOWN_TIME_TEXTBOX", "");
    h.store("MAIN-Left", "left");
    h.store("MAIN-Top", "2500");
    h.store("MAIN-Width", "12.5");
    h.store("ALWAYS_ON_TOP_TICKBOX", "yes");
    h.store("AUTOSTART_TICKBOX", "2");
    h.store("TASK_8_ENABLE_TICKBOX", " 1 ");
    h.start();
    MainWindow& w = h.main();
    EXPECT_EQ(w.USER_COUNT_TIME_TEXTBOX.text(), "00:05:00");
    EXPECT_EQ(w.COUNTDOWN_REMAINING, 300);
    EXPECT_EQ(w.USER_OVERRIDE_TIME_TEXTBOX.text(), "01:00:00");
    EXPECT_EQ(w.HEARTBEAT_COUNTDOWN_TIME_TEXTBOX.text(), "00:05:00");
    EXPECT_EQ(w.placement().left, 1000);
    EXPECT_EQ(w.placement().top, 2500);
    EXPECT_EQ(w.placement().width, 15825);
    EXPECT_TRUE(w.ALWAYS_ON_TOP_TICKBOX.ticked());
    EXPECT_FALSE(w.AUTOSTART_TICKBOX.ticked());
    EXPECT_TRUE(w.TASK_8_ENABLE_TICKBOX.ticked());
}

TEST(StartUp, AutostartTickedStartsTheCountdown) {
    AppHarness h;
    h.store("AUTOSTART_TICKBOX", "1");
    h.store("MULTILOADER_LAST_RUN_TEXTBOX", "!!! MANUAL EXIT !!!");
    h.start();
    EXPECT_TRUE(h.main().AUTOSTART_TIMER.enabled());
    EXPECT_EQ(h.main().AUTOSTART_START_BUTTON.caption(), "STOP");
    EXPECT_EQ(h.main().MULTILOADER_LAST_RUN_TEXTBOX.background(), colours::red);
}

TEST(StartUp, ThePosixProfileEndsLinesWithLineFeeds) {
    AppHarness h(PlatformProfile::posix("/home/satoshi"));
    h.start();
    EXPECT_EQ(h.main().LOG_FILE_OUTPUT_TEXTBOX.text(), "!!! LOG GENERATED AFTER RUN COMPLETION !!!\n");
    EXPECT_EQ(h.main().ZERO_NEW_LINE_TEXTBOX.text(), "0\n");
    EXPECT_EQ(h.main().processBox(4).text(), "sendemail");
}

TEST(MainWindowClose, TheCloseBoxStoresThePlaceThenTheRunSwitchesInOrder) {
    AppHarness h;
    h.start();
    MainWindow& w = h.main();
    w.setPosition(2000, 3000);
    w.TASK_8_ENABLE_TICKBOX.setValue(1);
    w.RUN_DAEMON_TICKBOX.setValue(1);
    w.MULTILOADER_LAST_RUN_TEXTBOX.setText("!!! COMPLETED SUCCESSFULLY !!!");
    h.fake.store.clearLog();
    w.close();
    const std::vector<std::string> expected = {
        "MAIN-Left", "MAIN-Top", "AUTOSTART_TICKBOX", "FINISH_WHEN_IDENTICAL_TICKBOX", "USER_COUNT_TIME_TEXTBOX",
        "USER_OVERRIDE_TIME_TEXTBOX", "OVERRIDE_TIMER_ENABLE_TICKBOX", "AUTOSTART_OVERRIDE_TIMER_TICKBOX",
        "TASK_2_ENABLE_TICKBOX", "TASK_4_ENABLE_TICKBOX", "TASK_8_ENABLE_TICKBOX", "TASK_11_ENABLE_TICKBOX",
        "TASK_17_ENABLE_TICKBOX", "TASK_18_ENABLE_TICKBOX", "TASK_19_ENABLE_TICKBOX", "TASK_20_ENABLE_TICKBOX",
        "EMAIL_OUTPUT_START_COMMAND_TEXTBOX", "EMAIL_OUTPUT_END_COMMAND_TEXTBOX", "RUN_QT_OR_D_TEXTBOX"};
    EXPECT_EQ(h.fake.store.savedKeys("BTC1"), expected);
    EXPECT_EQ(h.stored("MAIN-Left"), "2000");
    EXPECT_EQ(h.stored("TASK_8_ENABLE_TICKBOX"), "1");
    EXPECT_EQ(h.stored("RUN_QT_OR_D_TEXTBOX"), "DAEMON");
    EXPECT_FALSE(h.stored("RUN_DAEMON_TICKBOX").has_value());
    EXPECT_FALSE(h.stored("MULTILOADER_LAST_RUN_TEXTBOX").has_value());
    EXPECT_FALSE(w.isOpen());
    EXPECT_EQ(h.fake.windows.hidden, std::vector<Form*>{&w});
}

TEST(AlwaysOnTop, KeepsTheWindowOnTopOnlyWhileTickedAndNotInFront) {
    AppHarness h;
    h.start();
    MainWindow& w = h.main();
    h.fake.windows.foreground = &w;
    h.fake.loop.advance(1000);
    EXPECT_TRUE(h.fake.windows.topmost.empty());  // in front already: nothing to do
    h.fake.windows.foreground = nullptr;
    h.fake.loop.advance(1000);
    EXPECT_EQ(h.fake.windows.topmost.count(&w), 1u);

    w.ALWAYS_ON_TOP_TICKBOX.setValue(0);
    EXPECT_FALSE(w.AlwaysOnTopTimer.enabled());
    EXPECT_EQ(h.fake.windows.topmost.count(&w), 0u);  // let go at once
    EXPECT_EQ(h.stored("ALWAYS_ON_TOP_TICKBOX"), "0");
    w.ALWAYS_ON_TOP_TICKBOX.setValue(1);
    EXPECT_TRUE(w.AlwaysOnTopTimer.enabled());
    EXPECT_EQ(h.stored("ALWAYS_ON_TOP_TICKBOX"), "1");
}

TEST(RunChoices, TickingOneNodeProgramOrFinalActionGreysOutTheOther) {
    AppHarness h;
    h.start();
    MainWindow& w = h.main();
    w.RUN_QT_TICKBOX.setValue(1);
    EXPECT_EQ(w.RUN_QT_OR_D_TEXTBOX.text(), "QT");
    EXPECT_FALSE(w.RUN_DAEMON_TICKBOX.enabled());
    w.RUN_QT_TICKBOX.setValue(0);
    EXPECT_EQ(w.RUN_QT_OR_D_TEXTBOX.text(), "");
    EXPECT_TRUE(w.RUN_DAEMON_TICKBOX.enabled());
    EXPECT_FALSE(h.stored("RUN_QT_TICKBOX").has_value());  // saved on exit only

    w.TASK_20_ENABLE_TICKBOX.setValue(1);
    EXPECT_EQ(h.stored("AUTOCLOSE_OR_POWER_AUTOTIMER_TEXTBOX"), "POWER AUTOTIMER");
    w.AUTOTIMER_ACTION_TEXTBOX.setText("HIBERNATE");
    w.TASK_20_ENABLE_TICKBOX.setValue(0);
    EXPECT_EQ(w.AUTOTIMER_ACTION_TEXTBOX.text(), "");
    EXPECT_EQ(h.stored("AUTOCLOSE_OR_POWER_AUTOTIMER_TEXTBOX"), "");
    w.TASK_19_ENABLE_TICKBOX.setValue(1);
    EXPECT_EQ(h.stored("AUTOCLOSE_OR_POWER_AUTOTIMER_TEXTBOX"), "AUTOCLOSE");
    EXPECT_FALSE(w.TASK_20_ENABLE_TICKBOX.enabled());
}

}  // namespace
}  // namespace syncward::testing

namespace syncward::testing {
namespace {

// What the store could not read is told once, where a user and a scheduled
// start's log both see it; a clean store says nothing.
TEST(StartUp, SettingsLinesTheStoreCouldNotReadAreToldOnce) {
    AppHarness h;
    h.fake.store.unreadLinesNotice = "A LINE OF /c/QV_SYNCWARD.ini IS NOT A SETTING";
    h.start();
    EXPECT_EQ(h.main().CURRENT_STATUS_LABEL.caption(), "!!! A LINE OF /c/QV_SYNCWARD.ini IS NOT A SETTING !!!");
    ASSERT_EQ(h.fake.environment.errorLines.size(), 1u);
    EXPECT_EQ(h.fake.environment.errorLines.front(), "A LINE OF /c/QV_SYNCWARD.ini IS NOT A SETTING");

    AppHarness clean;
    clean.start();
    EXPECT_EQ(clean.main().CURRENT_STATUS_LABEL.caption().find("NOT A SETTING"), std::string::npos);
    EXPECT_TRUE(clean.fake.environment.errorLines.empty());
}

}  // namespace
}  // namespace syncward::testing
