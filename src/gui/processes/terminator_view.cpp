#include "gui/processes/terminator_view.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "core/processes/terminator_window.h"
#include "gui/shell/title_font.h"

namespace syncward {

TerminatorView::TerminatorView(TerminatorWindow& model, QWidget* parent) : FormView(model, parent) {
    auto* titles = new QHBoxLayout;
    titles->addWidget(titled(control<QLabel>("SYNCWARD_TITLE_LABEL")));
    titles->addStretch(1);
    titles->addWidget(control("ENABLE_TERMINATOR_TICKBOX"));
    titles->addStretch(1);
    titles->addWidget(titled(control<QLabel>("PROCESS_TERMINATOR_LABEL")));

    auto* grid = new QGridLayout;
    const struct {
        const char* caption;
        const char* box;
        const char* button;
    } rows[] = {{"QT Process:", "QT_NAME_TEXTBOX", "QT_TERMINATE_BUTTON"},
                {"DAEMON Process:", "DAEMON_NAME_TEXTBOX", "DAEMON_TERMINATE_BUTTON"},
                {"CLI Process:", "CLI_NAME_TEXTBOX", "CLI_TERMINATE_BUTTON"},
                {"EMAIL Process:", "PROCESS_TEXTBOX_4", "SENDEMAIL_TERMINATE_BUTTON"},
                {"Custom Process Name:", "CUSTOM_PROCESS_NAME_TEXTBOX", "CUSTOM_TERMINATE_BUTTON"}};
    int row = 0;
    for (const auto& r : rows) {
        grid->addWidget(new QLabel(r.caption), row, 0);
        grid->addWidget(control(r.box), row, 1);
        grid->addWidget(control(r.button), row, 2);
        ++row;
    }
    grid->setColumnStretch(1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(titles);
    layout->addLayout(grid);
    for (const char* name : {"WARNING_1_LABEL", "WARNING_2_LABEL", "WARNING_3_LABEL", "TERMINATOR_STATUS_LABEL"}) {
        auto* warning = control<QLabel>(name);
        warning->setWordWrap(true);
        warning->setAlignment(Qt::AlignCenter);
        layout->addWidget(warning);
    }
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(control("OK_BUTTON"));
    layout->addLayout(bottom);
    bindControls();
}

}  // namespace syncward
