#include "gui/power/power_autotimer_window_view.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "core/power/power_autotimer_window.h"
#include "gui/power/caption_room.h"

namespace syncward {

PowerAutotimerWindowView::PowerAutotimerWindowView(PowerAutotimerWindow& model, QWidget* parent)
    : FormView(model, parent) {
    auto* time = new QGridLayout;
    int column = 0;
    for (const char* unit : {"Hours", "Minutes", "Seconds"}) {
        auto* label = new QLabel(unit);
        label->setAlignment(Qt::AlignCenter);
        time->addWidget(label, 0, column++);
    }
    auto* remaining = control<QLineEdit>("CLOSE_REQUEST_COUNTDOWN_TEXTBOX");
    remaining->setAlignment(Qt::AlignCenter);
    QFont large = remaining->font();
    large.setPointSizeF(large.pointSizeF() * 2);
    large.setBold(true);
    remaining->setFont(large);
    time->addWidget(remaining, 1, 0, 1, 3);

    auto* action = control<QLineEdit>("AUTOTIMER_ACTION_TEXTBOX");
    action->setAlignment(Qt::AlignCenter);
    auto* status = control<QLabel>("AUTOTIMER_TITLE_LABEL");
    status->setAlignment(Qt::AlignCenter);
    status->setWordWrap(true);
    // Room for a message that wraps onto a second line in this narrow window.
    status->setMinimumHeight(2 * status->fontMetrics().lineSpacing() + 4);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(time);
    layout->addWidget(action);
    layout->addWidget(status);
    layout->addStretch(1);
    layout->addWidget(control("START_STOP_BUTTON"));
    layout->addStrut(captionRoom(*this));
    bindControls();
}

}  // namespace syncward
