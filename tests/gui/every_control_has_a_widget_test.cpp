#include <gtest/gtest.h>

#include <QWidget>
#include <string>
#include <vector>

#include "core/info/about_window.h"
#include "core/info/box_info_window.h"
#include "core/info/dedications_window.h"
#include "core/info/donations_window.h"
#include "core/info/help_window.h"
#include "core/info/info_windows.h"
#include "core/power/power_autotimer.h"
#include "core/processes/manual_run_window.h"
#include "core/processes/process_windows.h"
#include "core/processes/self_termination_window.h"
#include "core/processes/terminator_window.h"
#include "core/power/power_autotimer_settings.h"
#include "core/power/power_autotimer_window.h"
#include "core/settings/crypto_settings_window.h"
#include "core/settings/main_settings_window.h"
#include "core/settings/settings_windows.h"
#include "gui/gui_harness.h"

namespace syncward::testing {
namespace {

// A control without a widget is a value the user can neither see nor
// change; unless the model says it is only state, the view forgot it.
std::vector<std::string> controlsWithoutWidget(GuiHarness& h, Form& form) {
    std::vector<std::string> missing;
    QWidget* view = h.view(form);
    if (!view) return {"(no view for " + form.name() + ")"};
    for (Control* control : form.controls())
        if (!form.isModelOnly(*control) && !view->findChild<QWidget*>(QString::fromStdString(control->name())))
            missing.push_back(control->name());
    return missing;
}

TEST(EveryWindow, ShowsEveryControlThatIsNotModelOnly) {
    GuiHarness h;
    Application& app = h.start();
    app.settingsWindows().openMainSettings();
    app.settingsWindows().openCryptoSettings();
    app.powerAutotimer().openSettingsWindow(app.settingsWindows().mainSettings());
    app.powerAutotimer().showCountdownWindow();

    for (Form* form : std::vector<Form*>{&app.main(), &app.settingsWindows().mainSettings(),
                                         &app.settingsWindows().cryptoSettings(),
                                         &app.powerAutotimer().settingsWindow(),
                                         &app.powerAutotimer().countdownWindow()})
        EXPECT_EQ(controlsWithoutWidget(h, *form), std::vector<std::string>{}) << form->name();
}

TEST(EveryWindow, OfTheHandAndInformationWindowsShowsEveryControl) {
    GuiHarness h;
    Application& app = h.start();
    ProcessWindows& hand = app.processWindows();
    InfoWindows& info = app.infoWindows();
    hand.openManualRun();
    hand.openTerminator();
    hand.openSelfTermination();
    info.openAbout();
    info.openDedications();
    info.openDonations();
    info.openHelp();
    info.openBoxInfo();
    for (Form* form : std::vector<Form*>{&hand.manualRun(), &hand.terminator(), &hand.selfTermination(),
                                         &info.about(), &info.dedications(), &info.donations(), &info.help(),
                                         &info.boxInfo()})
        EXPECT_EQ(controlsWithoutWidget(h, *form), std::vector<std::string>{}) << form->name();
}

}  // namespace
}  // namespace syncward::testing
