// The HISTORY window through its real widgets, offscreen: without any run,
// and after three runs, one of them not confirmed: three bars, one red,
// and the folder's size as a line; the table newest first; the export.
#include <gtest/gtest.h>

#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

#include "core/reports/reports_windows.h"
#include "core/reports/run_history.h"
#include "core/reports/run_history_columns.h"
#include "core/state/home_layout.h"
#include "gui/gui_harness.h"
#include "gui/reports/run_chart_widget.h"

namespace syncward::testing {
namespace {

constexpr const char* home = "C:\\QUORVEL-ROOT\\SYNCWARD";
constexpr long long firstSunday = 1'783'823'400;  // 2026-07-12T02:30:00Z
constexpr long long week = 7 * 24 * 3600;

RunRecord weeklyRun(int n, long long blocks, bool confirmed) {
    RunRecord r;
    r.start = firstSunday + n * week;
    r.startOffset = r.endOffset = 7200;
    r.end = r.start + 600 + n * 300;
    r.nodeProgram = "DAEMON - litecoind.exe";
    r.blocksBefore = 2'700'000 + n * 4000;
    r.blocksAfter = *r.blocksBefore + blocks;
    r.blocksDownloaded = blocks;
    r.bytesBefore = 180'000'000'000u + static_cast<std::uint64_t>(n) * 600'000'000u;
    r.bytesAfter = *r.bytesBefore + 500'000'000u;
    r.runOutcome = confirmed ? "!!! COMPLETED SUCCESSFULLY !!!" : "!!! FINISHED - CHAIN NOT CONFIRMED - NO PEERS !!!";
    r.blockCounterOutcome = r.runOutcome;
    r.nodeCheck = confirmed ? "CONFIRMED" : "NOT CONFIRMED - NO PEERS";
    r.finalAction = "AUTOCLOSE";
    return r;
}

struct HistoryGui {
    HistoryGui() {
        h.fake.store.put("BTC1", "SYNCWARD_HOME_TEXTBOX", home);
        h.fake.store.put("BTC1", "BLOCKCHAIN_HOME_TEXTBOX", "D:\\LTC");
        h.fake.files.diskFree = 40'000'000'000u;
        h.fake.environment.now = firstSunday + 3 * week;
    }
    std::string file() const { return home_layout::runHistoryFile(h.fake.profile, home, "BTC1"); }
    void record(const std::vector<RunRecord>& runs) {
        std::string text = historyHeader() + "\r\n";
        for (const RunRecord& r : runs) text += historyRow(r, "\r\n");
        h.fake.files.files[file()] = text;
    }
    HistoryWindow& open() {
        h.start();
        h.widget<QPushButton>(h.app->main(), "HISTORY_BUTTON")->click();
        return h.app->reportsWindows().history();
    }
    RunChartWidget* chart(HistoryWindow& w, const char* name) { return h.widget<RunChartWidget>(w, name); }

    GuiHarness h;
};

TEST(HistoryView, WithoutAnyRunTheChartSaysSoAndTheButtonsTellWhatIsMissing) {
    HistoryGui g;
    HistoryWindow& w = g.open();
    QWidget* view = g.h.view(w);
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->isVisible());
    EXPECT_EQ(view->windowModality(), Qt::WindowModal);
    EXPECT_EQ(view->windowTitle(), "SYNCWARD - RUN HISTORY");
    EXPECT_EQ(g.h.widget<QLabel>(w, "RUNS_LABEL")->text(), "NO RUN HAS BEEN RECORDED YET");
    ASSERT_NE(g.chart(w, "BLOCKS_CHART"), nullptr);
    ASSERT_NE(g.chart(w, "LENGTH_CHART"), nullptr);
    EXPECT_EQ(g.chart(w, "BLOCKS_CHART")->chart().title, "NO RUN HAS BEEN RECORDED YET");
    EXPECT_TRUE(g.chart(w, "BLOCKS_CHART")->chart().empty());
    EXPECT_FALSE(g.chart(w, "BLOCKS_CHART")->chart().line);
    EXPECT_EQ(g.chart(w, "LENGTH_CHART")->chart().title, "RUN LENGTH");
    EXPECT_TRUE(g.chart(w, "LENGTH_CHART")->chart().empty());
    EXPECT_EQ(g.h.widget<QTableView>(w, "HISTORY_TABLE")->model()->rowCount(), 0);
    EXPECT_EQ(g.h.widget<QLabel>(w, "GROWTH_LABEL")->text(), "GROWTH: NEEDS TWO FOLDER SIZES MEASURED AT DIFFERENT TIMES");
    view->grab().save(GuiHarness::screenshotPath("history_empty.png"));

    g.h.widget<QPushButton>(w, "EXPORT_CSV_BUTTON")->click();
    EXPECT_EQ(g.h.widget<QLineEdit>(w, "MESSAGE_STATUS_TEXTBOX")->text().toStdString(),
              "!!! NOTHING TO EXPORT - NO HISTORY FILE: " + g.file() + " !!!");
    g.h.widget<QPushButton>(w, "OK_BUTTON")->click();
    EXPECT_FALSE(view->isVisible());
}

TEST(HistoryView, ThreeRunsOneNotConfirmedGiveThreeBarsOneRedAndTheSizeLine) {
    HistoryGui g;
    g.record({weeklyRun(0, 4100, true), weeklyRun(1, 3900, false), weeklyRun(2, 4032, true)});
    HistoryWindow& w = g.open();
    QWidget* view = g.h.view(w);
    EXPECT_EQ(g.h.widget<QLabel>(w, "RUNS_LABEL")->text(), "RUNS RECORDED: 3 - FAILED OR NOT CONFIRMED: 1");

    RunChartWidget* blocksWidget = g.chart(w, "BLOCKS_CHART");
    const RunChart& blocks = blocksWidget->chart();
    EXPECT_EQ(blocks.title, "BLOCKS PER RUN AND CHAIN FOLDER SIZE - LAST 3 RUNS");
    // One bar per run, red for the run that was not confirmed.
    ASSERT_EQ(blocks.bars.size(), 3u);
    EXPECT_EQ(blocks.bars[0].value, 4100);
    EXPECT_FALSE(blocks.bars[0].failed);
    EXPECT_EQ(blocks.bars[1].value, 3900);
    EXPECT_TRUE(blocks.bars[1].failed);
    EXPECT_EQ(blocks.bars[2].value, 4032);
    EXPECT_FALSE(blocks.bars[2].failed);
    ASSERT_TRUE(blocks.line);
    ASSERT_EQ(blocks.line->points.size(), 3u);
    EXPECT_DOUBLE_EQ(blocks.line->points[0].value, 180.5);
    EXPECT_DOUBLE_EQ(blocks.line->points[2].value, 181.7);
    const RunChart& lengths = g.chart(w, "LENGTH_CHART")->chart();
    EXPECT_EQ(lengths.title, "RUN LENGTH (MINUTES)");
    ASSERT_EQ(lengths.bars.size(), 3u);
    EXPECT_DOUBLE_EQ(lengths.bars[2].value, 20);
    EXPECT_TRUE(lengths.bars[1].failed);

    auto* table = g.h.widget<QTableView>(w, "HISTORY_TABLE");
    ASSERT_EQ(table->model()->rowCount(), 3);
    EXPECT_EQ(table->model()->index(0, 0).data().toString(), "2026-07-26T04:30:00+02:00") << "newest first";
    EXPECT_EQ(table->model()->index(1, 10).data().toString(), "!!! FINISHED - CHAIN NOT CONFIRMED - NO PEERS !!!");
    EXPECT_TRUE(table->model()->index(1, 0).data(Qt::BackgroundRole).isValid()) << "the failed run stands out";
    EXPECT_FALSE(table->model()->index(0, 0).data(Qt::BackgroundRole).isValid());
    // 180.0 GB before the first run, 181.7 GB after the third: 0.85 GB a week.
    EXPECT_EQ(g.h.widget<QLabel>(w, "GROWTH_LABEL")->text(),
              "GROWTH: 0.85 GB PER WEEK - 40.00 GB FREE - DISK FULL IN ABOUT 47 WEEKS (2027-06-27) AT THIS RATE");
    GuiHarness::pump(100);
    view->grab().save(GuiHarness::screenshotPath("history_three_runs.png"));

    // What is painted where the chart says: each bar in its run's colour,
    // the size line's points in green above them.
    const QImage painted = blocksWidget->grab().toImage();
    const auto colourAt = [&](QPointF point) { return QColor(painted.pixel(point.toPoint())); };
    // High in the bar: clear of the failed mark at its foot and of the line.
    const auto inBar = [&](std::size_t run) {
        const QRectF bar = blocksWidget->barRect(run);
        return QPointF(bar.center().x(), bar.top() + bar.height() / 4);
    };
    EXPECT_EQ(colourAt(inBar(0)), run_chart_colours::succeeded);
    EXPECT_EQ(colourAt(inBar(1)), run_chart_colours::failed);
    EXPECT_EQ(colourAt(inBar(2)), run_chart_colours::succeeded);
    for (const LinePoint& point : blocks.line->points)
        EXPECT_EQ(colourAt(blocksWidget->linePoint(point)), run_chart_colours::line) << point.run;
    EXPECT_GT(blocksWidget->barRect(0).height(), blocksWidget->barRect(1).height()) << "4100 blocks against 3900";

    // Exported where the user chooses; the history itself stays.
    g.h.fake.dialogs.answers.push_back("E:\\backup\\history.csv");
    g.h.widget<QPushButton>(w, "EXPORT_CSV_BUTTON")->click();
    EXPECT_EQ(g.h.fake.files.files["E:\\backup\\history.csv"], g.h.fake.files.files[g.file()]);
    EXPECT_EQ(g.h.widget<QLineEdit>(w, "MESSAGE_STATUS_TEXTBOX")->text(), "!!! EXPORTED TO: E:\\backup\\history.csv !!!");
    g.h.widget<QPushButton>(w, "OPEN_BUTTON")->click();
    ASSERT_FALSE(g.h.fake.launcher.programs.empty());
    EXPECT_EQ(g.h.fake.launcher.programs.back().back(), g.file());

    // A fourth run while the window is closed shows when it opens again.
    g.h.widget<QPushButton>(w, "OK_BUTTON")->click();
    g.h.fake.files.appendLine(g.file(), historyRow(weeklyRun(3, 10, true), "\r\n"));
    g.h.widget<QPushButton>(g.h.app->main(), "HISTORY_BUTTON")->click();
    EXPECT_EQ(table->model()->rowCount(), 4);
}

TEST(HistoryView, AYearOfRunsChartsTheLatestFiftyTwoAndTablesThemAll) {
    HistoryGui g;
    std::vector<RunRecord> runs;
    // Every ninth run failed, one of them bringing nothing at all.
    for (int n = 0; n < 60; ++n) runs.push_back(weeklyRun(n, n == 45 ? 0 : 3900 + n * 5, n % 9 != 0));
    g.record(runs);
    HistoryWindow& w = g.open();
    const RunChart& blocks = g.chart(w, "BLOCKS_CHART")->chart();
    EXPECT_EQ(blocks.title, "BLOCKS PER RUN AND CHAIN FOLDER SIZE - LAST 52 RUNS");
    ASSERT_EQ(blocks.bars.size(), 52u);
    EXPECT_EQ(blocks.bars[37].value, 0);
    EXPECT_TRUE(blocks.bars[37].failed) << "run 45, the 38th shown";
    EXPECT_EQ(g.chart(w, "LENGTH_CHART")->chart().bars.size(), 52u);
    EXPECT_EQ(g.h.widget<QTableView>(w, "HISTORY_TABLE")->model()->rowCount(), 60);
    GuiHarness::pump(100);
    g.h.view(w)->grab().save(GuiHarness::screenshotPath("history_sixty_runs.png"));
}

}  // namespace
}  // namespace syncward::testing
