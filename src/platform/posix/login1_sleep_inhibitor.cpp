#include "platform/posix/login1_sleep_inhibitor.h"

#include <fcntl.h>
#include <unistd.h>

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDBusUnixFileDescriptor>

namespace syncward {

std::string Login1SleepInhibitor::systemBusAddress() {
    const QByteArray address = qgetenv("DBUS_SYSTEM_BUS_ADDRESS");
    return address.isEmpty() ? "unix:path=/run/dbus/system_bus_socket" : address.toStdString();
}

bool Login1SleepInhibitor::hold() {
    if (held()) return true;
    // A connection of our own for the one call: the descriptor outlives it.
    const QString name = QStringLiteral("syncward-inhibitor-%1").arg(++connections_);
    bool ok = false;
    {
        QDBusConnection bus = QDBusConnection::connectToBus(QString::fromStdString(busAddress_), name);
        if (bus.isConnected()) {
            QDBusMessage call =
                QDBusMessage::createMethodCall("org.freedesktop.login1", "/org/freedesktop/login1",
                                               "org.freedesktop.login1.Manager", "Inhibit");
            call << QStringLiteral("sleep:idle") << QStringLiteral("SYNCWARD")
                 << QStringLiteral("A crypto-currency node is synchronising") << QStringLiteral("block");
            const QDBusReply<QDBusUnixFileDescriptor> reply = bus.call(call, QDBus::Block, 5000);
            if (reply.isValid() && reply.value().isValid()) {
                // Programs the run starts must not inherit the lock.
                descriptor_ = ::fcntl(reply.value().fileDescriptor(), F_DUPFD_CLOEXEC, 3);
                ok = descriptor_ >= 0;
            }
        }
    }
    QDBusConnection::disconnectFromBus(name);
    return ok;
}

std::vector<HeldInhibitor> Login1SleepInhibitor::holding() const {
    if (!held()) return {};
    return {{"LOGIND", false}};
}

void Login1SleepInhibitor::release() {
    if (descriptor_ < 0) return;
    ::close(descriptor_);
    descriptor_ = -1;
}

}  // namespace syncward
