#include "platform/posix/login1_power.h"

#include <unistd.h>

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <atomic>

#include "core/platform/power_refusal.h"

namespace syncward {

namespace {

const QString login1 = QStringLiteral("org.freedesktop.login1");
const QString login1Path = QStringLiteral("/org/freedesktop/login1");
const QString login1Manager = QStringLiteral("org.freedesktop.login1.Manager");

QDBusMessage managerCall(const char* method) {
    return QDBusMessage::createMethodCall(login1, login1Path, login1Manager, QString::fromLatin1(method));
}

bool answered(const QDBusMessage& reply) { return reply.type() == QDBusMessage::ReplyMessage; }

// An error reply as refusalReason reads it: the message first (its first
// line is what is shown when the refusal is not a well-known one), the
// error's name after it, which the well-known refusals are recognised by.
std::string errorText(const QDBusMessage& reply) {
    const std::string name = reply.errorName().toStdString();
    const std::string message = reply.errorMessage().toStdString();
    return message.empty() ? name : message + "\n" + name;
}

}  // namespace

std::string login1Question(PowerAction action) {
    switch (action) {
        case PowerAction::Shutdown: return "CanPowerOff";
        case PowerAction::Restart: return "CanReboot";
        case PowerAction::Hibernate: return "CanHibernate";
        case PowerAction::Logoff: break;
    }
    return {};
}

std::string login1PolkitAction(PowerAction action) {
    switch (action) {
        case PowerAction::Shutdown: return "org.freedesktop.login1.power-off";
        case PowerAction::Restart: return "org.freedesktop.login1.reboot";
        case PowerAction::Hibernate: return "org.freedesktop.login1.hibernate";
        case PowerAction::Logoff: break;
    }
    return {};
}

Login1Power::Login1Power(const std::string& busAddress, int callLimitMs, int actionLimitMs)
    : callLimitMs_(callLimitMs), actionLimitMs_(actionLimitMs) {
    static std::atomic<int> connections{0};
    connection_ = "syncward-login1-power-" + std::to_string(++connections);
    const QDBusConnection bus =
        QDBusConnection::connectToBus(QString::fromStdString(busAddress), QString::fromStdString(connection_));
    connected_ = bus.isConnected();
}

Login1Power::~Login1Power() { QDBusConnection::disconnectFromBus(QString::fromStdString(connection_)); }

bool Login1Power::present() {
    if (!connected_) return false;
    QDBusMessage ask = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.DBus"),
                                                      QStringLiteral("/org/freedesktop/DBus"),
                                                      QStringLiteral("org.freedesktop.DBus"), QStringLiteral("NameHasOwner"));
    ask << login1;
    const QDBusMessage reply =
        QDBusConnection(QString::fromStdString(connection_)).call(ask, QDBus::Block, callLimitMs_);
    return answered(reply) && !reply.arguments().isEmpty() && reply.arguments().first().toBool();
}

std::optional<std::string> Login1Power::can(PowerAction action) {
    const std::string question = login1Question(action);
    if (!connected_ || question.empty()) return std::nullopt;
    const QDBusMessage reply = QDBusConnection(QString::fromStdString(connection_))
                                   .call(managerCall(question.c_str()), QDBus::Block, callLimitMs_);
    if (!answered(reply) || reply.arguments().isEmpty()) return std::nullopt;
    return reply.arguments().first().toString().toStdString();
}

PowerAnswer Login1Power::act(PowerAction action) {
    PowerAnswer answer{false, route, {}};
    QDBusMessage call;
    switch (action) {
        case PowerAction::Shutdown: call = managerCall("PowerOff"); break;
        case PowerAction::Restart: call = managerCall("Reboot"); break;
        case PowerAction::Hibernate: call = managerCall("Hibernate"); break;
        case PowerAction::Logoff:
            // A user may end their own sessions without a password.
            call = managerCall("TerminateUser");
            call << static_cast<uint>(::getuid());
            break;
    }
    if (action != PowerAction::Logoff) call << false;  // never ask for a password: nobody may be there
    const QDBusMessage reply =
        QDBusConnection(QString::fromStdString(connection_)).call(call, QDBus::Block, actionLimitMs_);
    if (answered(reply))
        answer.taken = true;
    else if (reply.errorName() == QLatin1String("org.freedesktop.DBus.Error.NoReply"))
        answer.reason = "THE LOGIN MANAGER DID NOT ANSWER";
    else
        answer.reason = refusalReason(errorText(reply));
    return answer;
}

std::optional<bool> Login1Power::inSession() {
    if (!connected_) return std::nullopt;
    QDBusMessage ask = managerCall("GetSessionByPID");
    ask << static_cast<uint>(::getpid());
    const QDBusMessage reply =
        QDBusConnection(QString::fromStdString(connection_)).call(ask, QDBus::Block, callLimitMs_);
    if (answered(reply)) return true;
    if (reply.errorName() == QLatin1String("org.freedesktop.login1.NoSessionForPID")) return false;
    return std::nullopt;
}

std::optional<unsigned> Login1Power::implicitForAny(const std::string& polkitAction) {
    if (!connected_) return std::nullopt;
    QDBusMessage ask = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.PolicyKit1"), QStringLiteral("/org/freedesktop/PolicyKit1/Authority"),
        QStringLiteral("org.freedesktop.PolicyKit1.Authority"), QStringLiteral("EnumerateActions"));
    ask << QString();
    const QDBusMessage reply =
        QDBusConnection(QString::fromStdString(connection_)).call(ask, QDBus::Block, callLimitMs_);
    if (!answered(reply) || reply.arguments().isEmpty()) return std::nullopt;
    // a(ssssssuuua{ss}): the id, five texts, then the implicit
    // authorisations for any process, an inactive and an active session.
    const QDBusArgument list = reply.arguments().first().value<QDBusArgument>();
    std::optional<unsigned> found;
    list.beginArray();
    while (!list.atEnd()) {
        QString id, text;
        uint any = 0, inactive = 0, active = 0;
        QMap<QString, QString> annotations;
        list.beginStructure();
        list >> id;
        for (int i = 0; i < 5; ++i) list >> text;
        list >> any >> inactive >> active >> annotations;
        list.endStructure();
        if (id.toStdString() == polkitAction) found = any;
    }
    list.endArray();
    return found;
}

}  // namespace syncward
