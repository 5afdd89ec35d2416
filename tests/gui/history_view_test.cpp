// The HISTORY window through its real widgets, offscreen: without any run,
// and after three runs, one of them not confirmed: three bars, one red,
// and the folder's size as a line; the table newest first; the export.
#include <gtest/gtest.h>

#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QPushButton>
#include <QStackedBarSeries>
#include <QTableView>

#include "core/reports/reports_windows.h"
#include "core/reports/run_history.h"
#include "core/state/home_layout.h"
#include "gui/gui_harness.h"

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
        std::string text = std::string(run_history_texts::header) + "\r\n";
        for (const RunRecord& r : runs) text += historyRow(r, "\r\n");
        h.fake.files.files[file()] = text;
    }
    HistoryWindow& open() {
        h.start();
        h.widget<QPushButton>(h.app->main(), "HISTORY_BUTTON")->click();
        return h.app->reportsWindows().history();
    }
    QChart* chart(HistoryWindow& w, int n) { return h.view(w)->findChildren<QChartView*>().at(n)->chart(); }

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
    EXPECT_EQ(g.chart(w, 0)->title(), "NO RUN HAS BEEN RECORDED YET");
    EXPECT_TRUE(g.chart(w, 0)->series().isEmpty());
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

    QChart* blocks = g.chart(w, 0);
    QStackedBarSeries* bars = nullptr;
    QLineSeries* size = nullptr;
    for (QAbstractSeries* s : blocks->series()) {
        if (auto* b = qobject_cast<QStackedBarSeries*>(s)) bars = b;
        if (auto* l = qobject_cast<QLineSeries*>(s); l && s->type() == QAbstractSeries::SeriesTypeLine) size = l;
    }
    ASSERT_NE(bars, nullptr);
    ASSERT_EQ(bars->barSets().size(), 2);
    QBarSet* confirmed = bars->barSets()[0];
    QBarSet* failed = bars->barSets()[1];
    ASSERT_EQ(confirmed->count(), 3);
    EXPECT_EQ(failed->color(), QColor(255, 0, 0));
    EXPECT_NE(confirmed->color(), QColor(255, 0, 0));
    // One bar per run, in its run's colour.
    EXPECT_EQ(confirmed->at(0), 4100);
    EXPECT_EQ(failed->at(0), 0);
    EXPECT_EQ(confirmed->at(1), 0);
    EXPECT_EQ(failed->at(1), 3900);
    EXPECT_EQ(confirmed->at(2), 4032);
    ASSERT_NE(size, nullptr);
    ASSERT_EQ(size->count(), 3);
    EXPECT_DOUBLE_EQ(size->at(2).y(), 181.7);
    EXPECT_EQ(g.chart(w, 1)->title(), "RUN LENGTH (MINUTES)");

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

}  // namespace
}  // namespace syncward::testing
