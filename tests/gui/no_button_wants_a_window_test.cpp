#include <gtest/gtest.h>

#include <QPushButton>
#include <set>
#include <string>
#include <vector>

#include "core/confgen/block_times_window.h"
#include "core/confgen/confgen_windows.h"
#include "core/info/about_window.h"
#include "core/info/box_info_window.h"
#include "core/info/help_window.h"
#include "core/info/info_windows.h"
#include "core/processes/manual_run_window.h"
#include "core/processes/process_windows.h"
#include "core/processes/terminator_window.h"
#include "core/settings/crypto_settings_window.h"
#include "core/settings/main_settings_window.h"
#include "core/settings/settings_windows.h"
#include "gui/gui_harness.h"

namespace syncward::testing {
namespace {

// Buttons the run's own rules keep disabled at start-up: they wait for a
// run's state, not for a window.
const std::set<std::string> disabledByTheRun = {
    "END_LOG_BUTTON",              // until the run's last step
    "AUTOCLOSE_START_BUTTON",      // likewise
    "START_OVERRIDE_BUTTON",       // until the override is ticked
    "FINISH_BLOCKCOUNTER_BUTTON",  // while the block counter is not counting
    "RUN_NOW_BUTTON",              // likewise
    "CONF_BROWSE_BUTTON",          // until "use own .conf" is ticked
};

// A button shown disabled only because its window is missing promises the
// user a window there is not.
TEST(EveryButton, OfTheMainAndSettingsWindowsIsEnabledUnlessARunStateDisablesIt) {
    GuiHarness h;
    // A set-up copy: the settings windows offer their buttons once the home folder is chosen.
    h.fake.store.put("BTC1", "SYNCWARD_HOME_TEXTBOX", "D:\\R");
    h.fake.files.folders.insert("D:\\R");
    Application& app = h.start();
    app.settingsWindows().openMainSettings();
    app.settingsWindows().openCryptoSettings();

    std::vector<std::string> disabled;
    for (Form* form : std::vector<Form*>{&app.main(), &app.settingsWindows().mainSettings(),
                                         &app.settingsWindows().cryptoSettings()}) {
        for (Control* control : form->controls()) {
            const std::string& name = control->name();
            if (control->kind() != Control::Kind::Button) continue;
            auto* button = h.widget<QPushButton>(*form, name.c_str());
            ASSERT_NE(button, nullptr) << name;
            if (!button->isEnabled() && !disabledByTheRun.count(name)) disabled.push_back(form->name() + "." + name);
        }
    }
    EXPECT_EQ(disabled, std::vector<std::string>{});
}

TEST(EveryButton, OfTheMainWindowThatNamesAWindowOpensIt) {
    GuiHarness h;
    Application& app = h.start();
    const std::vector<std::pair<const char*, Form*>> buttons = {
        {"SETTINGS_BUTTON", &app.settingsWindows().mainSettings()},
        {"ABOUT_BUTTON", &app.infoWindows().about()},
        {"HELP_BUTTON", &app.infoWindows().help()},
        {"BOX_INFO_BUTTON", &app.infoWindows().boxInfo()},
        {"TERMINATOR_BUTTON", &app.processWindows().terminator()},
        {"MANUAL_RUN_BUTTON", &app.processWindows().manualRun()},
        {"BLOCK_TIMES_WINDOW_BUTTON", &app.confGenWindows().blockTimes()},
    };
    for (const auto& [name, form] : buttons) {
        h.widget<QPushButton>(app.main(), name)->click();
        QWidget* view = h.view(*form);
        ASSERT_NE(view, nullptr) << name << " opened no window";
        EXPECT_TRUE(view->isVisible()) << name;
        EXPECT_EQ(view->windowModality(), Qt::WindowModal) << name;
        view->close();
    }
}

}  // namespace
}  // namespace syncward::testing
