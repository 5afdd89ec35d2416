#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest/QtTest>

#include <gtest/gtest.h>

#include "core/state/home_layout.h"
#include "core/state/main_window_painter.h"
#include "gui_harness.h"

namespace syncward::testing {
namespace {

// The block counter on real Qt timers: the watch colours the daemon box, a
// click on START counts down, reads and compares, and the window shows each
// stage's colours.
TEST(BlockCounterView, AClickOnStartRunsTheChainOnQtTimersUpToTheFirstAgreement) {
    GuiHarness h;
    const std::string home = "C:\\HOME";
    h.fake.store.put("BTC1", "SYNCWARD_HOME_TEXTBOX", home);
    h.fake.store.put("BTC1", "DAEMOND_NAME_TEXTBOX", "bitcoind.exe");
    h.fake.store.put("BTC1", "QT_NAME_TEXTBOX", "bitcoin-qt.exe");
    h.fake.store.put("BTC1", "USER_COUNT_TIME_TEXTBOX", "00:00:01");
    h.fake.processes.start("bitcoind.exe");
    h.fake.files.files[home_layout::blockCountFile(h.fake.profile, home, "BTC1")] = "812345\r\n";
    h.start();
    MainWindow& w = h.app->main();
    setReading(w, &BlockReadings::lastAccepted, "812345\r\n");
    w.FINISH_WHEN_IDENTICAL_TICKBOX.setTicked(true);

    QElapsedTimer clock;
    clock.start();
    while (w.processBox(2).background() != colours::green && clock.elapsed() < 5000) GuiHarness::pump(20);
    EXPECT_TRUE(h.widget<QLineEdit>(w, "PROCESS_TEXTBOX_2")->styleSheet().contains("rgb(0,255,0)"));
    EXPECT_TRUE(h.widget<QLineEdit>(w, "PROCESS_TEXTBOX_1")->styleSheet().contains("rgb(255,0,0)"));

    auto* start = h.widget<QPushButton>(w, "START_STOP_TIMER_BUTTON");
    QTest::mouseClick(start, Qt::LeftButton);
    EXPECT_EQ(start->text(), "STOP");
    EXPECT_TRUE(h.widget<QLineEdit>(w, "USER_COUNT_TIME_TEXTBOX")->isReadOnly());

    clock.restart();
    while (!w.CHECKER_TIMER.enabled() && clock.elapsed() < 15000) GuiHarness::pump(50);
    ASSERT_TRUE(w.CHECKER_TIMER.enabled());
    EXPECT_EQ(h.fake.launcher.ran.size(), 1u);
    EXPECT_EQ(h.widget<QLabel>(w, "CURRENT_STATUS_LABEL")->text(), "!!! BLOCKCOUNTER - IDENTICAL BLOCK NUMBERS !!!");
    EXPECT_TRUE(h.widget<QLineEdit>(w, "IDENTICAL_TEXTBOX")->styleSheet().contains("rgb(0,255,0)"));
    EXPECT_TRUE(h.widget<QLineEdit>(w, "CURRENT_BLOCK_TEXTBOX")->styleSheet().contains("rgb(128,255,255)"));
    h.view(w)->grab().save(GuiHarness::screenshotPath("block_counter_identical.png"));

    QTest::mouseClick(start, Qt::LeftButton);
    EXPECT_EQ(start->text(), "START");
    EXPECT_FALSE(w.CHECKER_TIMER.enabled());
}

}  // namespace
}  // namespace syncward::testing
