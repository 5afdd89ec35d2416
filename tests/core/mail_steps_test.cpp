// The run's two mails, the command views that show them, and the power
// action that must not cut the report mail off.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/power/power_autotimer.h"
#include "core/power/power_autotimer_window.h"
#include "core/processes/output_commands_windows.h"
#include "core/settings/main_settings_window.h"
#include "core/settings/settings_windows.h"
#include "support/app_harness.h"

namespace syncward::testing {
namespace {

constexpr const char* startFile = "/home/sat/R/BATS/BTC1-START-EMAIL.sh";
constexpr const char* endFile = "/home/sat/R/BATS/BTC1-END-REPORT-EMAIL.sh";
constexpr const char* mailerLog = "/home/sat/R/LOGS/BTC1-SEND-EMAIL.LOG";

struct MailRun : ::testing::Test {
    MailRun() : h(PlatformProfile::posix("/home/sat")) {
        h.store("SYNCWARD_HOME_TEXTBOX", "/home/sat/R");
        h.store("ALWAYS_ON_TOP_TICKBOX", "0");
        h.store("SE_HOME_TEXTBOX", "/usr/bin");
        h.store("TASK_4_ENABLE_TICKBOX", "1");
        h.store("TASK_17_ENABLE_TICKBOX", "1");
        h.fake.files.files["/usr/bin/sendemail"] = "#!/usr/bin/perl\n";
        h.fake.files.files[startFile] = "exec true\n";
        h.fake.files.files[endFile] = "exec true\n";
    }
    MainWindow& runThrough() {
        h.start();
        h.main().MULTILOADER_START_STOP_BUTTON.click();
        h.fake.loop.advance(25 * 1000);
        return h.main();
    }
    AppHarness h;
};

TEST_F(MailRun, BothMailsRunTheirCommandFilesWhenTheMailerIsThere) {
    MainWindow& w = runThrough();
    EXPECT_EQ(std::count(h.fake.launcher.ran.begin(), h.fake.launcher.ran.end(), startFile), 1);
    EXPECT_EQ(std::count(h.fake.launcher.ran.begin(), h.fake.launcher.ran.end(), endFile), 1);
    EXPECT_EQ(w.taskLight(4).background(), colours::green);
    EXPECT_EQ(w.taskLight(17).background(), colours::green);
    EXPECT_FALSE(h.fake.files.files.count(mailerLog));
}

TEST_F(MailRun, AMailerThatCannotStartTurnsTheLightRedSaysSoAndTheRunGoesOn) {
    h.fake.files.files.erase("/usr/bin/sendemail");
    h.start();
    h.main().MULTILOADER_START_STOP_BUTTON.click();
    h.fake.loop.advance(4 * 1000);
    EXPECT_EQ(h.main().CURRENT_STATUS_LABEL.caption(),
              "!!! START EMAIL NOT SENT - MAILER NOT FOUND: /usr/bin/sendemail !!!");
    h.fake.loop.advance(21 * 1000);
    MainWindow& w = h.main();
    EXPECT_EQ(w.taskLight(4).background(), colours::red);
    EXPECT_EQ(w.taskLight(17).background(), colours::red);
    EXPECT_EQ(std::count(h.fake.launcher.ran.begin(), h.fake.launcher.ran.end(), startFile), 0);
    // The mailer's log, where the user looks for the mails, says it too.
    EXPECT_EQ(h.fake.files.files.at(mailerLog),
              "07/12/2026 20:15:00 SYNCWARD: !!! START EMAIL NOT SENT - MAILER NOT FOUND: /usr/bin/sendemail !!!\n"
              "07/12/2026 20:15:00 SYNCWARD: !!! REPORT EMAIL NOT SENT - MAILER NOT FOUND: /usr/bin/sendemail !!!\n");
    EXPECT_TRUE(h.fake.files.files.count("/home/sat/R/REPORTS/BTC1-END-REPORT.LOG"));  // the run went on

    h.fake.files.files["/usr/bin/sendemail"] = "#!/usr/bin/perl\n";
    h.fake.files.files.erase(endFile);
    h.fake.launcher.failStarts = true;  // as for a missing command file
    h.fake.loop.advance(1000);
    w.MULTILOADER_START_STOP_BUTTON.click();  // stop, then a second run
    w.MULTILOADER_START_STOP_BUTTON.click();
    h.fake.loop.advance(4 * 1000);
    EXPECT_EQ(w.CURRENT_STATUS_LABEL.caption(),
              std::string("!!! START EMAIL NOT SENT - COMMAND FILE COULD NOT BE STARTED: ") + startFile + " !!!");
}

TEST_F(MailRun, TheCommandViewsShowTheFileTheRunStartsAndTheMailersName) {
    MainWindow& w = runThrough();
    w.EMAIL_OUTPUT_START_COMMAND_TEXTBOX.setText("the start line");
    w.SETTINGS_BUTTON.click();
    SettingsWindows& settings = h.app->settingsWindows();
    settings.mainSettings().VIEW_OUTPUT_COMMANDS_BUTTON.click();
    SingleOutputCommandsWindow& single = settings.outputCommands().single();
    EXPECT_EQ(h.fake.windows.shown.back(), std::make_pair(static_cast<Form*>(&single), true));
    EXPECT_EQ(single.ALL_COMMANDS_TEXTBOX.text(), output_commands_texts::noneSelected);
    single.START_EMAIL_RUN_COMMAND_BUTTON.click();
    EXPECT_EQ(single.COMMAND_NAME_LABEL.caption(), "RUN COMMAND - sendemail - START EMAIL");
    EXPECT_EQ(single.ALL_COMMANDS_TEXTBOX.text(), "the start line");
    EXPECT_EQ(single.ALL_LOCATIONS_TEXTBOX.text(), h.fake.launcher.ran.front());  // the file step 4 ran
    single.CLI_STOP_RUN_COMMAND_BUTTON.click();
    EXPECT_EQ(single.COMMAND_NAME_LABEL.caption(), "RUN COMMAND - CLI - STOP");
    EXPECT_EQ(single.ALL_LOCATIONS_TEXTBOX.text(), "/home/sat/R/BATS/BTC1-RUN-CLI-STOP.sh");
    // The node check's line has no copy in the main window: it is shown as
    // the file the run executes holds it.
    single.NODE_CHECK_RUN_COMMAND_BUTTON.click();
    EXPECT_EQ(single.ALL_COMMANDS_TEXTBOX.text(), output_commands_texts::noNodeCheckFile);
    const std::string nodeCheckFile = "/home/sat/R/BATS/BTC1-RUN-BLOCKCOUNTER-NODE-CHECK.sh";
    h.fake.files.files[nodeCheckFile] = "the node check line\n";
    single.NODE_CHECK_RUN_COMMAND_BUTTON.click();
    EXPECT_EQ(single.ALL_LOCATIONS_TEXTBOX.text(), nodeCheckFile);
    EXPECT_EQ(single.ALL_COMMANDS_TEXTBOX.text(), "the node check line\n");

    single.VIEW_ALL_COMMANDS_BUTTON.click();
    AllOutputCommandsWindow& all = settings.outputCommands().all();
    EXPECT_EQ(h.fake.windows.shown.back(), std::make_pair(static_cast<Form*>(&all), true));
    EXPECT_EQ(all.placement().height, 9600);  // whole on a 1366 x 768 screen
    EXPECT_EQ(all.EMAIL_OUTPUT_START_COMMAND_TEXTBOX.text(), "the start line");
    EXPECT_EQ(all.SYNCWARD_SE_END_BAT_LOCATION_TEXTBOX.text(), h.fake.launcher.ran.back());  // the file step 17 ran
    EXPECT_EQ(all.BLOCKCOUNTER_TITLE_LABEL.caption(), "RUN COMMAND - BLOCKCOUNTER \"getblockcount\" REQUEST");
    w.EMAIL_OUTPUT_START_COMMAND_TEXTBOX.setText("newer");  // not refreshed while open
    EXPECT_EQ(all.EMAIL_OUTPUT_START_COMMAND_TEXTBOX.text(), "the start line");
}

TEST(PowerActionAfterMail, WaitsForTheMailerAtMostTwoMinutesAndSaysSo) {
    AppHarness h;
    h.store("CLOSE_REQUEST_COUNTDOWN_TEXTBOX", "00:00:02");
    h.start();
    h.fake.processes.start("SendEmail.exe");
    h.fake.loop.advance(300);  // the watch sees it
    h.main().AUTOTIMER_ACTION_TEXTBOX.setText("SHUTDOWN PC");
    h.app->powerAutotimer().showCountdownWindow();
    PowerAutotimerWindow& win = h.app->powerAutotimer().countdownWindow();
    h.fake.loop.advance(2000);
    EXPECT_TRUE(h.fake.powerSwitch.requested.empty());
    EXPECT_EQ(win.AUTOTIMER_TITLE_LABEL.caption(), "!!! WAITING FOR SendEmail.exe TO FINISH !!!");
    h.fake.loop.advance(10 * 1000);
    EXPECT_TRUE(h.fake.powerSwitch.requested.empty());
    h.fake.processes.end("SendEmail.exe");
    h.fake.loop.advance(1000);
    EXPECT_EQ(h.fake.powerSwitch.requested, std::vector<PowerAction>{PowerAction::Shutdown});
    EXPECT_FALSE(win.isOpen());

    // A mailer that never ends holds the action two minutes, no longer.
    h.fake.processes.start("SendEmail.exe");
    h.fake.loop.advance(300);
    h.app->powerAutotimer().showCountdownWindow();
    h.fake.loop.advance(2000 + 119 * 1000);
    EXPECT_EQ(h.fake.powerSwitch.requested.size(), 1u);
    h.fake.loop.advance(1000);
    EXPECT_EQ(h.fake.powerSwitch.requested.size(), 2u);
}

}  // namespace
}  // namespace syncward::testing
