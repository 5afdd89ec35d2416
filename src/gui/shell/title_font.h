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

// A window's heading line: bold, centred, at the text's own size.
inline QLabel* heading(const char* text) {
    auto* label = new QLabel(text);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

}  // namespace syncward
