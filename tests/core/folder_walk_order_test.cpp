// The folder is walked off the interface thread: the order in which
// measurements are written and the run goes on, with a walk that takes
// minutes of (virtual) time.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>

#include "support/app_harness.h"

namespace syncward::testing {
namespace {

constexpr int walkMs = 5 * 60 * 1000;  // a cold disk under a large chain

struct SlowFolderWalk : ::testing::Test {
    void SetUp() override {
        h.store("SYNCWARD_HOME_TEXTBOX", "D:\\R");
        h.store("ALWAYS_ON_TOP_TICKBOX", "0");
        h.store("BLOCKCHAIN_HOME_TEXTBOX", folder);
        h.fake.files.folders.insert(folder);
        h.fake.files.folderSizes[folder] = 1024;
        h.fake.folderMeasurer.walkMs = walkMs;
    }
    MainWindow& start() {
        h.start();
        return h.main();
    }
    void ms(long long n) { h.fake.loop.advance(n); }
    bool ran(const std::string& suffix) {
        const auto& ran = h.fake.launcher.ran;
        return std::any_of(ran.begin(), ran.end(), [&](const std::string& path) {
            return path.size() >= suffix.size() && path.compare(path.size() - suffix.size(), suffix.size(), suffix) == 0;
        });
    }

    std::string folder = "D:\\Chains\\Bitcoin";
    AppHarness h;
};

TEST_F(SlowFolderWalk, TheRunGoesOnFromEachMeasurementOnlyOnceItsFiguresAreIn) {
    h.store("RUN_DAEMON_TICKBOX", "1");
    MainWindow& w = start();
    w.MULTILOADER_START_STOP_BUTTON.click();
    ms(6000);  // step 5 asked, the walk began a second later
    ASSERT_EQ(h.fake.folderMeasurer.walked.size(), 1u);
    EXPECT_FALSE(w.FFS_RUN_1_BUTTON.enabled());

    // Minutes into the walk: the other timers go on, the run does not.
    const int watchQueries = h.fake.processes.queries;
    ms(walkMs - 1000);
    EXPECT_GT(h.fake.processes.queries, watchQueries + 1000);
    EXPECT_TRUE(w.taskTimer(6).enabled());
    EXPECT_EQ(w.taskLight(5).background(), colours::cyan);
    EXPECT_EQ(w.CURRENT_STATUS_LABEL.caption(), "BLOCKCHAIN FOLDER SIZE - BEFORE");
    EXPECT_EQ(w.BC_FOLDER_SIZE_BEFORE.text(), "!!! STILL TO RUN !!!");
    EXPECT_FALSE(ran("-RUN-DAEMON.bat"));  // the node does not write into a folder being measured

    ms(1000);  // the walk ends: figures in; the waiting step goes on at its next tick
    EXPECT_EQ(w.facts.folderBefore.bytes, std::optional<std::uint64_t>(1024));
    EXPECT_TRUE(w.FFS_RUN_1_BUTTON.enabled());
    ms(1000);
    EXPECT_EQ(w.taskLight(5).background(), colours::green);
    EXPECT_EQ(w.CURRENT_STATUS_LABEL.caption(), "LOGGING START BLOCK NUMBER");
    ms(1000);
    EXPECT_TRUE(ran("-RUN-DAEMON.bat"));

    // The "after" walk: the end time and the report wait for it.
    h.fake.files.folderSizes[folder] = 2048;
    h.fake.environment.time = "21:00:00";
    ASSERT_TRUE(h.fake.loop.runUntil([&] { return h.fake.folderMeasurer.walked.size() == 2; }, 60000));
    ms(walkMs - 1000);
    EXPECT_TRUE(w.taskTimer(14).enabled());
    EXPECT_EQ(w.taskLight(13).background(), colours::cyan);
    EXPECT_EQ(w.END_TIME_TEXTBOX.text(), "");
    EXPECT_FALSE(h.fake.files.files.count("D:\\R\\REPORTS\\BTC1-END-REPORT.LOG"));
    ms(4000);
    EXPECT_EQ(w.END_TIME_TEXTBOX.text(), "21:00:00");
    const std::string& report = h.fake.files.files["D:\\R\\REPORTS\\BTC1-END-REPORT.LOG"];
    EXPECT_NE(report.find("1,024 B  "), std::string::npos);
    EXPECT_NE(report.find("2,048 B  "), std::string::npos);
    EXPECT_EQ(report.find("STILL TO RUN"), std::string::npos);
}

TEST_F(SlowFolderWalk, BeforeAndAfterAreWalkedOneAfterTheOtherInTheOrderAsked) {
    MainWindow& w = start();
    w.FFS_RUN_1_BUTTON.click();
    ms(100);
    w.FFS_RUN_2_BUTTON.click();
    ms(1000);  // both asked; only "before" walks
    EXPECT_EQ(h.fake.folderMeasurer.walked.size(), 1u);
    EXPECT_FALSE(w.FFS_RUN_2_BUTTON.enabled());
    w.FFS_RUN_2_BUTTON.click();  // a second ask while waiting is the same walk
    w.FOLDER_SIZER_AFTER_TIMER.start();

    ms(walkMs - 1100);
    h.fake.files.folderSizes[folder] = 2048;  // grows before the "before" walk ends
    ms(1100);
    EXPECT_EQ(w.BC_FOLDER_SIZE_BEFORE.text(), "2,048 B  \r\n2.048 KB\r\n0.002 MB\r\n0 GB\r\n0 TB\r\n0 PB");
    EXPECT_EQ(w.BC_FOLDER_SIZE_AFTER.text(), "!!! STILL TO RUN !!!");
    EXPECT_TRUE(w.FFS_RUN_1_BUTTON.enabled());
    EXPECT_FALSE(w.FFS_RUN_2_BUTTON.enabled());

    h.fake.files.folderSizes[folder] = 4096;
    ms(walkMs);
    EXPECT_EQ(w.BC_FOLDER_SIZE_AFTER.text(), "4,096 B  \r\n4.096 KB\r\n0.004 MB\r\n0 GB\r\n0 TB\r\n0 PB");
    EXPECT_TRUE(w.FFS_RUN_2_BUTTON.enabled());
    EXPECT_EQ(h.fake.folderMeasurer.walked.size(), 2u);
    ms(10 * walkMs);
    EXPECT_EQ(h.fake.folderMeasurer.walked.size(), 2u);
}

TEST_F(SlowFolderWalk, AWalkUnderWayWhenTheWindowClosesIsAbandonedAndWritesNothing) {
    MainWindow& w = start();
    w.FFS_RUN_1_BUTTON.click();
    ms(500);
    w.FFS_RUN_2_BUTTON.click();
    ms(1000);
    ASSERT_EQ(h.fake.folderMeasurer.walked.size(), 1u);
    w.close();
    EXPECT_EQ(h.fake.folderMeasurer.abandoned, 1);
    ms(3 * walkMs);
    EXPECT_EQ(w.BC_FOLDER_SIZE_BEFORE.text(), "!!! STILL TO RUN !!!");
    EXPECT_EQ(w.BC_FOLDER_SIZE_AFTER.text(), "!!! STILL TO RUN !!!");
    EXPECT_EQ(w.facts.folderBefore.bytes, std::nullopt);
    EXPECT_EQ(h.fake.folderMeasurer.walked.size(), 1u);  // the waiting one never starts
}

TEST_F(SlowFolderWalk, NoFolderSetNeedsNoWalkAndKeepsItsPlaceInTheOrder) {
    MainWindow& w = start();
    w.FFS_RUN_1_BUTTON.click();
    ms(1000);
    w.BLOCKCHAIN_HOME_TEXTBOX.setText("");
    w.FFS_RUN_2_BUTTON.click();
    ms(1000);
    EXPECT_EQ(w.BC_FOLDER_SIZE_AFTER.text(), "!!! STILL TO RUN !!!");  // waits behind "before"
    ms(walkMs);
    // "before" measured the folder set when its walk began.
    EXPECT_EQ(w.facts.folderAfter.bytes, std::nullopt);
    EXPECT_EQ(w.BC_FOLDER_SIZE_BEFORE.text().substr(0, 9), "1,024 B  ");
    EXPECT_EQ(w.BC_FOLDER_SIZE_AFTER.text(), "!!! NO BLOCKCHAIN FOLDER SET !!!");
    EXPECT_EQ(h.fake.folderMeasurer.walked, std::vector<std::string>{folder});
}

}  // namespace
}  // namespace syncward::testing
