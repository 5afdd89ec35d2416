#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QWidget>

#include "core/settings/main_settings_window.h"
#include "core/settings/settings_windows.h"
#include "gui/gui_harness.h"

namespace syncward::testing {
namespace {

bool staysOnTop(const QWidget* window) { return window->windowFlags().testFlag(Qt::WindowStaysOnTopHint); }

// With "Always On Top" ticked (the default) the main window is kept above
// other programs; a settings window opened over it must show above it, and
// the keeping must not pull the main window over the window in use.
TEST(AlwaysOnTopView, WindowsOpenedOverAnOnTopMainWindowShowAboveIt) {
    GuiHarness h;
    Application& app = h.start();
    QWidget* mainView = h.view(app.main());
    h.host.setTopmost(app.main(), true);
    ASSERT_TRUE(staysOnTop(mainView));

    app.settingsWindows().openMainSettings();
    QWidget* settingsView = h.view(app.settingsWindows().mainSettings());
    ASSERT_NE(settingsView, nullptr);
    EXPECT_TRUE(settingsView->isVisible());
    EXPECT_TRUE(staysOnTop(settingsView));

    // The settings window in use counts as the main window being in front.
    QApplication::setActiveWindow(settingsView);
    EXPECT_TRUE(h.host.isForeground(app.main()));

    // Unticking lets both go at once.
    h.widget<QCheckBox>(app.main(), "ALWAYS_ON_TOP_TICKBOX")->click();
    EXPECT_FALSE(app.main().ALWAYS_ON_TOP_TICKBOX.ticked());
    EXPECT_FALSE(staysOnTop(mainView));
    EXPECT_FALSE(staysOnTop(settingsView));
    EXPECT_TRUE(settingsView->isVisible());
}

}  // namespace
}  // namespace syncward::testing
