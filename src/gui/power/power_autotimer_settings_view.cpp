#include "gui/power/power_autotimer_settings_view.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "core/power/power_autotimer_settings.h"
#include "gui/power/caption_room.h"

namespace syncward {

PowerAutotimerSettingsView::PowerAutotimerSettingsView(PowerAutotimerSettings& model, QWidget* parent)
    : FormView(model, parent) {
    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel("END RUN ACTION:"), 0, 0);
    fields->addWidget(control("AUTOTIMER_ACTION_TEXTBOX"), 0, 1, 1, 2);

    auto* units = new QLabel("Hour   Min   Secs");
    units->setAlignment(Qt::AlignCenter);
    fields->addWidget(units, 1, 1);
    fields->addWidget(new QLabel("COUNTDOWN START:"), 2, 0);
    auto* start = control<QLineEdit>("CLOSE_REQUEST_COUNTDOWN_TEXTBOX");
    start->setAlignment(Qt::AlignCenter);
    fields->addWidget(start, 2, 1);
    fields->addWidget(new QLabel("END = 00:00:00"), 2, 2);

    auto* actions = new QGroupBox("POWER ACTION");
    auto* ticks = new QGridLayout(actions);
    ticks->addWidget(control("SHUTDOWN_TICKBOX"), 0, 0);
    ticks->addWidget(control("RESTART_TICKBOX"), 0, 1);
    ticks->addWidget(control("HIBERNATE_TICKBOX"), 1, 0);
    ticks->addWidget(control("LOGOFF_TICKBOX"), 1, 1);

    auto* status = control<QLabel>("AUTOTIMER_SETTINGS_STATUS_LABEL");
    status->setWordWrap(true);
    status->setAlignment(Qt::AlignCenter);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(control("OK_BUTTON"));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(actions);
    layout->addStretch(1);
    layout->addWidget(status);
    layout->addLayout(bottom);
    layout->addStrut(captionRoom(*this));
    bindControls();
}

}  // namespace syncward
