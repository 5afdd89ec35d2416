#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "core/form/timer.h"

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
    for (const char* name : {"USER_COUNT_TIME_TEXTBOX", "TASK_19_LIGHT", "PROCESS_TEXTBOX_4", "KITT_BACKGROUND_LABEL",
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

// A chain of one-shot steps that hand their ticking on, as the scanner's
// do: every step ticks in turn, and only one Qt timer runs for the chain.
TEST(QtEventLoop, AHandOverKeepsOneClockForAChainOfSteps) {
    GuiHarness h;
    h.start();
    Form& form = h.app->main();
    std::vector<std::unique_ptr<Timer>> steps;
    for (int n = 0; n < 3; ++n) steps.push_back(std::make_unique<Timer>(form, "STEP_" + std::to_string(n), 20));
    std::vector<int> order;
    int mostRunning = 0;
    for (int n = 0; n < 3; ++n)
        steps[n]->onTick.connect([&, n] {
            order.push_back(n);
            int running = 0;
            for (QTimer* clock : h.loop.findChildren<QTimer*>()) running += clock->isActive() ? 1 : 0;
            mostRunning = std::max(mostRunning, running);
            if (order.size() == 7)
                steps[n]->stop();
            else
                steps[n]->handOverTo(*steps[(n + 1) % 3]);
        });
    steps[0]->start();
    QElapsedTimer limit;
    limit.start();
    while (order.size() < 7 && limit.elapsed() < 10000) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_EQ(order, (std::vector<int>{0, 1, 2, 0, 1, 2, 0}));
    for (const auto& step : steps) EXPECT_FALSE(step->enabled());
    // The chain's clock and whatever else the idle window runs, no more.
    int idleClocks = 0;
    for (QTimer* clock : h.loop.findChildren<QTimer*>()) idleClocks += clock->isActive() ? 1 : 0;
    EXPECT_EQ(mostRunning, idleClocks + 1);
}

// Boxes whose text changes every second repaint themselves only: the
// window is not laid out again for them.
TEST(MainWindowView, CountdownsChangeWithoutLayingTheWindowOut) {
    GuiHarness h;
    h.start();
    MainWindow& w = h.app->main();
    QWidget* view = h.view(w);
    GuiHarness::pump(50);
    struct LayoutCount : QObject {
        int requests = 0;
        bool eventFilter(QObject*, QEvent* event) override {
            if (event->type() == QEvent::LayoutRequest) ++requests;
            return false;
        }
    } count;
    for (QWidget* widget : view->findChildren<QWidget*>()) widget->installEventFilter(&count);
    view->installEventFilter(&count);
    // What the window's showing still has queued (a loaded machine may be
    // slow to get there) is laid out first: only the ticks below count.
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
    count.requests = 0;
    const QString runtimeBefore = h.widget<QLabel>(w, "RUNTIME_LABEL")->text();
    for (int second = 1; second <= 3; ++second) {
        const std::string text = "00:00:0" + std::to_string(second);
        w.RUNTIME_LABEL.setCaption(text);
        for (TextBox* box : {&w.HEARTBEAT_COUNTDOWN_DISPLAY_TEXTBOX, &w.BLOCKCOUNT_TIMER_TEXTBOX,
                             &w.OVERRIDE_TIMER_TEXTBOX, &w.AUTOSTART_TIMER_TEXTBOX, &w.AUTOCLOSE_TIMER_TEXTBOX})
            box->setText(text);
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(count.requests, 0);
    EXPECT_NE(h.widget<QLabel>(w, "RUNTIME_LABEL")->text(), runtimeBefore);
    EXPECT_EQ(h.widget<QLabel>(w, "RUNTIME_LABEL")->text(), "00:00:03");
    EXPECT_EQ(h.widget<QLineEdit>(w, "OVERRIDE_TIMER_TEXTBOX")->text(), "00:00:03");
}

}  // namespace
}  // namespace syncward::testing
