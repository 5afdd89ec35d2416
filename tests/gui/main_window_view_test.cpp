#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "gui/gui_harness.h"

namespace syncward::testing {
namespace {

TEST(MainWindowView, OpensFromItsModelAtTheStoredPlaceWithItsCaption) {
    GuiHarness h;
    h.fake.store.put("BTC1", "MAIN-Left", "1440");
    h.fake.store.put("BTC1", "MAIN-Top", "2880");
    h.start();
    QWidget* view = h.view(h.app->main());
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->isVisible());
    EXPECT_EQ(view->windowTitle(), "SYNCWARD - BTC1");
    EXPECT_EQ(view->pos(), QPoint(view->logicalDpiX(), 2 * view->logicalDpiY()));

    // Every control of the model that the window shows has its widget.
    for (const char* name : {"USER_COUNT_TIME_TEXTBOX", "TASK_19_LIGHT", "PROCESS_TEXTBOX_4", "KITT_LABEL_7",
                             "RUN_QT_TICKBOX", "EXIT_BUTTON", "CURRENT_STATUS_LABEL", "BC_FOLDER_SIZE_AFTER"})
        EXPECT_NE(view->findChild<QWidget*>(name), nullptr) << name;
    EXPECT_EQ(h.widget<QLineEdit>(h.app->main(), "USER_COUNT_TIME_TEXTBOX")->text(), "00:05:00");
    EXPECT_EQ(h.widget<QLineEdit>(h.app->main(), "TASK_9_LIGHT")->toolTip(), "BLOCKCOUNTER COMPLETED");

    view->grab().save(GuiHarness::screenshotPath("main_window.png"));
}

TEST(MainWindowView, ModelChangesReachTheWidgets) {
    GuiHarness h;
    h.start();
    MainWindow& w = h.app->main();
    w.CURRENT_STATUS_LABEL.setCaption("!!! BLOCKCOUNTER - COUNTING DOWN !!!");
    w.taskLight(7).setBackground(colours::cyan);
    w.END_LOG_BUTTON.setEnabled(true);
    w.TASK_8_ENABLE_TICKBOX.setValue(1);
    EXPECT_EQ(h.widget<QLabel>(w, "CURRENT_STATUS_LABEL")->text(), "!!! BLOCKCOUNTER - COUNTING DOWN !!!");
    EXPECT_TRUE(h.widget<QLineEdit>(w, "TASK_7_LIGHT")->styleSheet().contains("rgb(0,255,255)"));
    EXPECT_TRUE(h.widget<QPushButton>(w, "END_LOG_BUTTON")->isEnabled());
    EXPECT_TRUE(h.widget<QCheckBox>(w, "TASK_8_ENABLE_TICKBOX")->isChecked());
}

TEST(MainWindowView, UserClicksAndEditsRunTheModelsReactions) {
    GuiHarness h;
    h.start();
    MainWindow& w = h.app->main();
    auto* runQt = h.widget<QCheckBox>(w, "RUN_QT_TICKBOX");
    runQt->click();
    EXPECT_TRUE(w.RUN_QT_TICKBOX.ticked());
    EXPECT_EQ(w.RUN_QT_OR_D_TEXTBOX.text(), "QT");
    EXPECT_FALSE(h.widget<QCheckBox>(w, "RUN_DAEMON_TICKBOX")->isEnabled());

    auto* interval = h.widget<QLineEdit>(w, "USER_COUNT_TIME_TEXTBOX");
    interval->selectAll();
    QTest::keyClicks(interval, "00:01:30");
    EXPECT_EQ(w.USER_COUNT_TIME_TEXTBOX.text(), "00:01:30");
}

TEST(MainWindowView, TheCloseBoxRunsTheModelsCloseSave) {
    GuiHarness h;
    h.start();
    MainWindow& w = h.app->main();
    h.view(w)->close();
    EXPECT_FALSE(w.isOpen());
    EXPECT_TRUE(h.fake.store.stored("BTC1", "MAIN-Left").has_value());
    EXPECT_TRUE(h.fake.store.stored("BTC1", "RUN_QT_OR_D_TEXTBOX").has_value());
}

TEST(QtEventLoop, ModelTimersTickOnQtTimers) {
    GuiHarness h;
    h.start();
    MainWindow& w = h.app->main();
    int ticks = 0;
    w.COMPLETED_TIMER.onTick.disconnectAll();
    w.COMPLETED_TIMER.onTick.connect([&] {
        if (++ticks == 3) w.COMPLETED_TIMER.stop();
    });
    w.COMPLETED_TIMER.setInterval(20);
    w.COMPLETED_TIMER.start();
    GuiHarness::pump(300);
    EXPECT_EQ(ticks, 3);
}

}  // namespace
}  // namespace syncward::testing
