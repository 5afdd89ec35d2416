#include <gtest/gtest.h>

#include <QWidget>
#include <string>
#include <vector>

#include "core/confgen/block_times_window.h"
#include "core/confgen/coin_presets_window.h"
#include "core/confgen/conf_generator_window.h"
#include "core/confgen/confgen_windows.h"
#include "core/confgen/rpc_credentials_window.h"
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
#include "core/scheduler/scheduled_task_window.h"
#include "core/processes/output_commands_windows.h"
#include "core/reports/reports_windows.h"
#include "core/settings/crypto_settings_window.h"
#include "core/settings/email_main_settings_window.h"
#include "core/settings/email_shared_settings_window.h"
#include "core/settings/main_settings_window.h"
#include "core/settings/settings_windows.h"
#include "gui/gui_harness.h"
#include "gui/shell/drawn_controls.h"

namespace syncward::testing {
namespace {

// A control without a widget, and drawn by none, is a value the user can
// neither see nor change; unless the model says it is only state, the view
// forgot it.
std::vector<std::string> controlsWithoutWidget(GuiHarness& h, Form& form) {
    std::vector<std::string> missing;
    QWidget* view = h.view(form);
    if (!view) return {"(no view for " + form.name() + ")"};
    QStringList drawn;
    for (QWidget* widget : view->findChildren<QWidget*>())
        if (auto* drawer = dynamic_cast<DrawnControls*>(widget)) drawn << drawer->drawnControls();
    for (Control* control : form.controls()) {
        const QString name = QString::fromStdString(control->name());
        if (!form.isModelOnly(*control) && !view->findChild<QWidget*>(name) && !drawn.contains(name))
            missing.push_back(control->name());
    }
    return missing;
}

TEST(EveryWindow, ShowsEveryControlThatIsNotModelOnly) {
    GuiHarness h;
    Application& app = h.start();
    app.settingsWindows().openMainSettings();
    app.settingsWindows().openCryptoSettings();
    app.powerAutotimer().openSettingsWindow(app.settingsWindows().mainSettings());
    app.powerAutotimer().showCountdownWindow();
    ConfGenWindows& confGen = app.confGenWindows();
    confGen.openGenerator();
    confGen.openPresets();
    confGen.openCredentials();
    confGen.openBlockTimes();
    app.settingsWindows().openScheduledTask();

    for (Form* form : std::vector<Form*>{&app.main(), &app.settingsWindows().mainSettings(),
                                         &app.settingsWindows().cryptoSettings(),
                                         &app.powerAutotimer().settingsWindow(),
                                         &app.powerAutotimer().countdownWindow(), &confGen.generator(),
                                         &confGen.presets(), &confGen.credentials(), &confGen.blockTimes(),
                                         &app.settingsWindows().scheduledTask()})
        EXPECT_EQ(controlsWithoutWidget(h, *form), std::vector<std::string>{}) << form->name();
}

TEST(EveryWindow, TheMailReportsAndCommandWindowsShowEveryControlToo) {
    GuiHarness h;
    Application& app = h.start();
    SettingsWindows& settings = app.settingsWindows();
    settings.openMainSettings();
    settings.openEmailSettings();
    settings.openEmailSharedSettings();
    settings.outputCommands().openSingle(settings.mainSettings());
    settings.outputCommands().openAll(settings.mainSettings());
    app.reportsWindows().openReportsLogs(app.main());
    app.reportsWindows().openLogManager(app.main());
    for (Form* form : std::vector<Form*>{&settings.emailSettings(), &settings.emailSharedSettings(),
                                         &settings.outputCommands().single(), &settings.outputCommands().all(),
                                         &app.reportsWindows().reportsLogs(), &app.reportsWindows().logManager()})
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
