#include "gui/reports/history_view.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLegendMarker>
#include <QLineSeries>
#include <QScatterSeries>
#include <QStackedBarSeries>
#include <QTableView>
#include <QValueAxis>
#include <QVBoxLayout>
#include <algorithm>

#include "core/reports/history_window.h"
#include "core/time/iso_local.h"
#include "gui/reports/history_table_model.h"
#include "gui/shell/title_font.h"

namespace syncward {

namespace {

const QColor confirmedColour(40, 110, 200);
const QColor failedColour(255, 0, 0);
const QColor sizeColour(20, 140, 60);

QChartView* chartView(QChart* chart, QWidget* parent) {
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->setMargins(QMargins(4, 4, 4, 4));
    auto* view = new QChartView(chart, parent);
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumHeight(200);
    return view;
}

void clear(QChart* chart) {
    chart->removeAllSeries();
    for (QAbstractAxis* axis : chart->axes()) {
        chart->removeAxis(axis);
        delete axis;
    }
}

// Two stacked sets, one per run's colour: every run has one bar, red when
// the run failed or was not confirmed.
QStackedBarSeries* runBars(const std::vector<const RunRecord*>& runs, const QString& label,
                           double (*value)(const RunRecord&), double& highest) {
    auto* confirmed = new QBarSet(label);
    auto* failed = new QBarSet("FAILED");
    confirmed->setColor(confirmedColour);
    failed->setColor(failedColour);
    for (const RunRecord* run : runs) {
        const double v = std::max(0.0, value(*run));
        highest = std::max(highest, v);
        *confirmed << (run->succeeded() ? v : 0.0);
        *failed << (run->succeeded() ? 0.0 : v);
    }
    auto* series = new QStackedBarSeries;
    series->append(confirmed);
    series->append(failed);
    return series;
}

// A failed run that brought nothing has no bar to colour: a red mark at
// its foot says it failed all the same.
QScatterSeries* failedMarks(const std::vector<const RunRecord*>& runs) {
    auto* marks = new QScatterSeries;
    marks->setName("FAILED RUN");
    marks->setColor(failedColour);
    marks->setBorderColor(failedColour);
    marks->setMarkerSize(9);
    for (std::size_t i = 0; i < runs.size(); ++i)
        if (!runs[i]->succeeded()) marks->append(static_cast<double>(i), 0);
    return marks;
}

QBarCategoryAxis* runAxis(const std::vector<const RunRecord*>& runs) {
    QStringList dates;
    for (const RunRecord* run : runs) {
        // "12-07 02:30", unique per run even when two runs share a day.
        const std::string text = isoLocalText(run->start, run->startOffset);
        QString date = QString::fromStdString(text.substr(5, 5) + " " + text.substr(11, 5));
        // One category per run, also for two runs in the same minute.
        for (int n = 2; dates.contains(date); ++n) date = date.section(" #", 0, 0) + QString(" #%1").arg(n);
        dates << date;
    }
    auto* axis = new QBarCategoryAxis;
    axis->append(dates);
    axis->setLabelsAngle(-90);
    return axis;
}

QValueAxis* valueAxis(const QString& title, double lowest, double highest) {
    auto* axis = new QValueAxis;
    axis->setTitleText(title);
    axis->setRange(lowest, highest > lowest ? highest : lowest + 1);
    axis->applyNiceNumbers();
    axis->setLabelFormat("%g");
    return axis;
}

void attach(QChart* chart, QAbstractSeries* series, QAbstractAxis* x, QAbstractAxis* y) {
    chart->addSeries(series);
    series->attachAxis(x);
    series->attachAxis(y);
}

}  // namespace

HistoryView::HistoryView(HistoryWindow& model, QWidget* parent)
    : FormView(model, parent), model_(model), blocksChart_(new QChart), lengthChart_(new QChart) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading("RUN HISTORY"));
    layout->addWidget(control("RUNS_LABEL"));
    auto* charts = new QHBoxLayout;
    charts->addWidget(chartView(blocksChart_, this), 3);
    charts->addWidget(chartView(lengthChart_, this), 2);
    layout->addLayout(charts, 3);
    layout->addWidget(control("GROWTH_LABEL"));

    auto* tableView = new QTableView(this);
    tableView->setObjectName("HISTORY_TABLE");
    table_ = new HistoryTableModel(tableView);
    tableView->setModel(table_);
    tableView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tableView->setSelectionBehavior(QAbstractItemView::SelectRows);
    // Widths fixed once: sizing to the contents would read every row.
    tableView->verticalHeader()->setDefaultSectionSize(tableView->fontMetrics().height() + 4);
    tableView->horizontalHeader()->setDefaultSectionSize(
        tableView->fontMetrics().horizontalAdvance("0000-00-00T00:00:00+00:00") + 24);
    tableView->setMinimumHeight(120);
    layout->addWidget(tableView, 2);

    auto* file = new QHBoxLayout;
    file->addWidget(new QLabel("FILE:"));
    file->addWidget(control("HISTORY_FILE_TEXTBOX"), 1);
    file->addWidget(control("EXPORT_CSV_BUTTON"));
    file->addWidget(control("OPEN_BUTTON"));
    file->addWidget(control("REFRESH_BUTTON"));
    layout->addLayout(file);
    auto* status = new QHBoxLayout;
    status->addWidget(new QLabel("STATUS:"));
    status->addWidget(control("MESSAGE_STATUS_TEXTBOX"), 1);
    status->addWidget(control("OK_BUTTON"));
    layout->addLayout(status);
    bindControls();

    model_.onRowsChanged = [this] { refresh(); };
    refresh();
}

HistoryView::~HistoryView() { model_.onRowsChanged = nullptr; }

void HistoryView::refresh() {
    const std::vector<RunRecord>& rows = model_.rows();
    table_->setRows(&rows);
    clear(blocksChart_);
    clear(lengthChart_);
    if (rows.empty()) {
        blocksChart_->setTitle(QString(history_texts::noRuns));
        lengthChart_->setTitle("RUN LENGTH");
        return;
    }
    const std::size_t shown = std::min<std::size_t>(rows.size(), chartedRuns);
    std::vector<const RunRecord*> runs;
    for (auto run = rows.end() - static_cast<std::ptrdiff_t>(shown); run != rows.end(); ++run) runs.push_back(&*run);
    blocksChart_->setTitle(QString("BLOCKS PER RUN AND CHAIN FOLDER SIZE - LAST %1 RUNS").arg(shown));
    lengthChart_->setTitle("RUN LENGTH (MINUTES)");

    double mostBlocks = 0;
    auto* blocks = runBars(runs, "BLOCKS", [](const RunRecord& r) {
        return static_cast<double>(r.blocksDownloaded.value_or(0));
    }, mostBlocks);
    auto* x = runAxis(runs);
    auto* y = valueAxis("BLOCKS", 0, mostBlocks);
    blocksChart_->addAxis(x, Qt::AlignBottom);
    blocksChart_->addAxis(y, Qt::AlignLeft);
    attach(blocksChart_, blocks, x, y);
    QScatterSeries* marks = failedMarks(runs);
    attach(blocksChart_, marks, x, y);
    // The red bars explain themselves in the legend already.
    for (QLegendMarker* marker : blocksChart_->legend()->markers(marks)) marker->setVisible(false);

    auto* size = new QLineSeries;
    size->setName("FOLDER SIZE (GB)");
    size->setColor(sizeColour);
    double smallest = 0, largest = 0;
    for (std::size_t i = 0; i < runs.size(); ++i) {
        const auto bytes = runs[i]->bytesAfter ? runs[i]->bytesAfter : runs[i]->bytesBefore;
        if (!bytes) continue;
        const double gb = static_cast<double>(*bytes) / 1e9;
        smallest = size->count() == 0 ? gb : std::min(smallest, gb);
        largest = std::max(largest, gb);
        size->append(static_cast<double>(i), gb);
    }
    // Around the sizes, not from zero: a week's growth is a small part of
    // a chain, and the line should show it.
    const double room = std::max((largest - smallest) * 0.2, largest * 0.002);
    auto* gbAxis = valueAxis("GB", std::max(0.0, smallest - room), largest + room);
    blocksChart_->addAxis(gbAxis, Qt::AlignRight);
    attach(blocksChart_, size, x, gbAxis);

    double longest = 0;
    auto* lengths = runBars(runs, "MINUTES", [](const RunRecord& r) {
        return static_cast<double>(r.seconds()) / 60.0;
    }, longest);
    auto* lengthX = runAxis(runs);
    auto* minutes = valueAxis("MINUTES", 0, longest);
    lengthChart_->addAxis(lengthX, Qt::AlignBottom);
    lengthChart_->addAxis(minutes, Qt::AlignLeft);
    attach(lengthChart_, lengths, lengthX, minutes);
}

}  // namespace syncward
