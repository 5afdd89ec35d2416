#include "gui/info/about_view.h"

#include <QGridLayout>
#include <QStringList>
#include <algorithm>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/info/about_window.h"
#include "gui/shell/title_font.h"

namespace syncward {

namespace {

QLineEdit* titleBox(QLineEdit* box) {
    box->setAlignment(Qt::AlignCenter);
    QFont font = box->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.6);
    box->setFont(font);
    return box;
}

}  // namespace

AboutView::AboutView(AboutWindow& model, QWidget* parent) : FormView(model, parent) {
    auto* titles = new QVBoxLayout;
    titles->addWidget(titleBox(control<QLineEdit>("QUORVEL_TITLE_TEXTBOX")));
    titles->addWidget(titleBox(control<QLineEdit>("SYNCWARD_TITLE_TEXTBOX")));
    auto* freeware = titled(control<QLabel>("FREEWARE_LABEL"));
    freeware->setAlignment(Qt::AlignCenter);
    titles->addWidget(freeware);
    for (const char* name : {"CREATOR_LABEL", "WEB_ADDRESS_LABEL", "VERSION_LABEL"}) {
        auto* line = control<QLabel>(name);
        line->setAlignment(Qt::AlignCenter);
        titles->addWidget(line);
    }

    auto* tools = multiline("FAMILY_TOOLS_TEXTBOX");
    tools->setLineWrapMode(QPlainTextEdit::NoWrap);
    // The list is short and fixed: room for all of it, nothing to scroll.
    const QStringList lines = QString::fromStdString(model.FAMILY_TOOLS_TEXTBOX.text()).split('\n');
    int widest = 0;
    for (const QString& line : lines) widest = std::max(widest, tools->fontMetrics().horizontalAdvance(line));
    const int frame = 2 * (tools->frameWidth() + static_cast<int>(tools->document()->documentMargin())) + 4;
    tools->setMinimumSize(widest + frame, static_cast<int>(lines.size()) * tools->fontMetrics().lineSpacing() + frame);

    // The donations button sits on its coloured box, which shows round it.
    auto* donations = new QWidget;
    auto* layers = new QGridLayout(donations);
    layers->setContentsMargins(0, 0, 0, 0);
    layers->setSpacing(0);
    auto* back = control<QLineEdit>("DONATIONS_BACK_TEXTBOX");
    back->setFocusPolicy(Qt::NoFocus);
    back->setMinimumHeight(1);
    layers->addWidget(back, 0, 0, 3, 3);
    layers->addWidget(control("DONATIONS_BUTTON"), 1, 1);
    for (int edge : {0, 2}) {
        layers->setRowMinimumHeight(edge, 8);
        layers->setColumnMinimumWidth(edge, 8);
    }

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(control("DEDICATIONS_BUTTON"));
    buttons->addWidget(donations);
    buttons->addStretch(1);
    buttons->addWidget(control("OK_BUTTON"));

    auto* lower = new QHBoxLayout;
    lower->addWidget(tools, 1);
    lower->addLayout(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(titles);
    layout->addLayout(lower, 1);
    bindControls();
}

}  // namespace syncward
