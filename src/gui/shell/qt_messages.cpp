#include "gui/shell/qt_messages.h"

#include <QString>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>

namespace syncward {

namespace {

QtMessageHandler previousHandler = nullptr;

void filteredMessage(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtWarningMsg && message.startsWith(QLatin1String("This plugin does not support "))) return;
    if (previousHandler) {
        previousHandler(type, context, message);
        return;
    }
    std::fprintf(stderr, "%s\n", qFormatLogMessage(type, context, message).toLocal8Bit().constData());
    if (type == QtFatalMsg) std::abort();
}

}  // namespace

void keepStandardErrorForTheUser() {
    const QtMessageHandler previous = qInstallMessageHandler(filteredMessage);
    if (previous != filteredMessage) previousHandler = previous;
}

}  // namespace syncward
