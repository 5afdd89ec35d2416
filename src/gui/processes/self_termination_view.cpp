#include "gui/processes/self_termination_view.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "core/processes/self_termination_window.h"
#include "gui/shell/title_font.h"

namespace syncward {

SelfTerminationView::SelfTerminationView(SelfTerminationWindow& model, QWidget* parent) : FormView(model, parent) {
    auto* titles = new QHBoxLayout;
    titles->addWidget(titled(control<QLabel>("SYNCWARD_TITLE_LABEL")));
    titles->addStretch(1);
    titles->addWidget(titled(control<QLabel>("SELF_TERMINATION_LABEL")));

    auto* message = control<QLineEdit>("HA_HA_MESSAGE_TEXTBOX");
    message->setAlignment(Qt::AlignCenter);

    auto* answers = new QHBoxLayout;
    answers->addWidget(control("SELF_TERMINATE_BUTTON"));
    answers->addWidget(control("ONLY_JOKING_BUTTON"));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(titles);
    layout->addWidget(message);
    layout->addLayout(answers);
    bindControls();
}

}  // namespace syncward
