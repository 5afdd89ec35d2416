#include "gui/processes/manual_run_view.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "core/processes/manual_run_window.h"
#include "gui/shell/title_font.h"

namespace syncward {

ManualRunView::ManualRunView(ManualRunWindow& model, QWidget* parent) : FormView(model, parent) {
    auto* titles = new QHBoxLayout;
    titles->addWidget(titled(control<QLabel>("QV_SYNCWARD_TITLE_LABEL")));
    titles->addStretch(1);
    titles->addWidget(titled(control<QLabel>("MANUAL_RUN_LABEL")));

    auto* grid = new QGridLayout;
    for (int n = 1; n <= 4; ++n) {
        auto* box = control<QLineEdit>(QString("PROCESS_TEXTBOX_%1").arg(n));
        box->setAlignment(Qt::AlignCenter);
        grid->addWidget(box, 0, n - 1);
    }
    grid->addWidget(control("QT_START_BUTTON"), 1, 0);
    grid->addWidget(control("DAEMON_START_BUTTON"), 1, 1);
    grid->addWidget(control("CLI_STOP_BUTTON"), 1, 2);
    grid->addWidget(control("OK_BUTTON"), 1, 3);

    auto* status = control<QLabel>("MANUAL_RUN_STATUS_LABEL");
    status->setWordWrap(true);
    status->setAlignment(Qt::AlignCenter);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(titles);
    layout->addLayout(grid);
    layout->addWidget(status);
    bindControls();
}

}  // namespace syncward
