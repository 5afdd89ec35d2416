#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "core/power/power_autotimer.h"
#include "core/power/power_autotimer_settings.h"
#include "core/power/power_autotimer_window.h"
#include "gui/gui_harness.h"

namespace syncward::testing {
namespace {

TEST(PowerAutotimerWindowView, CountsDownOnQtTimersBesideTheUsableMainWindow) {
    GuiHarness h;
    h.fake.store.put("BTC1", "CLOSE_REQUEST_COUNTDOWN_TEXTBOX", "00:00:02");
    h.start();
    h.app->main().AUTOTIMER_ACTION_TEXTBOX.setText("SHUTDOWN PC");
    h.app->powerAutotimer().showCountdownWindow();
    PowerAutotimerWindow& win = h.app->powerAutotimer().countdownWindow();

    QWidget* view = h.view(win);
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->isVisible());
    EXPECT_EQ(view->windowModality(), Qt::NonModal);
    EXPECT_EQ(view->windowTitle(), "SYNCWARD - POWER AUTOTIMER");
    EXPECT_EQ(h.widget<QLineEdit>(win, "CLOSE_REQUEST_COUNTDOWN_TEXTBOX")->text(), "00:00:02");
    EXPECT_TRUE(h.widget<QLineEdit>(win, "CLOSE_REQUEST_COUNTDOWN_TEXTBOX")->isReadOnly());

    GuiHarness::pump(1300);
    EXPECT_EQ(h.widget<QLineEdit>(win, "CLOSE_REQUEST_COUNTDOWN_TEXTBOX")->text(), "00:00:01");
    EXPECT_EQ(h.widget<QPushButton>(win, "START_STOP_BUTTON")->text(), "STOP");
    view->grab().save(GuiHarness::screenshotPath("power_autotimer_window.png"));

    // The fake power switch stands in for the system: nothing real is asked.
    GuiHarness::pump(1000);
    EXPECT_FALSE(view->isVisible());
    EXPECT_EQ(h.fake.powerSwitch.requested, std::vector<PowerAction>{PowerAction::Shutdown});
}

TEST(PowerAutotimerWindowView, StopUnlocksTheTimeForTypingAndStartCountsFromIt) {
    GuiHarness h;
    h.fake.store.put("BTC1", "CLOSE_REQUEST_COUNTDOWN_TEXTBOX", "01:00:00");
    h.start();
    h.app->powerAutotimer().showCountdownWindow();
    PowerAutotimerWindow& win = h.app->powerAutotimer().countdownWindow();
    GuiHarness::pump(1100);
    h.widget<QPushButton>(win, "START_STOP_BUTTON")->click();
    auto* time = h.widget<QLineEdit>(win, "CLOSE_REQUEST_COUNTDOWN_TEXTBOX");
    EXPECT_FALSE(time->isReadOnly());
    time->selectAll();
    QTest::keyClicks(time, "bad");
    h.widget<QPushButton>(win, "START_STOP_BUTTON")->click();
    EXPECT_EQ(h.widget<QLabel>(win, "AUTOTIMER_TITLE_LABEL")->text(), "!!! INVALID COUNTDOWN - USE HH:MM:SS !!!");
    h.view(win)->grab().save(GuiHarness::screenshotPath("power_autotimer_window_invalid.png"));

    time->selectAll();
    QTest::keyClicks(time, "00:01:00");
    h.widget<QPushButton>(win, "START_STOP_BUTTON")->click();
    EXPECT_EQ(win.POWER_REMAINING, 60);
    EXPECT_TRUE(time->isReadOnly());
    h.view(win)->close();  // the close box ends the countdown
    EXPECT_FALSE(win.AUTOTIMER_COUNTER.enabled());
}

TEST(PowerAutotimerSettingsView, OpensModallyOverItsOwnerAndTicksExcludeEachOther) {
    GuiHarness h;
    h.start();
    h.app->powerAutotimer().openSettingsWindow(h.app->main());
    PowerAutotimerSettings& s = h.app->powerAutotimer().settingsWindow();
    QWidget* view = h.view(s);
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->isVisible());
    EXPECT_EQ(view->windowModality(), Qt::WindowModal);
    EXPECT_EQ(view->windowTitle(), "SYNCWARD - POWER AUTOTIMER SETTINGS");

    h.widget<QCheckBox>(s, "HIBERNATE_TICKBOX")->click();
    EXPECT_FALSE(h.widget<QCheckBox>(s, "SHUTDOWN_TICKBOX")->isEnabled());
    EXPECT_EQ(h.widget<QLineEdit>(s, "AUTOTIMER_ACTION_TEXTBOX")->text(), "HIBERNATE PC");
    EXPECT_EQ(h.fake.store.stored("BTC1", "AUTOTIMER_ACTION_TEXTBOX"), "HIBERNATE PC");

    auto* start = h.widget<QLineEdit>(s, "CLOSE_REQUEST_COUNTDOWN_TEXTBOX");
    start->selectAll();
    QTest::keyClicks(start, "99:99");
    h.widget<QPushButton>(s, "OK_BUTTON")->click();
    EXPECT_TRUE(view->isVisible());
    EXPECT_EQ(h.widget<QLabel>(s, "AUTOTIMER_SETTINGS_STATUS_LABEL")->text(), "!!! COUNTDOWN START MUST BE HH:MM:SS !!!");
    view->grab().save(GuiHarness::screenshotPath("power_autotimer_settings.png"));

    start->selectAll();
    QTest::keyClicks(start, "00:00:30");
    h.widget<QPushButton>(s, "OK_BUTTON")->click();
    EXPECT_FALSE(view->isVisible());
    EXPECT_EQ(h.app->main().CLOSE_REQUEST_COUNTDOWN_TEXTBOX.text(), "00:00:30");
}

}  // namespace
}  // namespace syncward::testing
