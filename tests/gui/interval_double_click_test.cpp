#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>

#include "gui/gui_harness.h"

namespace syncward::testing {
namespace {

// The intervals are applied by a double-click on their boxes: the route
// from the widget through the binder to the model's reaction.
TEST(IntervalDoubleClicks, SaveTheIntervalsAndRestartARunningOverride) {
    GuiHarness h;
    h.fake.store.put("BTC1", "OVERRIDE_TIMER_ENABLE_TICKBOX", "1");
    Application& app = h.start();
    MainWindow& w = app.main();
    auto* every = h.widget<QLineEdit>(w, "USER_COUNT_TIME_TEXTBOX");
    auto* override = h.widget<QLineEdit>(w, "USER_OVERRIDE_TIME_TEXTBOX");

    GuiHarness::typeInto(every, "00:00:00");  // no interval
    QTest::mouseDClick(every, Qt::LeftButton);
    EXPECT_EQ(w.CURRENT_STATUS_LABEL.caption(), "!!! BLOCKCOUNTER - 'RUN EVERY' IS NOT A VALID TIME (HH:MM:SS) !!!");
    EXPECT_FALSE(h.fake.store.stored("BTC1", "USER_COUNT_TIME_TEXTBOX").has_value());

    GuiHarness::typeInto(every, "00:02:00");
    GuiHarness::typeInto(override, "00:30:00");
    QTest::mouseDClick(every, Qt::LeftButton);
    EXPECT_EQ(h.fake.store.stored("BTC1", "USER_COUNT_TIME_TEXTBOX"), "00:02:00");
    EXPECT_EQ(h.fake.store.stored("BTC1", "USER_OVERRIDE_TIME_TEXTBOX"), "00:30:00");

    // While the override runs its box is locked; a double-click restarts it
    // from the box.
    w.START_OVERRIDE_BUTTON.click();
    GuiHarness::pump(1100);
    EXPECT_LT(w.OVERRIDE_REMAINING, 3600);  // counting from the interval it had at start
    QTest::mouseDClick(override, Qt::LeftButton);
    EXPECT_EQ(w.OVERRIDE_REMAINING, 1800);
}

}  // namespace
}  // namespace syncward::testing
