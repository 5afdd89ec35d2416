#include "gui/info/dedications_view.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "core/info/dedications_window.h"
#include "gui/shell/title_font.h"

namespace syncward {

DedicationsView::DedicationsView(DedicationsWindow& model, QWidget* parent) : FormView(model, parent) {
    auto* title = titled(control<QLabel>("DEDICATIONS_TITLE_LABEL"));
    title->setAlignment(Qt::AlignCenter);
    auto* page = multiline("DEDICATIONS_TEXTBOX");
    page->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(control("OK_BUTTON"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(page, 1);
    layout->addLayout(bottom);
    bindControls();
}

}  // namespace syncward
