#include "gui/reports/reports_views.h"

#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "core/reports/reports_windows.h"
#include "gui/shell/title_font.h"

namespace syncward {

namespace {

QHBoxLayout* statusRow(FormView& view) {
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel("STATUS:"));
    row->addWidget(view.control("MESSAGE_STATUS_TEXTBOX"), 1);
    return row;
}

}  // namespace

ReportsLogsView::ReportsLogsView(ReportsLogsWindow& model, QWidget* parent) : FormView(model, parent) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading("REPORTS / LOGS"));
    layout->addWidget(new QLabel("LAST GENERATED REPORT:"));
    auto* report = multiline("LOG_FILE_OUTPUT_TEXTBOX");
    report->setLineWrapMode(QPlainTextEdit::NoWrap);
    layout->addWidget(report, 1);
    auto* files = new QHBoxLayout;
    files->addWidget(control("VIEW_LAST_SAVED_REPORT_BUTTON"));
    files->addWidget(control("SE_LOG_BUTTON"));
    files->addWidget(control("OPENS_IN_LABEL"));
    files->addStretch(1);
    files->addWidget(control("REFRESH_BUTTON"));
    layout->addLayout(files);
    layout->addLayout(statusRow(*this));
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(control("LOG_MANAGER_BUTTON"));
    bottom->addStretch(1);
    bottom->addWidget(control("OK_BUTTON"));
    layout->addLayout(bottom);
    bindControls();
}

LogManagerView::LogManagerView(LogManagerWindow& model, QWidget* parent) : FormView(model, parent) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading("LOG MANAGER"));
    const char* places[][2] = {
        {"BLOCKCOUNT_LOG_LOCATION_LABEL", "SYNCWARD_BLOCKCOUNT_LOG_LOCATION_TEXTBOX"},
        {"SE_LOG_LOCATION_LABEL", "SE_LOG_LOCATION_TEXTBOX"},
        {"REPORT_LOG_LOCATION_LABEL", "SYNCWARD_LOG_LOCATION_TEXTBOX"},
    };
    for (const auto& place : places) {
        layout->addWidget(control(place[0]));
        layout->addWidget(control(place[1]));
    }
    layout->addWidget(control("ENABLE_TICKBOX"));
    auto* clear = new QHBoxLayout;
    clear->addWidget(control("CLEAR_SYNCWARD_REPORT_BUTTON"));
    clear->addWidget(control("CLEAR_SE_LOG_BUTTON"));
    layout->addLayout(clear);
    layout->addStretch(1);
    layout->addLayout(statusRow(*this));
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(control("OK_BUTTON"));
    layout->addLayout(bottom);
    bindControls();
}

}  // namespace syncward
