#include <gtest/gtest.h>

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDBusConnection>
#include <QDBusMessage>
#include <cstdio>
#include <filesystem>

#include "power_buses.h"
#include "qt_application.h"

namespace syncward::testing {
namespace {

constexpr const char* group = "syncward-power";
constexpr const char* polkitd = "/usr/lib/polkit-1/polkitd";

// The real polkitd decides for the stand-in login manager, on a private
// system bus, with the packaged rule as the only local rule: it runs in a
// mount namespace of its own, with a folder of the test bound over the
// local rules folder, so the machine's polkit and rules stay untouched.
// Nobody here is in a login session, so polkit answers as it does for a
// job started by cron. The requests come from scratch users (polkit
// allows root everything), one of them in the rule's group.
class PolkitDecides : public ::testing::Test {
protected:
    void SetUp() override {
        if (::geteuid() != 0) GTEST_SKIP() << "only root can make users and a mount namespace";
        if (::access(polkitd, X_OK) != 0 || ::access("/usr/bin/setpriv", X_OK) != 0 || !powerPeersInstalled())
            GTEST_SKIP() << "polkitd (package polkitd), setpriv, dbus-daemon or python3-dbus is not installed";
        ensureQtApplication();
        ::chmod(dir_.path().c_str(), 0755);  // the scratch users reach the bus's socket
        system_ = std::make_unique<PrivateBus>(dir_.path(), "system", true);
        ASSERT_FALSE(system_->address().empty()) << "the private system bus did not start";
        std::filesystem::create_directories(dir_ / "rules");
        std::filesystem::copy_file(SYNCWARD_POLKIT_RULE, dir_ / "rules/60-syncward-power.rules");
        polkit_ = std::make_unique<BackgroundProcess>(std::vector<std::string>{
            "unshare", "--mount", "--propagation", "private", "sh", "-c",
            "mount --bind \"$0\" /etc/polkit-1/rules.d && DBUS_SYSTEM_BUS_ADDRESS=\"$1\" exec \"$2\" --no-debug",
            dir_ / "rules", system_->address(), polkitd});
        ASSERT_TRUE(eventually([&] { return polkitOnBus(); }, 20000))
            << "polkitd did not come up in a mount namespace of its own";
        login_ = std::make_unique<StandIn>(
            "login1_standin.py", std::vector<std::string>{system_->address(), dir_ / "login1.log", "act=polkit"},
            dir_ / "login1.log");
        ASSERT_TRUE(login_->ready()) << "the stand-in login manager did not start";
        makeUsers();
    }
    void TearDown() override {
        for (const std::string& user : users_) std::system(("userdel " + user + " 2>/dev/null").c_str());
        if (madeGroup_) std::system((std::string("groupdel ") + group + " 2>/dev/null").c_str());
    }

    void makeUsers() {
        if (!::getgrnam(group)) {
            ASSERT_EQ(std::system((std::string("groupadd --system ") + group).c_str()), 0);
            madeGroup_ = true;
        }
        const std::string base = "swpow" + std::to_string(::getpid() % 100000);
        member_ = base + "m";
        other_ = base + "o";
        for (const std::string& user : {member_, other_}) {
            const std::string groups = user == member_ ? std::string(" -G ") + group : "";
            ASSERT_EQ(std::system(("useradd --no-create-home --shell /usr/sbin/nologin" + groups + " " + user).c_str()),
                      0);
            users_.push_back(user);
        }
    }

    bool polkitOnBus() {
        const QString name = QStringLiteral("polkit-power-test");
        QDBusMessage reply;
        {
            QDBusConnection bus = QDBusConnection::connectToBus(QString::fromStdString(system_->address()), name);
            QDBusMessage ask = QDBusMessage::createMethodCall("org.freedesktop.DBus", "/org/freedesktop/DBus",
                                                              "org.freedesktop.DBus", "NameHasOwner");
            ask << QStringLiteral("org.freedesktop.PolicyKit1");
            reply = bus.call(ask, QDBus::Block, 2000);
        }
        QDBusConnection::disconnectFromBus(name);
        return reply.type() == QDBusMessage::ReplyMessage && reply.arguments().value(0).toBool();
    }

    // power_request run as the user; its one line of answer. What it says
    // on standard error (Qt's own warnings) is kept apart.
    std::string asUser(const std::string& user, const std::string& what, const std::string& action) {
        const std::string command = "USER=" + user + " setpriv --reuid=" + user + " --regid=" + user +
                                    " --init-groups " + SYNCWARD_POWER_REQUEST + " " + what + " " + action + " " +
                                    shellQuoted(system_->address()) + " " +
                                    shellQuoted(dir_ / "rules/60-syncward-power.rules") + " 2>>" +
                                    shellQuoted(dir_ / "power_request.err");
        std::string out;
        if (FILE* pipe = ::popen(command.c_str(), "r")) {
            char buffer[512];
            while (std::fgets(buffer, sizeof buffer, pipe)) out += buffer;
            ::pclose(pipe);
        }
        if (!out.empty() && out.back() == '\n') out.pop_back();
        return out;
    }

    TempDir dir_;
    std::unique_ptr<PrivateBus> system_;
    std::unique_ptr<BackgroundProcess> polkit_;
    std::unique_ptr<StandIn> login_;
    std::vector<std::string> users_;
    std::string member_, other_;
    bool madeGroup_ = false;
};

TEST_F(PolkitDecides, OutsideASessionOnlyTheGroupsMembersMayPowerOffRestartAndHibernate) {
    EXPECT_EQ(asUser(other_, "ask", "shutdown"),
              "taken=0 route=LOGIN MANAGER reason=NOT ALLOWED OUTSIDE A DESKTOP SESSION");
    EXPECT_TRUE(login_->has("polkit org.freedesktop.login1.power-off: challenge")) << login_->log();
    EXPECT_FALSE(login_->has("done"));

    for (const std::string action : {"shutdown", "restart", "hibernate"})
        EXPECT_EQ(asUser(member_, "ask", action), "taken=1 route=LOGIN MANAGER reason=") << action;
    EXPECT_TRUE(login_->has("polkit org.freedesktop.login1.power-off: yes\ndone\n")) << login_->log();
    EXPECT_TRUE(login_->has("polkit org.freedesktop.login1.reboot: yes\ndone\n"));
    EXPECT_TRUE(login_->has("polkit org.freedesktop.login1.hibernate: yes\ndone\n"));
}

// The forecast hears the same answers, as the weekly start will, and names
// the fix only to the one who needs it.
TEST_F(PolkitDecides, TheForecastForTheWeeklyStartFollowsTheRuleAndTheGroup) {
    EXPECT_EQ(asUser(member_, "forecast", "shutdown"),
              "verdict=allowed route=LOGIN MANAGER basis=CanPowerOff: yes OUTSIDE A SESSION fix=");
    EXPECT_EQ(asUser(other_, "forecast", "restart"),
              "verdict=refused route=LOGIN MANAGER basis=CanReboot: challenge; NOT IN GROUP syncward-power "
              "fix=ADD THE USER TO THE GROUP syncward-power (sudo adduser " + other_ + " syncward-power)");
    EXPECT_FALSE(login_->has("done")) << "a forecast took an action";
}

// Seen from inside a desktop session the login manager's "yes" is the
// session's; what a start outside one gets is the action's implicit
// authorisation for any process, which polkit lists, or the rule.
TEST_F(PolkitDecides, InADesktopSessionTheForecastReadsPolkitsAuthorisationForAnyProcess) {
    login_.reset();
    login_ = std::make_unique<StandIn>(
        "login1_standin.py",
        std::vector<std::string>{system_->address(), dir_ / "login1-in-session.log", "act=polkit", "can=yes",
                                 "session=yes"},
        dir_ / "login1-in-session.log");
    ASSERT_TRUE(login_->ready());
    EXPECT_EQ(asUser(other_, "forecast", "shutdown"),
              "verdict=refused route=LOGIN MANAGER basis=CanPowerOff: yes IN THIS SESSION ONLY; NOT IN GROUP "
              "syncward-power fix=ADD THE USER TO THE GROUP syncward-power (sudo adduser " + other_ + " syncward-power)");
    EXPECT_EQ(asUser(member_, "forecast", "hibernate"),
              "verdict=allowed route=LOGIN MANAGER basis=CanHibernate: yes IN THIS SESSION; IN GROUP syncward-power "
              "fix=");
}

}  // namespace
}  // namespace syncward::testing
