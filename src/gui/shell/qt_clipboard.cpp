#include "gui/shell/qt_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace syncward {

void QtClipboard::setText(const std::string& text) {
    if (QClipboard* clipboard = QGuiApplication::clipboard()) clipboard->setText(QString::fromStdString(text));
}

}  // namespace syncward
