#include "gui/info/donations_view.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "core/info/donations_window.h"
#include "gui/shell/title_font.h"

namespace syncward {

DonationsView::DonationsView(DonationsWindow& model, QWidget* parent) : FormView(model, parent), model_(model) {
    auto* addresses = new QGridLayout;
    int row = 0;
    for (const DonationsWindow::Address& address : model.addresses()) {
        addresses->addWidget(new QLabel(address.coin), row, 0);
        auto* box = control<QLineEdit>(QString::fromStdString(address.box->name()));
        box->installEventFilter(this);
        addresses->addWidget(box, row, 1);
        ++row;
    }
    addresses->setColumnStretch(1, 1);

    auto* message = control<QLineEdit>("THANKS_DONATIONS_MESSAGE_TEXTBOX");
    message->setAlignment(Qt::AlignCenter);
    QFont bold = message->font();
    bold.setBold(true);
    message->setFont(bold);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(message);
    for (const char* name : {"COPY_NOTE_LABEL", "THANKS_LABEL"}) {
        auto* note = control<QLabel>(name);
        note->setAlignment(Qt::AlignCenter);
        layout->addWidget(note);
    }
    layout->addLayout(addresses);
    for (const char* name : {"CREATOR_LABEL", "WEB_ADDRESS_LABEL"}) {
        auto* line = control<QLabel>(name);
        line->setAlignment(Qt::AlignCenter);
        layout->addWidget(line);
    }
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(control("OK_BUTTON"));
    layout->addLayout(bottom);
    bindControls();
}

bool DonationsView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut)
        if (auto* box = dynamic_cast<TextBox*>(model_.control(watched->objectName().toStdString())))
            model_.addressLeft(*box);
    return FormView::eventFilter(watched, event);
}

}  // namespace syncward
