#include "platform/posix/desktop_inhibitors.h"

#include <sys/stat.h>

#include <QDBusConnection>
#include <QDBusMessage>
#include <QVariantMap>

namespace syncward {

namespace {

// How each service's Inhibit is asked.
enum class Api {
    GnomeSession,  // (app, toplevel xid, reason, flags)
    Cookie,        // (app, reason)
    Portal,        // (window, flags, options)
};

// The flags GNOME's session manager and the portal share.
constexpr std::uint32_t suspendAndIdle = 4 | 8;

// A desktop that does not answer must not hold the window for long.
constexpr int callLimitMs = 3000;

}  // namespace

struct DesktopInhibitors::Service {
    const char* name;  // as the notices say it
    const char* busName;
    const char* path;
    const char* interface;
    Api api;
};

namespace {

const DesktopInhibitors::Service services[] = {
    {"GNOME SESSION", "org.gnome.SessionManager", "/org/gnome/SessionManager", "org.gnome.SessionManager",
     Api::GnomeSession},
    {"POWER MANAGEMENT", "org.freedesktop.PowerManagement", "/org/freedesktop/PowerManagement/Inhibit",
     "org.freedesktop.PowerManagement.Inhibit", Api::Cookie},
    {"SCREENSAVER", "org.freedesktop.ScreenSaver", "/org/freedesktop/ScreenSaver", "org.freedesktop.ScreenSaver",
     Api::Cookie},
    {"PORTAL", "org.freedesktop.portal.Desktop", "/org/freedesktop/portal/desktop", "org.freedesktop.portal.Inhibit",
     Api::Portal},
};

// Asked of the bus itself with the same short limit as the calls; the
// connection's own helper for this waits up to 25 s on a bus that hangs.
bool nameHasOwner(QDBusConnection& bus, const char* busName) {
    QDBusMessage ask =
        QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
                                       QStringLiteral("org.freedesktop.DBus"), QStringLiteral("NameHasOwner"));
    ask << QString::fromLatin1(busName);
    const QDBusMessage reply = bus.call(ask, QDBus::Block, callLimitMs);
    return reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty() &&
           reply.arguments().first().toBool();
}

}  // namespace

std::string DesktopInhibitors::sessionBusAddress() {
    const QByteArray address = qgetenv("DBUS_SESSION_BUS_ADDRESS");
    if (!address.isEmpty()) return address.toStdString();
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    if (runtime.isEmpty()) return {};
    const std::string socket = runtime.toStdString() + "/bus";
    struct stat facts {};
    if (::stat(socket.c_str(), &facts) != 0 || !S_ISSOCK(facts.st_mode)) return {};
    return "unix:path=" + socket;
}

DesktopInhibitors::DesktopInhibitors(std::string busAddress, std::string copyName,
                                     std::function<std::uint32_t()> windowId)
    : busAddress_(std::move(busAddress)), copyName_(std::move(copyName)), windowId_(std::move(windowId)) {}

bool DesktopInhibitors::hold() {
    if (held()) return true;
    if (busAddress_.empty()) return false;
    connectionName_ = "syncward-desktop-inhibitors-" + std::to_string(++connections_);
    QDBusConnection bus =
        QDBusConnection::connectToBus(QString::fromStdString(busAddress_), QString::fromStdString(connectionName_));
    if (!bus.isConnected()) {
        QDBusConnection::disconnectFromBus(QString::fromStdString(connectionName_));
        return false;
    }
    const QString application = QString::fromStdString(copyName_);
    const QString reason = QStringLiteral("SYNCWARD %1: a crypto-currency node is synchronising").arg(application);
    const std::uint32_t window = windowId_ ? windowId_() : 0;
    for (const Service& service : services) {
        // Only what runs now: asking an absent name could start a service.
        if (!nameHasOwner(bus, service.busName)) continue;
        QDBusMessage call = QDBusMessage::createMethodCall(service.busName, service.path, service.interface, "Inhibit");
        switch (service.api) {
            case Api::GnomeSession: call << application << window << reason << suspendAndIdle; break;
            case Api::Cookie: call << application << reason; break;
            case Api::Portal:
                call << (window ? QStringLiteral("x11:%1").arg(window, 0, 16) : QString()) << suspendAndIdle
                     << QVariantMap{{QStringLiteral("reason"), reason}};
                break;
        }
        if (bus.call(call, QDBus::Block, callLimitMs).type() == QDBusMessage::ReplyMessage) taken_.push_back(&service);
    }
    if (taken_.empty()) QDBusConnection::disconnectFromBus(QString::fromStdString(connectionName_));
    return held();
}

// Closing the connection releases every inhibitor taken on it: each of
// these services drops what a client held when the client leaves the bus,
// which is also how a killed program's inhibitors end, so the one way out
// is the way that is tried each time. The services' own release calls are
// not used: XFCE 4.18's power manager aborts on UnInhibit.
void DesktopInhibitors::release() {
    if (taken_.empty()) return;
    taken_.clear();
    QDBusConnection::disconnectFromBus(QString::fromStdString(connectionName_));
}

std::vector<HeldInhibitor> DesktopInhibitors::holding() const {
    std::vector<HeldInhibitor> out;
    for (const Service* service : taken_) out.push_back({service->name, true});
    return out;
}

}  // namespace syncward
