#include "e2e/desktop_session.h"

#include <unistd.h>

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusReply>
#include <filesystem>
#include <fstream>

#include "platform/background_process.h"
#include "platform/launch_support.h"
#include "platform/qt_application.h"

namespace syncward::testing {

namespace {

// A bus like the session's, but with no services to start on demand, so
// that only what the test runs is on it.
void writeBusConfig(const std::string& path, const std::string& socket) {
    std::ofstream(path) << "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
                           " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
                           "<busconfig><type>session</type><listen>unix:path="
                        << socket
                        << "</listen><auth>EXTERNAL</auth>\n"
                           "<policy context=\"default\"><allow send_destination=\"*\" eavesdrop=\"true\"/>"
                           "<allow eavesdrop=\"true\"/><allow own=\"*\"/></policy></busconfig>\n";
}

bool onPath(const std::string& program) {
    return std::system(("command -v " + program + " >/dev/null 2>&1").c_str()) == 0;
}

const char* serviceOf(DesktopSession::Desktop desktop) {
    return desktop == DesktopSession::Desktop::Gnome ? "org.gnome.SessionManager" : "org.freedesktop.PowerManagement";
}

QDBusConnection connectionTo(const std::string& address) {
    ensureQtApplication();
    const QString name = QString::fromStdString("desktop-session-test-" + address);
    return QDBusConnection::connectToBus(QString::fromStdString(address), name);
}

}  // namespace

bool DesktopSession::installed(Desktop desktop) {
    const bool base = onPath("Xvfb") && onPath("dbus-daemon") && ::access("/usr/bin/python3", X_OK) == 0;
    if (desktop == Desktop::Gnome) return base && onPath("gnome-session");
    if (desktop == Desktop::Xfce) return base && onPath("xfce4-power-manager");
    return base;
}

bool DesktopSession::startBus(const std::string& name, std::unique_ptr<BackgroundProcess>& bus,
                              std::string& address) {
    writeBusConfig(dir_ / (name + ".conf"), dir_ / name);
    bus = std::make_unique<BackgroundProcess>(std::vector<std::string>{
        "dbus-daemon", "--config-file=" + dir_ / (name + ".conf"), "--nofork", "--print-address=1"});
    const auto line = bus->readLine();
    if (!line) problem_ = "the " + name + " bus did not start";
    address = line.value_or("");
    return line.has_value();
}

DesktopSession::DesktopSession(Desktop desktop) : desktop_(desktop) {
    xserver_ = std::make_unique<BackgroundProcess>(
        std::vector<std::string>{"Xvfb", "-displayfd", "1", "-nolisten", "tcp", "-screen", "0", "1024x768x24"});
    const auto number = xserver_->readLine();
    if (!number) {
        problem_ = "Xvfb did not start";
        return;
    }
    display_ = ":" + *number;
    if (!startBus("system", systemBusDaemon_, systemBus_) || !startBus("session", sessionBusDaemon_, sessionBus_))
        return;

    login_ = std::make_unique<BackgroundProcess>(std::vector<std::string>{
        "/usr/bin/python3", SYNCWARD_TESTS_DIR "/platform/login1_standin.py", systemBus_, dir_ / "login1.log"});
    if (!eventually([&] { return slurp(dir_ / "login1.log").value_or("").find("ready") != std::string::npos; })) {
        problem_ = "the stand-in login manager did not start";
        return;
    }
    if (desktop == Desktop::None) return;

    // The desktop's own settings and autostart folders are the test's: no
    // other component of a real desktop comes up with it.
    std::filesystem::create_directories(dir_ / "data/gnome-session/sessions");
    std::filesystem::create_directories(dir_ / "xdg");
    std::ofstream(dir_ / "data/gnome-session/sessions/syncward-test.session")
        << "[GNOME Session]\nName=SYNCWARD test\nRequiredComponents=\n";
    std::vector<std::string> argv{"env",
                                  "DISPLAY=" + display_,
                                  "DBUS_SESSION_BUS_ADDRESS=" + sessionBus_,
                                  "DBUS_SYSTEM_BUS_ADDRESS=" + systemBus_,
                                  "XDG_DATA_DIRS=" + dir_ / "data" + ":/usr/share",
                                  "XDG_CONFIG_DIRS=" + dir_ / "xdg",
                                  "XDG_CONFIG_HOME=" + dir_ / "config",
                                  "XDG_RUNTIME_DIR=" + dir_.path()};
    if (desktop == Desktop::Gnome) {
        argv.insert(argv.end(), {"gnome-session", "--builtin", "--session=syncward-test"});
    } else {
        argv.insert(argv.end(), {"LD_PRELOAD=" SYNCWARD_DPMS_DISPLAY, "xfce4-power-manager", "--no-daemon"});
    }
    desktopService_ = std::make_unique<BackgroundProcess>(argv);
    // Its name comes on the bus a moment before its inhibitor object does.
    if (!eventually([&] { return desktopInhibited().has_value(); }, 30000))
        problem_ = std::string(serviceOf(desktop)) + " did not answer on the session bus";
}

DesktopSession::~DesktopSession() = default;

ProgramRun::Environment DesktopSession::environment() const {
    return {{"DBUS_SESSION_BUS_ADDRESS", sessionBus_}, {"DBUS_SYSTEM_BUS_ADDRESS", systemBus_}};
}

std::optional<bool> DesktopSession::desktopInhibited() const {
    QDBusConnection bus = connectionTo(sessionBus_);
    QDBusMessage call;
    if (desktop_ == Desktop::Gnome) {
        call = QDBusMessage::createMethodCall("org.gnome.SessionManager", "/org/gnome/SessionManager",
                                              "org.gnome.SessionManager", "IsInhibited");
        call << 12u;  // suspend and idle
    } else if (desktop_ == Desktop::Xfce) {
        call = QDBusMessage::createMethodCall("org.freedesktop.PowerManagement",
                                              "/org/freedesktop/PowerManagement/Inhibit",
                                              "org.freedesktop.PowerManagement.Inhibit", "HasInhibit");
    } else {
        return std::nullopt;
    }
    const QDBusReply<bool> reply = bus.call(call, QDBus::Block, 5000);
    if (!reply.isValid()) return std::nullopt;
    return reply.value();
}

bool DesktopSession::loginLockTaken() const {
    return slurp(dir_ / "login1.log").value_or("").find("taken sleep:idle") != std::string::npos;
}

bool DesktopSession::loginLockReleased() const {
    return slurp(dir_ / "login1.log").value_or("").find("released") != std::string::npos;
}

}  // namespace syncward::testing
