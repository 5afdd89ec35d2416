#include "gui/shell/steady_box.h"

#include <QResizeEvent>

namespace syncward {

SteadyBox::SteadyBox(QWidget* held) : held_(held) {
    held_->setParent(this);
    setSizePolicy(held_->sizePolicy());
}

QSize SteadyBox::sizeHint() const { return held_->sizeHint(); }

QSize SteadyBox::minimumSizeHint() const { return held_->minimumSizeHint(); }

void SteadyBox::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    held_->setGeometry(rect());
}

}  // namespace syncward
