#pragma once

#include <QFont>
#include <QLabel>

namespace syncward {

// A window's title words, larger and bold above its controls.
inline QLabel* titled(QLabel* label) {
    QFont font = label->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.4);
    label->setFont(font);
    return label;
}

}  // namespace syncward
