#include "gui/info/box_info_view.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "core/info/box_info_window.h"
#include "gui/shell/title_font.h"

namespace syncward {

BoxInfoView::BoxInfoView(BoxInfoWindow& model, QWidget* parent) : FormView(model, parent) {
    auto* layout = new QVBoxLayout(this);
    auto* title = titled(control<QLabel>("BOX_INFO_LABEL"));
    title->setAlignment(Qt::AlignCenter);
    layout->addWidget(title);
    layout->addWidget(control("PC_NAME_TEXTBOX"));
    layout->addWidget(control("USERNAME_TEXTBOX"));
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(control("OK_BUTTON"));
    layout->addLayout(bottom);
    bindControls();
}

}  // namespace syncward
