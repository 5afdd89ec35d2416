#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

#include "core/scheduler/scheduled_task_window.h"
#include "core/settings/main_settings_window.h"
#include "core/settings/settings_windows.h"
#include "gui_harness.h"

namespace syncward::testing {
namespace {

// Under Linux the window's own tick box decides whether the task gets the
// boot line and the login entry that catch up a missed run.
TEST(ScheduledTaskView, CatchUpMissedRunsTicksOnAndOffThroughTheWindow) {
    GuiHarness h(PlatformProfile::posix("/home/satoshi"));
    h.fake.environment.now = 1'783'468'800;  // Wednesday 2026-07-08 00:00 UTC
    h.fake.crontab.programToRun = {"/home/satoshi/bin/BTC1", {}};
    Application& app = h.start();
    app.settingsWindows().openMainSettings();
    h.widget<QPushButton>(app.settingsWindows().mainSettings(), "SCHEDULER_BUTTON")->click();
    ScheduledTaskWindow& win = app.settingsWindows().scheduledTask();

    auto* catchUp = h.widget<QCheckBox>(win, "CATCH_UP_TICKBOX");
    ASSERT_NE(catchUp, nullptr);
    EXPECT_EQ(catchUp->text(), "Catch Up Missed Runs");
    EXPECT_TRUE(catchUp->isChecked());
    h.widget<QCheckBox>(win, "SUN_TICKBOX")->click();
    h.widget<QPushButton>(win, "CREATE_TASK_BUTTON")->click();
    EXPECT_EQ(*h.fake.crontab.table,
              "0 0 * * 0 '/home/satoshi/bin/BTC1' # SYNCWARD - BTC1\n"
              "@reboot '/home/satoshi/bin/BTC1' --catch-up # SYNCWARD - BTC1\n");
    EXPECT_EQ(h.fake.autostart.entries.size(), 1u);
    EXPECT_EQ(h.widget<QLabel>(win, "NEXT_RUN_LABEL")->text(), "NEXT RUN: SUN 2026-07-12 00:00");
    h.view(win)->grab().save(GuiHarness::screenshotPath("scheduled_task_catch_up.png"));

    catchUp->click();
    EXPECT_EQ(*h.fake.crontab.table, "0 0 * * 0 '/home/satoshi/bin/BTC1' # SYNCWARD - BTC1\n");
    EXPECT_TRUE(h.fake.autostart.entries.empty());
    EXPECT_EQ(h.widget<QLabel>(win, "SCHEDULER_STATUS_LABEL")->text(), "!!! MISSED RUNS ARE NOT CAUGHT UP !!!");
}

}  // namespace
}  // namespace syncward::testing
