#include "gui/reports/history_view.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QVBoxLayout>

#include "core/reports/history_window.h"
#include "gui/reports/history_table_model.h"
#include "gui/reports/run_chart.h"
#include "gui/reports/run_chart_widget.h"
#include "gui/shell/title_font.h"

namespace syncward {

namespace {

RunChartWidget* chartWidget(const char* name, QWidget* parent) {
    auto* chart = new RunChartWidget(parent);
    chart->setObjectName(name);
    return chart;
}

}  // namespace

HistoryView::HistoryView(HistoryWindow& model, QWidget* parent)
    : FormView(model, parent),
      model_(model),
      blocksChart_(chartWidget("BLOCKS_CHART", this)),
      lengthChart_(chartWidget("LENGTH_CHART", this)) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading("RUN HISTORY"));
    layout->addWidget(control("RUNS_LABEL"));
    auto* charts = new QHBoxLayout;
    charts->addWidget(blocksChart_, 3);
    charts->addWidget(lengthChart_, 2);
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
    blocksChart_->setChart(blocksChart(rows));
    lengthChart_->setChart(lengthChart(rows));
}

}  // namespace syncward
