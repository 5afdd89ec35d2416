#include <QLineEdit>
#include <QPushButton>
#include <QtTest/QtTest>

#include <gtest/gtest.h>

#include "gui_harness.h"

namespace syncward::testing {
namespace {

// A run that must finish, with the override unticked: once the block
// counter starts, the override's box counts the run's limit down and can
// be read, though its switch is off.
TEST(RunLimitView, TheLimitCountsDownInTheOverrideBoxWhileTheOverrideIsUnticked) {
    GuiHarness h;
    h.fake.store.put("BTC1", "SYNCWARD_HOME_TEXTBOX", "C:\\HOME");
    h.fake.store.put("BTC1", "DAEMOND_NAME_TEXTBOX", "bitcoind.exe");
    h.fake.store.put("BTC1", "USER_OVERRIDE_TIME_TEXTBOX", "00:20:00");
    for (const char* tick : {"TASK_8_ENABLE_TICKBOX", "FINISH_WHEN_IDENTICAL_TICKBOX", "RUN_DAEMON_TICKBOX"})
        h.fake.store.put("BTC1", tick, "1");
    h.fake.processes.start("bitcoind.exe");
    h.start();
    MainWindow& w = h.app->main();
    auto* limit = h.widget<QLineEdit>(w, "OVERRIDE_TIMER_TEXTBOX");
    EXPECT_FALSE(limit->isEnabled()) << "the override is unticked";

    QTest::mouseClick(h.widget<QPushButton>(w, "MULTILOADER_START_STOP_BUTTON"), Qt::LeftButton);
    QElapsedTimer clock;
    clock.start();
    while (limit->text() != "00:19:58" && clock.elapsed() < 20000) GuiHarness::pump(50);
    EXPECT_EQ(limit->text(), "00:19:58");
    EXPECT_TRUE(limit->isEnabled());
    EXPECT_FALSE(h.widget<QPushButton>(w, "START_OVERRIDE_BUTTON")->isEnabled()) << "the limit cannot be stopped";
    h.view(w)->grab().save(GuiHarness::screenshotPath("main_window_run_limit.png"));
}

}  // namespace
}  // namespace syncward::testing
