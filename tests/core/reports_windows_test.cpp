#include <gtest/gtest.h>

#include "core/reports/reports_windows.h"
#include "core/settings/main_settings_window.h"
#include "core/settings/settings_windows.h"
#include "support/app_harness.h"

namespace syncward::testing {
namespace {

struct ReportsHarness : AppHarness {
    explicit ReportsHarness(PlatformProfile profile = PlatformProfile::posix("/home/sat")) : AppHarness(std::move(profile)) {
        store("SYNCWARD_HOME_TEXTBOX", fake.profile.flavour() == PlatformProfile::Flavour::Posix ? "/home/sat/R" : "D:\\R");
        start();
    }
    ReportsLogsWindow& reports() { return app->reportsWindows().reportsLogs(); }
    LogManagerWindow& manager() { return app->reportsWindows().logManager(); }
    static constexpr const char* report = "/home/sat/R/REPORTS/BTC1-END-REPORT.LOG";
    static constexpr const char* mailerLog = "/home/sat/R/LOGS/BTC1-SEND-EMAIL.LOG";
};

TEST(ReportsWindows, EndLogAndTheMainSettingsOpenTheWindowWithTheMainWindowsReport) {
    ReportsHarness h;
    // A run with every step left out reaches its step 19, which offers the
    // end log; its report is the window's text.
    EXPECT_FALSE(h.main().END_LOG_BUTTON.enabled());
    h.main().MULTILOADER_START_STOP_BUTTON.click();
    h.fake.loop.advance(20'000);
    ASSERT_TRUE(h.main().END_LOG_BUTTON.enabled());
    EXPECT_NE(h.main().LOG_FILE_OUTPUT_TEXTBOX.text().find("Crypto Name = "), std::string::npos);
    h.main().LOG_FILE_OUTPUT_TEXTBOX.setText("the last report\n");
    h.main().END_LOG_BUTTON.click();
    ReportsLogsWindow& w = h.reports();
    EXPECT_EQ(h.fake.windows.shown.back(), std::make_pair(static_cast<Form*>(&w), true));
    EXPECT_EQ(w.caption(), "SYNCWARD - REPORTS / LOGS");
    EXPECT_EQ(w.placement().width, 12420);
    EXPECT_EQ(w.placement().height, 7455);
    EXPECT_EQ(w.LOG_FILE_OUTPUT_TEXTBOX.text(), "the last report\n");
    EXPECT_EQ(w.SE_LOG_BUTTON.caption(), "\"sendemail\" LOG");
    EXPECT_EQ(w.OPENS_IN_LABEL.caption(), "OPENS IN THE DEFAULT VIEWER");

    // The in-memory text, not the file: refreshed on request only.
    h.main().LOG_FILE_OUTPUT_TEXTBOX.setText("a newer report\n");
    EXPECT_EQ(w.LOG_FILE_OUTPUT_TEXTBOX.text(), "the last report\n");
    w.REFRESH_BUTTON.click();
    EXPECT_EQ(w.LOG_FILE_OUTPUT_TEXTBOX.text(), "a newer report\n");
    EXPECT_EQ(w.LOG_FILE_OUTPUT_TEXTBOX.background(), colours::windowBackground);
    w.OK_BUTTON.click();
    EXPECT_EQ(h.stored("REPORTS_LOGS_WINDOW-Left"), "1000");

    h.main().SETTINGS_BUTTON.click();
    MainSettingsWindow& settings = h.app->settingsWindows().mainSettings();
    ASSERT_TRUE(settings.REPORTS_LOGS_BUTTON.enabled());
    settings.REPORTS_LOGS_BUTTON.click();
    EXPECT_EQ(h.fake.windows.shown.back(), std::make_pair(static_cast<Form*>(&w), true));
}

TEST(ReportsWindows, FilesOpenInTheViewerAsOneArgumentAndWhatCannotOpenIsTold) {
    ReportsHarness h;
    ReportsLogsWindow& w = h.reports();
    h.app->reportsWindows().openReportsLogs(h.main());
    w.VIEW_LAST_SAVED_REPORT_BUTTON.click();
    EXPECT_TRUE(h.fake.launcher.programs.empty());
    EXPECT_EQ(w.MESSAGE_STATUS_TEXTBOX.text(), std::string("!!! FILE NOT FOUND: ") + ReportsHarness::report + " !!!");
    EXPECT_EQ(w.MESSAGE_STATUS_TEXTBOX.background(), colours::red);

    h.fake.files.files[ReportsHarness::report] = "report\n";
    h.fake.files.files[ReportsHarness::mailerLog] = "log\n";
    w.VIEW_LAST_SAVED_REPORT_BUTTON.click();
    w.SE_LOG_BUTTON.click();
    EXPECT_EQ(h.fake.launcher.programs,
              (std::vector<std::vector<std::string>>{{"xdg-open", ReportsHarness::report},
                                                     {"xdg-open", ReportsHarness::mailerLog}}));
    // Opened is said once the viewer has said so by its exit.
    EXPECT_EQ(w.MESSAGE_STATUS_TEXTBOX.text(), std::string("!!! OPENING: ") + ReportsHarness::mailerLog + " !!!");
    h.fake.loop.advance(1000);
    EXPECT_EQ(w.MESSAGE_STATUS_TEXTBOX.text(), std::string("!!! OPENING: ") + ReportsHarness::mailerLog + " !!!");
    h.fake.launcher.lastExit->set(0);
    h.fake.loop.advance(250);
    EXPECT_EQ(w.MESSAGE_STATUS_TEXTBOX.text(), std::string("!!! OPENED: ") + ReportsHarness::mailerLog + " !!!");
    EXPECT_EQ(w.MESSAGE_STATUS_TEXTBOX.background(), colours::green);

    // xdg-open started but nothing could open the file (status 4): not opened.
    w.VIEW_LAST_SAVED_REPORT_BUTTON.click();
    h.fake.launcher.lastExit->set(4);
    h.fake.loop.advance(250);
    EXPECT_EQ(w.MESSAGE_STATUS_TEXTBOX.text(),
              std::string("!!! NOT OPENED - xdg-open ENDED WITH STATUS 4: ") + ReportsHarness::report + " !!!");
    EXPECT_EQ(w.MESSAGE_STATUS_TEXTBOX.background(), colours::red);
    // A viewer still running after ten seconds is showing the file.
    w.VIEW_LAST_SAVED_REPORT_BUTTON.click();
    h.fake.loop.advance(10'000);
    EXPECT_EQ(w.MESSAGE_STATUS_TEXTBOX.text(), std::string("!!! OPENED: ") + ReportsHarness::report + " !!!");

    h.fake.launcher.failStarts = true;
    w.SE_LOG_BUTTON.click();
    EXPECT_EQ(w.MESSAGE_STATUS_TEXTBOX.text(), "!!! COULD NOT START xdg-open !!!");
    EXPECT_EQ(w.MESSAGE_STATUS_TEXTBOX.background(), colours::red);
}

TEST(ReportsWindows, TheWindowsProfileOpensNotepadWithTheWindowsTexts) {
    ReportsHarness h(PlatformProfile::windows());
    ReportsLogsWindow& w = h.reports();
    h.app->reportsWindows().openReportsLogs(h.main());
    h.fake.files.files["D:\\R\\LOGS\\BTC1-SEND-EMAIL.LOG"] = "log\r\n";
    w.SE_LOG_BUTTON.click();
    EXPECT_EQ(h.fake.launcher.programs.back(), (std::vector<std::string>{"notepad.exe", "D:\\R\\LOGS\\BTC1-SEND-EMAIL.LOG"}));
    EXPECT_EQ(w.SE_LOG_BUTTON.caption(), "\"SendEmail.exe\" LOG");
    EXPECT_EQ(w.OPENS_IN_LABEL.caption(), "OPENS IN NOTEPAD");
    EXPECT_EQ(h.manager().SE_LOG_LOCATION_LABEL.caption(), "\"Sendemail.exe\" RUN LOG LOCATION:");
    EXPECT_EQ(h.manager().CLEAR_SE_LOG_BUTTON.caption(), "CLEAR \"SendEmail.exe\" LOG");

    // Emptied files hold exactly one CR LF.
    w.LOG_MANAGER_BUTTON.click();
    h.manager().ENABLE_TICKBOX.setValue(1);
    h.manager().CLEAR_SYNCWARD_REPORT_BUTTON.click();
    EXPECT_EQ(h.fake.files.files.at("D:\\R\\REPORTS\\BTC1-END-REPORT.LOG"), "\r\n");
}

TEST(ReportsWindows, TheLogManagerEmptiesEachFileOnceBehindItsSafetyTick) {
    ReportsHarness h;
    h.app->reportsWindows().openReportsLogs(h.main());
    h.reports().LOG_MANAGER_BUTTON.click();
    LogManagerWindow& m = h.manager();
    EXPECT_EQ(h.fake.windows.shown.back(), std::make_pair(static_cast<Form*>(&m), true));
    EXPECT_EQ(m.caption(), "SYNCWARD - LOG MANAGER");
    EXPECT_EQ(m.SYNCWARD_BLOCKCOUNT_LOG_LOCATION_TEXTBOX.text(), "/home/sat/R/BLOCKCOUNTS/BTC1-LATEST-BLOCKCOUNT.LOG");
    EXPECT_EQ(m.SE_LOG_LOCATION_TEXTBOX.text(), ReportsHarness::mailerLog);
    EXPECT_EQ(m.SYNCWARD_LOG_LOCATION_TEXTBOX.text(), ReportsHarness::report);
    EXPECT_FALSE(m.CLEAR_SYNCWARD_REPORT_BUTTON.enabled());
    EXPECT_FALSE(m.CLEAR_SE_LOG_BUTTON.enabled());

    h.fake.files.files[ReportsHarness::report] = "a long report\n";
    m.ENABLE_TICKBOX.setValue(1);
    m.CLEAR_SYNCWARD_REPORT_BUTTON.click();
    EXPECT_EQ(h.fake.files.files.at(ReportsHarness::report), "\n");
    EXPECT_FALSE(m.CLEAR_SYNCWARD_REPORT_BUTTON.enabled());
    EXPECT_TRUE(m.CLEAR_SE_LOG_BUTTON.enabled());

    h.fake.files.unwritable.insert(ReportsHarness::mailerLog);
    m.CLEAR_SE_LOG_BUTTON.click();
    EXPECT_EQ(m.MESSAGE_STATUS_TEXTBOX.text(), std::string("!!! NOT CLEARED: ") + ReportsHarness::mailerLog + " !!!");
    EXPECT_TRUE(m.CLEAR_SE_LOG_BUTTON.enabled());
    h.fake.files.unwritable.clear();
    m.CLEAR_SE_LOG_BUTTON.click();  // a log not there yet is created
    EXPECT_EQ(h.fake.files.files.at(ReportsHarness::mailerLog), "\n");

    m.OK_BUTTON.click();
    EXPECT_EQ(h.stored("LOG_MANAGER-Top"), "1000");
    h.reports().LOG_MANAGER_BUTTON.click();
    EXPECT_FALSE(m.ENABLE_TICKBOX.ticked());
    EXPECT_FALSE(m.CLEAR_SYNCWARD_REPORT_BUTTON.enabled());
    EXPECT_EQ(m.MESSAGE_STATUS_TEXTBOX.text(), "");
}

}  // namespace
}  // namespace syncward::testing
