#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QDBusMessage>
#include <filesystem>

#include "platform/posix/session_power_switch.h"
#include "power_buses.h"
#include "qt_application.h"
#include "support/fake_platform.h"

namespace syncward::testing {
namespace {

bool onPath(const std::string& program) {
    return std::system(("command -v " + program + " >/dev/null 2>&1").c_str()) == 0;
}

// The real GNOME session manager (gnome-session --builtin, no other part of
// GNOME) on an X server and buses of the test's own, with the stand-in
// login manager on the system bus. GNOME Shell, which would show the
// end-session dialog, does not run: the user's setting that skips it is
// set in the session's own settings file.
class GnomeSessionPower : public ::testing::Test {
protected:
    void SetUp() override {
        if (!powerPeersInstalled() || !onPath("gnome-session") || !onPath("Xvfb"))
            GTEST_SKIP() << "gnome-session, Xvfb, dbus-daemon or python3-dbus is not installed";
        ensureQtApplication();
        ASSERT_FALSE(system_.address().empty() || session_.address().empty()) << "the private buses did not start";
        xserver_ = std::make_unique<BackgroundProcess>(
            std::vector<std::string>{"Xvfb", "-displayfd", "1", "-nolisten", "tcp", "-screen", "0", "800x600x24"});
        const auto display = xserver_->readLine();
        ASSERT_TRUE(display) << "Xvfb did not start";
        display_ = ":" + *display;
    }

    void startSession(const std::string& loginManagerAct) {
        login_ = std::make_unique<StandIn>("login1_standin.py",
                                           std::vector<std::string>{system_.address(), dir_ / "login1.log",
                                                                    "act=" + loginManagerAct},
                                           dir_ / "login1.log");
        ASSERT_TRUE(login_->ready()) << "the stand-in login manager did not start";
        namespace fs = std::filesystem;
        fs::create_directories(dir_ / "data/gnome-session/sessions");
        fs::create_directories(dir_ / "config/glib-2.0/settings");
        fs::create_directories(dir_ / "xdg");
        writeFile(dir_ / "data/gnome-session/sessions/syncward-test.session",
                  "[GNOME Session]\nName=SYNCWARD test\nRequiredComponents=\n");
        writeFile(dir_ / "config/glib-2.0/settings/keyfile", "[org/gnome/gnome-session]\nlogout-prompt=false\n");
        gnome_ = std::make_unique<BackgroundProcess>(std::vector<std::string>{
            "env", "DISPLAY=" + display_, "GSETTINGS_BACKEND=keyfile", "DBUS_SESSION_BUS_ADDRESS=" + session_.address(),
            "DBUS_SYSTEM_BUS_ADDRESS=" + system_.address(), "XDG_DATA_DIRS=" + dir_ / "data" + ":/usr/share",
            "XDG_CONFIG_DIRS=" + dir_ / "xdg", "XDG_CONFIG_HOME=" + dir_ / "config", "XDG_RUNTIME_DIR=" + dir_.path(),
            "gnome-session", "--builtin", "--session=syncward-test"});
        // Its power calls answer only once its start-up phases are over.
        ASSERT_TRUE(eventually([&] { return sessionRunning(); }, 30000)) << "gnome-session did not come up";
    }

    bool sessionRunning() {
        const QString name = QStringLiteral("gnome-session-power-test");
        QDBusMessage reply;
        {
            QDBusConnection bus = QDBusConnection::connectToBus(QString::fromStdString(session_.address()), name);
            reply = bus.call(QDBusMessage::createMethodCall("org.gnome.SessionManager", "/org/gnome/SessionManager",
                                                            "org.gnome.SessionManager", "IsSessionRunning"),
                             QDBus::Block, 2000);
        }
        QDBusConnection::disconnectFromBus(name);  // the next test has buses of its own
        return reply.type() == QDBusMessage::ReplyMessage && reply.arguments().value(0).toBool();
    }

    PowerAnswer ask(PowerAction action) {
        const std::string sessionBus = session_.address(), systemBus = system_.address();
        SessionPowerSwitch power(
            loop_, probe_, profile_, environment_,
            SessionPowerSwitch::Buses{[sessionBus] { return sessionBus; }, [systemBus] { return systemBus; }},
            SessionPowerSwitch::RuleFiles{}, SessionPowerSwitch::Limits{5000, 20000, 30000, 60000});
        return requestThrough(power, loop_, action).value_or(PowerAnswer{false, "NONE", "NO ANSWER"});
    }

    TempDir dir_;
    PrivateBus system_{dir_.path(), "system"};
    PrivateBus session_{dir_.path(), "session"};
    std::unique_ptr<BackgroundProcess> xserver_, gnome_;
    std::unique_ptr<StandIn> login_;
    std::string display_;
    PostedLoop loop_;
    FakeSetupProbe probe_;
    FakeEnvironment environment_;
    PlatformProfile profile_ = PlatformProfile::posix("/home/satoshi");
};

// The session manager ends the session and asks the login manager itself,
// from inside the session, where the system allows it.
TEST_F(GnomeSessionPower, ShutdownGoesThroughTheSessionManagerWhichAsksTheLoginManagerItself) {
    startSession("allow");
    const PowerAnswer answer = ask(PowerAction::Shutdown);
    EXPECT_TRUE(answer.taken) << answer.reason;
    EXPECT_EQ(answer.route, "GNOME SESSION");
    EXPECT_TRUE(login_->has("PowerOff interactive=True by gnome-session-b\ndone\n")) << login_->log();
    EXPECT_FALSE(login_->has("interactive=False")) << "asked twice:\n" << login_->log();
}

// GNOME cancels the end of its session when the login manager says no,
// and says so; the login manager, asked next, says no as well, and its
// reason is the answer.
TEST_F(GnomeSessionPower, ARefusalBehindTheSessionManagerIsToldNotTakenForDone) {
    startSession("refuse");
    const PowerAnswer answer = ask(PowerAction::Restart);
    EXPECT_FALSE(answer.taken);
    EXPECT_EQ(answer.route, "LOGIN MANAGER");
    EXPECT_EQ(answer.reason, "NOT ALLOWED OUTSIDE A DESKTOP SESSION");
    EXPECT_TRUE(login_->has("Reboot interactive=True by gnome-session-b")) << login_->log();
    EXPECT_TRUE(login_->has("Reboot interactive=False")) << login_->log();
    EXPECT_TRUE(sessionRunning()) << "the session ended although nothing was allowed";
}

// GNOME's session manager has no hibernation: the login manager is asked.
TEST_F(GnomeSessionPower, HibernationIsAskedOfTheLoginManager) {
    startSession("allow");
    const PowerAnswer answer = ask(PowerAction::Hibernate);
    EXPECT_TRUE(answer.taken) << answer.reason;
    EXPECT_EQ(answer.route, "LOGIN MANAGER");
    EXPECT_TRUE(login_->has("Hibernate interactive=False")) << login_->log();
    EXPECT_TRUE(sessionRunning());
}

}  // namespace
}  // namespace syncward::testing
