#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QWidget>

namespace syncward {

// The width a window needs for its caption in the title bar the window
// manager draws: the caption in a bold face, as most draw it, beside the
// window's icon and its three buttons. The power windows are small, and
// their captions long.
inline int captionRoom(const QWidget& window) {
    QFont bold = window.font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    return metrics.horizontalAdvance(window.windowTitle()) + 3 * (metrics.height() + 16);
}

}  // namespace syncward
