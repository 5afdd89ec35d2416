#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/settings/main_settings_window.h"
#include "core/settings/settings_windows.h"
#include "core/setupcheck/setup_check_texts.h"
#include "core/setupcheck/setup_check_window.h"
#include "core/setupcheck/setup_check_windows.h"
#include "app/command_line.h"
#include "gui/gui_harness.h"

namespace syncward::testing {
namespace {

TEST(SetupCheckView, OpensFromTheMainSettingsOneLinePerCheckAndChecksAgain) {
    GuiHarness h(PlatformProfile::posix("/home/ann"));
    const std::string home = "/home/ann/SW";
    for (const auto& [key, value] : std::vector<std::pair<std::string, std::string>>{
             {"SYNCWARD_HOME_TEXTBOX", home}, {"RUN_DAEMON_TICKBOX", "1"}, {"TASK_8_ENABLE_TICKBOX", "1"},
             {"BLOCKCHAIN_HOME_TEXTBOX", "/home/ann/ltc-data"}, {"DAEMON_CLI_LOCATION_TEXTBOX", "/usr/bin"},
             {"DAEMOND_NAME_TEXTBOX", "litecoind"}, {"DAEMONCLI_NAME_SETTINGS_TEXTBOX", "litecoin-cli"}})
        h.fake.store.put("BTC1", key, value);
    FakeSetupProbe& probe = h.fake.setupProbe;
    probe.paths[home] = FakeSetupProbe::folder();
    probe.paths["/usr/bin/litecoind"] = FakeSetupProbe::program();
    h.start();
    h.widget<QPushButton>(h.app->main(), "SETTINGS_BUTTON")->click();
    MainSettingsWindow& settings = h.app->settingsWindows().mainSettings();
    auto* checkButton = h.widget<QPushButton>(settings, "CHECK_SETUP_BUTTON");
    ASSERT_NE(checkButton, nullptr);
    EXPECT_EQ(checkButton->text(), "CHECK SETUP");
    checkButton->click();

    SetupCheckWindow& check = h.app->setupCheck().window();
    QWidget* view = h.view(check);
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->isVisible());
    EXPECT_EQ(view->windowModality(), Qt::WindowModal);
    EXPECT_EQ(view->windowTitle(), "SYNCWARD - CHECK SETUP");
    for (Control* control : check.controls())
        EXPECT_NE(view->findChild<QWidget*>(QString::fromStdString(control->name())), nullptr) << control->name();
    const auto lines = check.results();
    ASSERT_GT(lines.size(), 4u);
    for (int n = 1; n <= static_cast<int>(lines.size()); ++n) {
        auto* label = h.widget<QLabel>(check, ("CHECK_LINE_" + std::to_string(n)).c_str());
        ASSERT_NE(label, nullptr);
        EXPECT_TRUE(label->isVisible()) << n;
        EXPECT_EQ(label->text().toStdString(), check.checkLine(n).caption());
    }
    EXPECT_FALSE(h.widget<QLabel>(check, ("CHECK_LINE_" + std::to_string(lines.size() + 1)).c_str())->isVisible());
    EXPECT_TRUE(h.widget<QLabel>(check, "CHECK_LINE_1")->text().contains("HOME FOLDER /home/ann/SW LACKS BATS"));
    EXPECT_EQ(h.widget<QLineEdit>(check, "SUMMARY_TEXTBOX")->text(), setup_check_texts::someFail);
    view->resize(1000, 700);
    GuiHarness::pump(50);
    view->grab().save(GuiHarness::screenshotPath("setup_check.png"));

    // The folders made, the same window checks again.
    for (const char* sub : {"BATS", "BLOCKCOUNTS", "CONFIGS", "LOGS", "REPORTS"})
        probe.paths[home + "/" + sub] = FakeSetupProbe::folder();
    h.widget<QPushButton>(check, "RUN_CHECK_AGAIN_BUTTON")->click();
    EXPECT_EQ(h.widget<QLabel>(check, "CHECK_LINE_1")->text(), "HOME FOLDER /home/ann/SW");

    // TRY THE NODE refuses without its command files, saying so in its own status.
    h.widget<QPushButton>(check, "TRY_NODE_BUTTON")->click();
    EXPECT_TRUE(h.widget<QLineEdit>(check, "TRY_NODE_STATUS_TEXTBOX")->text().contains("MISSING"));
    h.widget<QPushButton>(check, "CLOSE_BUTTON")->click();
    EXPECT_FALSE(view->isVisible());
}

TEST(CommandLine, CheckIsReadWithOrWithoutADisplayAndListedInTheHelp) {
    const CommandLine headless = readCommandLine({"/home/ann/.local/bin/LTC1", "--check"}, {}, "1.2.3");
    EXPECT_EQ(headless.action, CommandLine::Action::Run);
    EXPECT_TRUE(headless.checkSetup);
    EXPECT_TRUE(readCommandLine({"LTC1", "--check"}, {":0", "", ""}, "1.2.3").checkSetup);
    EXPECT_FALSE(readCommandLine({"LTC1"}, {":0", "", ""}, "1.2.3").checkSetup);
    EXPECT_TRUE(readCommandLine({"LTC1", "--help"}, {}, "1.2.3").text.contains("--check"));
}

}  // namespace
}  // namespace syncward::testing
