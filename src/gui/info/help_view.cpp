#include "gui/info/help_view.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "core/info/help_window.h"
#include "gui/shell/title_font.h"

namespace syncward {

HelpView::HelpView(HelpWindow& model, QWidget* parent) : FormView(model, parent) {
    auto* layout = new QVBoxLayout(this);
    auto* title = titled(control<QLabel>("HELP_TITLE_LABEL"));
    title->setAlignment(Qt::AlignCenter);
    layout->addWidget(title);
    layout->addWidget(control("REGISTRY_LOCATION_LABEL"));
    layout->addWidget(control("REGISTRY_LOCATION_TEXTBOX"));
    for (Label* note : model.notes()) {
        auto* text = control<QLabel>(QString::fromStdString(note->name()));
        text->setWordWrap(true);
        layout->addWidget(text);
    }
    layout->addStretch(1);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(control("OK_BUTTON"));
    layout->addLayout(bottom);
    bindControls();
}

}  // namespace syncward
