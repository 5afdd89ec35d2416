// What the history's charts show, worked out from the runs without
// painting: round axes, one label per run, failed runs marked, the last 52
// runs only.
#include <gtest/gtest.h>

#include <vector>

#include "gui/reports/run_chart.h"

namespace syncward::testing {
namespace {

constexpr long long sunday = 1'783'823'400;  // 2026-07-12T02:30:00Z
constexpr long long week = 7 * 24 * 3600;

RunRecord run(long long start, long long blocks, std::optional<std::uint64_t> bytes, bool confirmed = true) {
    RunRecord r;
    r.start = start;
    r.startOffset = r.endOffset = 7200;
    r.end = start + 900;
    r.blocksDownloaded = blocks;
    r.bytesAfter = bytes;
    r.runOutcome = confirmed ? "!!! COMPLETED SUCCESSFULLY !!!" : "!!! FINISHED - CHAIN NOT CONFIRMED - NO PEERS !!!";
    return r;
}

std::vector<RunRecord> weeklyRuns(int count) {
    std::vector<RunRecord> runs;
    for (int n = 0; n < count; ++n)
        runs.push_back(run(sunday + n * week, 4000 + n, 100'000'000'000u + static_cast<std::uint64_t>(n) * 1'000'000'000u));
    return runs;
}

void expectAxis(const ChartAxis& axis, double lowest, double highest, int ticks) {
    EXPECT_DOUBLE_EQ(axis.lowest, lowest);
    EXPECT_DOUBLE_EQ(axis.highest, highest);
    EXPECT_EQ(axis.ticks, ticks);
}

TEST(RunChartAxis, EndsOnRoundStepsAroundTheValues) {
    expectAxis(niceAxis("BLOCKS", 0, 4100), 0, 5000, 6);
    expectAxis(niceAxis("MINUTES", 0, 20), 0, 20, 5);
    expectAxis(niceAxis("MINUTES", 0, 21), 0, 30, 4);
    expectAxis(niceAxis("GB", 180.1366, 182.0634), 180, 182.5, 6);
    expectAxis(niceAxis("GB", 0.37, 0.41), 0.37, 0.41, 5);
    // Nothing to span: one unit from the value.
    expectAxis(niceAxis("BLOCKS", 0, 0), 0, 1, 6);
    // A bound that is a whole number of steps stays, division's last bits
    // notwithstanding (0.28 / 0.02 is a hair over 14).
    expectAxis(niceAxis("GB", 0.2, 0.28), 0.2, 0.28, 5);
    const ChartAxis gb = niceAxis("GB", 180.1366, 182.0634);
    EXPECT_DOUBLE_EQ(gb.step(), 0.5);
    EXPECT_DOUBLE_EQ(gb.tick(3), 181.5);
    EXPECT_EQ(gb.title, "GB");
}

TEST(RunChart, WithoutRunsOnlyTheTitlesSaySo) {
    EXPECT_EQ(blocksChart({}).title, "NO RUN HAS BEEN RECORDED YET");
    EXPECT_TRUE(blocksChart({}).empty());
    EXPECT_FALSE(blocksChart({}).line);
    EXPECT_EQ(lengthChart({}).title, "RUN LENGTH");
    EXPECT_TRUE(lengthChart({}).empty());
}

TEST(RunChart, RunsInTheSameMinuteGetLabelsOfTheirOwn) {
    const std::vector<RunRecord> runs = {run(sunday, 10, {}), run(sunday + 20, 10, {}), run(sunday + 40, 10, {}),
                                         run(sunday + 60, 10, {}), run(sunday + week, 10, {})};
    const std::vector<QString> expected = {"07-12 04:30", "07-12 04:30 #2", "07-12 04:30 #3", "07-12 04:31",
                                           "07-19 04:30"};
    EXPECT_EQ(blocksChart(runs).labels, expected) << "local time, with the run's own offset";
    EXPECT_EQ(lengthChart(runs).labels, expected);
}

TEST(RunChart, AFailedRunThatBroughtNothingStillHasItsBar) {
    const std::vector<RunRecord> runs = {run(sunday, 0, 50'000'000'000u, false)};
    const RunChart chart = blocksChart(runs);
    ASSERT_EQ(chart.bars.size(), 1u);
    EXPECT_EQ(chart.bars[0].value, 0);
    EXPECT_TRUE(chart.bars[0].failed);
    expectAxis(chart.axis, 0, 1, 6);
    EXPECT_EQ(chart.axis.title, "BLOCKS");
    EXPECT_TRUE(lengthChart(runs).bars[0].failed);

    // A count that went down (a node that reorganised) is no bar below zero.
    EXPECT_EQ(blocksChart({run(sunday, -3, {})}).bars[0].value, 0);
}

TEST(RunChart, ASingleRunHasOneBarOnePointAndASizeAxisAroundIt) {
    const RunChart chart = blocksChart({run(sunday, 4032, 181'700'000'000u)});
    EXPECT_EQ(chart.title, "BLOCKS PER RUN AND CHAIN FOLDER SIZE - LAST 1 RUNS");
    ASSERT_EQ(chart.bars.size(), 1u);
    EXPECT_FALSE(chart.bars[0].failed);
    EXPECT_EQ(chart.labels.size(), 1u);
    ASSERT_TRUE(chart.line);
    EXPECT_EQ(chart.line->name, "FOLDER SIZE (GB)");
    ASSERT_EQ(chart.line->points.size(), 1u);
    EXPECT_DOUBLE_EQ(chart.line->points[0].value, 181.7);
    const ChartAxis& gb = chart.line->axis;
    EXPECT_EQ(gb.title, "GB");
    EXPECT_LT(gb.lowest, 181.7);
    EXPECT_GT(gb.highest, 181.7);
    EXPECT_GT(gb.lowest, 100) << "not from zero: a week's growth would be a flat line";

    const RunChart length = lengthChart({run(sunday, 4032, {})});
    EXPECT_EQ(length.title, "RUN LENGTH (MINUTES)");
    EXPECT_EQ(length.barName, "MINUTES");
    EXPECT_DOUBLE_EQ(length.bars[0].value, 15);
    expectAxis(length.axis, 0, 15, 4);
    EXPECT_FALSE(length.line);
}

TEST(RunChart, TheFolderSizeLineSkipsRunsThatDidNotMeasureIt) {
    std::vector<RunRecord> runs = {run(sunday, 1, 100'000'000'000u), run(sunday + week, 1, {}),
                                   run(sunday + 2 * week, 1, {})};
    runs[2].bytesBefore = 102'000'000'000u;  // measured before the run only
    const RunChart chart = blocksChart(runs);
    ASSERT_TRUE(chart.line);
    ASSERT_EQ(chart.line->points.size(), 2u);
    EXPECT_EQ(chart.line->points[0].run, 0u);
    EXPECT_EQ(chart.line->points[1].run, 2u);
    EXPECT_DOUBLE_EQ(chart.line->points[1].value, 102);

    EXPECT_FALSE(blocksChart({run(sunday, 1, {})}).line) << "no size measured, no line and no GB axis";
}

TEST(RunChart, ManyRunsShowTheLatestFiftyTwo) {
    const std::vector<RunRecord> runs = weeklyRuns(60);
    const RunChart chart = blocksChart(runs);
    EXPECT_EQ(chart.title, "BLOCKS PER RUN AND CHAIN FOLDER SIZE - LAST 52 RUNS");
    ASSERT_EQ(chart.bars.size(), chartedRuns);
    ASSERT_EQ(chart.labels.size(), chartedRuns);
    EXPECT_EQ(chart.bars.front().value, 4008) << "the ninth run is the oldest shown";
    EXPECT_EQ(chart.bars.back().value, 4059);
    ASSERT_EQ(chart.line->points.size(), chartedRuns);
    EXPECT_EQ(chart.line->points.front().run, 0u) << "points count from the oldest run shown";
    EXPECT_DOUBLE_EQ(chart.line->points.front().value, 108);
    EXPECT_DOUBLE_EQ(chart.line->points.back().value, 159);
    EXPECT_LE(chart.line->axis.lowest, 108);
    EXPECT_GE(chart.line->axis.highest, 159);
    EXPECT_EQ(lengthChart(runs).bars.size(), chartedRuns);
    EXPECT_EQ(blocksChart(weeklyRuns(52)).bars.size(), chartedRuns);
}

}  // namespace
}  // namespace syncward::testing
