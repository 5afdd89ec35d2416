#include "gui/confgen/coin_presets_view.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "core/confgen/coin_presets_window.h"

namespace syncward {

CoinPresetsView::CoinPresetsView(CoinPresetsWindow& model, QWidget* parent) : FormView(model, parent) {
    auto* basic = new QHBoxLayout;
    basic->addWidget(control("IMPORT_SETTINGS_TICKBOX"));
    basic->addStretch(1);
    basic->addWidget(control("DO_THIS_FIRST_LABEL"));
    basic->addWidget(control("BASIC_SETTINGS_BUTTON"));

    // One row of coin buttons, as many as the catalogue has coins.
    auto* coins = new QGridLayout;
    int index = 0;
    for (const Button* button : model.coinButtons()) {
        coins->addWidget(control(QString::fromStdString(button->name())), 0, index);
        ++index;
    }
    auto* note = multiline("BTC_BTG_RPC_NOTE_TEXTBOX");
    // The two lines of the note whole, without scroll bars.
    note->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    note->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    note->setFixedHeight(2 * note->fontMetrics().lineSpacing() +
                         2 * static_cast<int>(note->document()->documentMargin()) + 2 * note->frameWidth() + 2);

    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(control("CANCEL_BUTTON"));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(basic);
    layout->addLayout(coins);
    layout->addWidget(note);
    layout->addLayout(bottom);
    bindControls();
}

}  // namespace syncward
