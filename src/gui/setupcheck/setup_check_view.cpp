#include "gui/setupcheck/setup_check_view.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>

#include "core/setupcheck/setup_check_window.h"
#include "gui/shell/title_font.h"

namespace syncward {

SetupCheckView::SetupCheckView(SetupCheckWindow& model, QWidget* parent) : FormView(model, parent) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading("CHECK SETUP"));

    auto* lines = new QWidget;
    auto* column = new QVBoxLayout(lines);
    column->setSpacing(2);
    for (int n = 1; n <= SetupCheckWindow::lineCount; ++n) {
        auto* line = control<QLabel>(QStringLiteral("CHECK_LINE_%1").arg(n));
        line->setWordWrap(true);
        line->setMargin(3);
        line->setTextInteractionFlags(Qt::TextSelectableByMouse);  // a path to copy
        column->addWidget(line);
    }
    column->addStretch(1);
    auto* scroll = new QScrollArea;
    scroll->setWidget(lines);
    scroll->setWidgetResizable(true);
    layout->addWidget(scroll, 3);
    layout->addWidget(control("SUMMARY_TEXTBOX"));

    auto* tryRow = new QHBoxLayout;
    tryRow->addWidget(control("TRY_NODE_BUTTON"));
    tryRow->addWidget(control("TRY_NODE_STATUS_TEXTBOX"), 1);
    layout->addLayout(tryRow);
    auto* report = multiline("TRY_NODE_REPORT_TEXTBOX");
    report->setLineWrapMode(QPlainTextEdit::NoWrap);
    layout->addWidget(report, 1);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(control("RUN_CHECK_AGAIN_BUTTON"));
    bottom->addStretch(1);
    bottom->addWidget(control("CLOSE_BUTTON"));
    layout->addLayout(bottom);
    bindControls();
}

}  // namespace syncward
