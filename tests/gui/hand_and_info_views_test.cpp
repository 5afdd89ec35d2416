#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "core/info/about_window.h"
#include "core/info/box_info_window.h"
#include "core/info/dedications_window.h"
#include "core/info/donations_window.h"
#include "core/info/help_window.h"
#include "core/info/info_windows.h"
#include "core/processes/command_file.h"
#include "core/processes/manual_run_window.h"
#include "core/processes/process_windows.h"
#include "core/processes/self_termination_window.h"
#include "core/processes/terminator_window.h"
#include "gui/gui_harness.h"

namespace syncward::testing {
namespace {

// Opens a window through the main window's button, as a user does.
QWidget& openedBy(GuiHarness& h, const char* button, Form& form) {
    h.widget<QPushButton>(h.app->main(), button)->click();
    QWidget* view = h.view(form);
    if (!view) throw std::logic_error("no view for " + form.name());
    return *view;
}

TEST(HandViews, TheManualRunWindowMirrorsTheStatesAndItsButtonsRunTheCommandFiles) {
    GuiHarness h;
    h.fake.store.put("BTC1", "SYNCWARD_HOME_TEXTBOX", "D:\\R");
    h.fake.store.put("BTC1", "DAEMOND_NAME_TEXTBOX", "bitcoind.exe");
    h.fake.processes.start("bitcoind.exe");
    h.start();
    GuiHarness::pump(300);
    ManualRunWindow& win = h.app->processWindows().manualRun();
    QWidget& view = openedBy(h, "MANUAL_RUN_BUTTON", win);
    EXPECT_TRUE(view.isVisible());
    EXPECT_EQ(view.windowModality(), Qt::WindowModal);
    EXPECT_EQ(view.windowTitle(), "SYNCWARD - MANUAL RUN");
    EXPECT_FALSE(h.widget<QPushButton>(win, "DAEMON_START_BUTTON")->isEnabled());
    EXPECT_TRUE(h.widget<QLineEdit>(win, "PROCESS_TEXTBOX_2")->styleSheet().contains("rgb(0,255,0)"));
    view.grab().save(GuiHarness::screenshotPath("manual_run_window.png"));

    // The daemon has stopped; on the window's own second the start is offered.
    h.fake.processes.end("bitcoind.exe");
    GuiHarness::pump(1300);
    auto* start = h.widget<QPushButton>(win, "DAEMON_START_BUTTON");
    ASSERT_TRUE(start->isEnabled());
    start->click();
    EXPECT_EQ(h.widget<QLabel>(win, "MANUAL_RUN_STATUS_LABEL")->text(),
              "!!! COMMAND FILE NOT FOUND - SAVE THE CRYPTO SETTINGS FIRST !!!");
    view.grab().save(GuiHarness::screenshotPath("manual_run_window_missing_file.png"));
    h.fake.files.files[commandFilePath(h.fake.profile, "D:\\R", "BTC1", CommandFile::RunDaemon)] = "x\r\n";
    start->click();
    EXPECT_EQ(h.fake.launcher.ran.size(), 1u);

    view.close();  // the close box
    EXPECT_FALSE(win.BUTTON_UPDATE_TIMER.enabled());
    EXPECT_TRUE(h.fake.store.stored("BTC1", "MANUAL_RUN-Left"));
}

TEST(HandViews, TheTerminatorArmsByItsTickBoxAndSendsItsOwnNameToTheSelfTerminationWindow) {
    GuiHarness h;
    h.fake.store.put("BTC1", "DAEMOND_NAME_TEXTBOX", "bitcoind.exe");
    h.fake.processes.start("bitcoind.exe");
    h.start();
    GuiHarness::pump(300);
    TerminatorWindow& win = h.app->processWindows().terminator();
    QWidget& view = openedBy(h, "TERMINATOR_BUTTON", win);
    EXPECT_EQ(view.windowTitle(), "SYNCWARD - PROCESS TERMINATOR");
    auto* terminate = h.widget<QPushButton>(win, "DAEMON_TERMINATE_BUTTON");
    auto* custom = h.widget<QLineEdit>(win, "CUSTOM_PROCESS_NAME_TEXTBOX");
    EXPECT_FALSE(terminate->isEnabled());
    EXPECT_FALSE(custom->isEnabled());
    view.grab().save(GuiHarness::screenshotPath("terminator_window_disarmed.png"));

    h.widget<QCheckBox>(win, "ENABLE_TERMINATOR_TICKBOX")->click();
    EXPECT_TRUE(terminate->isEnabled());
    EXPECT_TRUE(custom->isEnabled());
    GuiHarness::typeInto(custom, "btc1.EXE");
    h.fake.processes.start("BTC1.exe");
    GuiHarness::pump(1200);
    auto* customTerminate = h.widget<QPushButton>(win, "CUSTOM_TERMINATE_BUTTON");
    ASSERT_TRUE(customTerminate->isEnabled());
    EXPECT_TRUE(custom->styleSheet().contains("rgb(0,255,0)"));
    view.grab().save(GuiHarness::screenshotPath("terminator_window_armed.png"));

    customTerminate->click();
    SelfTerminationWindow& self = h.app->processWindows().selfTermination();
    QWidget* selfView = h.view(self);
    ASSERT_NE(selfView, nullptr);
    EXPECT_TRUE(selfView->isVisible());
    EXPECT_EQ(selfView->windowModality(), Qt::WindowModal);
    EXPECT_EQ(selfView->parentWidget(), &view);
    EXPECT_EQ(selfView->windowTitle(), "SYNCWARD - SELF TERMINATION");
    selfView->grab().save(GuiHarness::screenshotPath("self_termination_window.png"));
    h.widget<QPushButton>(self, "ONLY_JOKING_BUTTON")->click();
    EXPECT_FALSE(selfView->isVisible());
    EXPECT_TRUE(h.fake.processes.terminated.empty());

    h.widget<QCheckBox>(win, "ENABLE_TERMINATOR_TICKBOX")->click();
    EXPECT_FALSE(terminate->isEnabled());
    EXPECT_FALSE(customTerminate->isEnabled());
}

TEST(InfoViews, TheAboutBoxCyclesOnQtTimersUntilItsViewCloses) {
    GuiHarness h;
    h.start();
    InfoWindows& info = h.app->infoWindows();
    AboutWindow& about = info.about();
    QWidget& view = openedBy(h, "ABOUT_BUTTON", about);
    EXPECT_EQ(view.windowTitle(), "SYNCWARD - ABOUT");
    auto* back = h.widget<QLineEdit>(about, "DONATIONS_BACK_TEXTBOX");
    GuiHarness::pump(250);
    EXPECT_TRUE(back->styleSheet().contains("rgb(0,255,0)")) << back->styleSheet().toStdString();
    view.grab().save(GuiHarness::screenshotPath("about_window.png"));

    h.widget<QPushButton>(about, "DEDICATIONS_BUTTON")->click();
    QWidget* dedications = h.view(info.dedications());
    ASSERT_NE(dedications, nullptr);
    EXPECT_EQ(dedications->parentWidget(), &view);
    EXPECT_EQ(dedications->windowTitle(), "SYNCWARD - DEDICATIONS");
    dedications->grab().save(GuiHarness::screenshotPath("dedications_window.png"));
    dedications->close();

    view.close();
    for (Timer* timer : about.timers()) EXPECT_FALSE(timer->enabled()) << timer->name();
}

TEST(InfoViews, DonationsCopyAnAddressOnADoubleClickAndUnmarkItWhenTheFocusLeaves) {
    GuiHarness h;
    h.start();
    InfoWindows& info = h.app->infoWindows();
    openedBy(h, "ABOUT_BUTTON", info.about());
    h.widget<QPushButton>(info.about(), "DONATIONS_BUTTON")->click();
    DonationsWindow& win = info.donations();
    QWidget* view = h.view(win);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->windowTitle(), "!!! DONATIONS ALWAYS APPRECIATED - Mirvolk - Quorvel !!! :)");

    auto* btc = h.widget<QLineEdit>(win, "BTC_DONATION_ADDRESS_TEXTBOX");
    QTest::mouseDClick(btc, Qt::LeftButton);
    EXPECT_EQ(h.fake.clipboard.copied, std::vector<std::string>{btc->text().toStdString()});
    EXPECT_TRUE(btc->styleSheet().contains("rgb(255,128,255)"));
    GuiHarness::pump(450);
    view->grab().save(GuiHarness::screenshotPath("donations_window.png"));
    QFocusEvent leave(QEvent::FocusOut);
    QCoreApplication::sendEvent(btc, &leave);
    EXPECT_TRUE(btc->styleSheet().contains("rgb(255,255,192)"));

    QTest::mouseDClick(h.widget<QLineEdit>(win, "THANKS_DONATIONS_MESSAGE_TEXTBOX"), Qt::LeftButton);
    EXPECT_EQ(win.THANKS_DONATIONS_MESSAGE_TEXTBOX.foreground(), colours::black);
}

TEST(InfoViews, HelpAndBoxInfoShowTheirTexts) {
    GuiHarness h;
    h.start();
    InfoWindows& info = h.app->infoWindows();
    QWidget& help = openedBy(h, "HELP_BUTTON", info.help());
    EXPECT_EQ(help.windowTitle(), "SYNCWARD - BASIC HELP");
    EXPECT_EQ(h.widget<QLineEdit>(info.help(), "REGISTRY_LOCATION_TEXTBOX")->text(), "MEMORY\\QV_SYNCWARD\\BTC1");
    help.grab().save(GuiHarness::screenshotPath("help_window.png"));
    help.close();

    QWidget& box = openedBy(h, "BOX_INFO_BUTTON", info.boxInfo());
    EXPECT_EQ(box.windowTitle(), "SYNCWARD - BOX INFO");
    EXPECT_EQ(h.widget<QLineEdit>(info.boxInfo(), "PC_NAME_TEXTBOX")->text(), "PC NAME = NODEBOX");
    EXPECT_EQ(h.widget<QLineEdit>(info.boxInfo(), "USERNAME_TEXTBOX")->text(), "USERNAME = satoshi");
    box.grab().save(GuiHarness::screenshotPath("box_info_window.png"));
}

}  // namespace
}  // namespace syncward::testing
