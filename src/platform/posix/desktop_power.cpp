#include "platform/posix/desktop_power.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QVariant>
#include <atomic>

#include "core/platform/power_refusal.h"

namespace syncward {

namespace {

// How a manager's call for one action is made: its method and arguments.
struct Call {
    const char* method = nullptr;  // none: the manager cannot do this action
    QVariantList arguments;
};

using CallFor = Call (*)(PowerAction);

Call gnomeCall(PowerAction action) {
    switch (action) {
        case PowerAction::Shutdown: return {"Shutdown", {}};
        case PowerAction::Restart: return {"Reboot", {}};
        case PowerAction::Logoff: return {"Logout", {QVariant::fromValue(1u)}};  // no confirmation
        case PowerAction::Hibernate: break;
    }
    return {};
}

Call kdeCall(PowerAction action) {
    switch (action) {
        case PowerAction::Shutdown: return {"logoutAndShutdown", {}};
        case PowerAction::Restart: return {"logoutAndReboot", {}};
        case PowerAction::Logoff: return {"logout", {}};
        case PowerAction::Hibernate: break;
    }
    return {};
}

// logout(confirm, type, mode): no confirmation (0); none (0) is a plain
// log-off, reboot 1, halt 2; mode 2 is "now, whoever else is logged in".
Call ksmserverCall(PowerAction action) {
    const auto logout = [](int type) { return Call{"logout", {0, type, 2}}; };
    switch (action) {
        case PowerAction::Shutdown: return logout(2);
        case PowerAction::Restart: return logout(1);
        case PowerAction::Logoff: return logout(0);
        case PowerAction::Hibernate: break;
    }
    return {};
}

// allow_save lets the user's own session setting decide whether the
// session is saved, as it does when they end it themselves.
Call xfceCall(PowerAction action) {
    switch (action) {
        case PowerAction::Shutdown: return {"Shutdown", {true}};
        case PowerAction::Restart: return {"Restart", {true}};
        case PowerAction::Hibernate: return {"Hibernate", {}};
        case PowerAction::Logoff: return {"Logout", {false, true}};  // no dialog
    }
    return {};
}

}  // namespace

struct DesktopPower::Manager {
    const char* route;
    const char* busName;
    const char* path;
    const char* interface;
    CallFor callFor;
};

namespace {

// In the order asked: Plasma still runs ksmserver beside its newer service.
const DesktopPower::Manager managers[] = {
    {"GNOME SESSION", "org.gnome.SessionManager", "/org/gnome/SessionManager", "org.gnome.SessionManager", gnomeCall},
    {"KDE SESSION", "org.kde.Shutdown", "/Shutdown", "org.kde.Shutdown", kdeCall},
    {"KDE SESSION", "org.kde.ksmserver", "/KSMServer", "org.kde.KSMServerInterface", ksmserverCall},
    {"XFCE SESSION", "org.xfce.SessionManager", "/org/xfce/SessionManager", "org.xfce.Session.Manager", xfceCall},
};

}  // namespace

DesktopPower::DesktopPower(const std::string& busAddress, int callLimitMs, int actionLimitMs)
    : callLimitMs_(callLimitMs), actionLimitMs_(actionLimitMs) {
    static std::atomic<int> connections{0};
    connection_ = "syncward-desktop-power-" + std::to_string(++connections);
    if (busAddress.empty()) return;
    const QDBusConnection bus =
        QDBusConnection::connectToBus(QString::fromStdString(busAddress), QString::fromStdString(connection_));
    connected_ = bus.isConnected();
}

DesktopPower::~DesktopPower() { QDBusConnection::disconnectFromBus(QString::fromStdString(connection_)); }

// Asked of the bus itself: calling an absent name could start a service.
const DesktopPower::Manager* DesktopPower::find() {
    if (!connected_) return nullptr;
    QDBusConnection bus(QString::fromStdString(connection_));
    for (const Manager& manager : managers) {
        QDBusMessage ask = QDBusMessage::createMethodCall(
            QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
            QStringLiteral("org.freedesktop.DBus"), QStringLiteral("NameHasOwner"));
        ask << QString::fromLatin1(manager.busName);
        const QDBusMessage reply = bus.call(ask, QDBus::Block, callLimitMs_);
        if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty() &&
            reply.arguments().first().toBool())
            return &manager;
    }
    return nullptr;
}

std::string DesktopPower::running() {
    const Manager* manager = find();
    return manager ? manager->route : std::string();
}

std::optional<PowerAnswer> DesktopPower::act(PowerAction action) {
    const Manager* manager = find();
    if (!manager) return std::nullopt;
    const Call call = manager->callFor(action);
    if (!call.method) return std::nullopt;
    QDBusMessage message = QDBusMessage::createMethodCall(manager->busName, manager->path, manager->interface,
                                                          QString::fromLatin1(call.method));
    message.setArguments(call.arguments);
    const QDBusMessage reply =
        QDBusConnection(QString::fromStdString(connection_)).call(message, QDBus::Block, actionLimitMs_);
    PowerAnswer answer{false, manager->route, {}};
    if (reply.type() == QDBusMessage::ReplyMessage)
        answer.taken = true;
    else if (reply.errorName() == QLatin1String("org.freedesktop.DBus.Error.NoReply"))
        answer.reason = "THE DESKTOP DID NOT ANSWER";
    else
        answer.reason = refusalReason(reply.errorMessage().isEmpty() ? reply.errorName().toStdString()
                                                                     : reply.errorMessage().toStdString());
    return answer;
}

}  // namespace syncward
