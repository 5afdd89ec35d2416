#include <gtest/gtest.h>

#include <unistd.h>

#include "platform/posix/desktop_power.h"
#include "platform/posix/session_power_switch.h"
#include "power_buses.h"
#include "qt_application.h"
#include "support/fake_platform.h"

namespace syncward::testing {
namespace {

constexpr const char* outsideSession = "NOT ALLOWED OUTSIDE A DESKTOP SESSION";

// The switch on buses of the test's own: a login manager stand-in on the
// system bus, and on the session bus whatever desktop stand-in the test
// starts. The system's command is never run: the probe only records it.
class PowerSwitchOnPrivateBuses : public ::testing::Test {
protected:
    void SetUp() override {
        if (!powerPeersInstalled()) GTEST_SKIP() << "dbus-daemon or python3-dbus is not installed";
        ensureQtApplication();
        ASSERT_FALSE(system_.address().empty() || session_.address().empty()) << "the private buses did not start";
    }

    // A fresh one each time, with a log of its own.
    void startLoginManager(std::vector<std::string> script = {}) {
        login_.reset();
        const std::string log = dir_ / ("login1-" + std::to_string(++logins_) + ".log");
        script.insert(script.begin(), {system_.address(), log});
        login_ = std::make_unique<StandIn>("login1_standin.py", script, log);
        ASSERT_TRUE(login_->ready()) << "the stand-in login manager did not start";
    }
    void startDesktop(const std::string& kind, bool refuse = false) {
        std::vector<std::string> arguments{kind, session_.address(), dir_ / (kind + ".log")};
        if (refuse) arguments.push_back("refuse");
        desktop_ = std::make_unique<StandIn>("desktop_standin.py", arguments, dir_ / (kind + ".log"));
        ASSERT_TRUE(desktop_->ready()) << "the " << kind << " stand-in did not start";
    }
    SessionPowerSwitch& powerSwitch(std::string systemBus = {}) {
        if (systemBus.empty()) systemBus = system_.address();
        const std::string sessionBus = session_.address();
        power_ = std::make_unique<SessionPowerSwitch>(
            loop_, probe_, profile_, environment_,
            SessionPowerSwitch::Buses{[sessionBus] { return sessionBus; }, [systemBus] { return systemBus; }},
            SessionPowerSwitch::RuleFiles{{rule_}}, SessionPowerSwitch::Limits{5000, 20000, 20000, 40000});
        return *power_;
    }
    PowerAnswer ask(PowerAction action) {
        auto answer = requestThrough(power_ ? *power_ : powerSwitch(), loop_, action);
        EXPECT_TRUE(answer) << "no single answer on the asking thread";
        return answer.value_or(PowerAnswer{false, "NONE", "NO ANSWER"});
    }

    TempDir dir_;
    PrivateBus system_{dir_.path(), "system"};
    PrivateBus session_{dir_.path(), "session"};
    std::unique_ptr<StandIn> login_, desktop_;
    int logins_ = 0;
    std::string rule_ = dir_ / "60-syncward-power.rules";
    PostedLoop loop_;
    FakeSetupProbe probe_;
    FakeEnvironment environment_;
    PlatformProfile profile_ = PlatformProfile::posix("/home/satoshi");
    std::unique_ptr<SessionPowerSwitch> power_;
};

std::string ownName() {
    const std::string comm = slurp("/proc/self/comm").value_or("");
    return comm.substr(0, comm.find('\n'));
}

// With no desktop manager on the session bus, each action goes to the
// login manager, as the method of its own, never asking for a password.
TEST_F(PowerSwitchOnPrivateBuses, WithoutADesktopEachActionIsAskedOfTheLoginManager) {
    startLoginManager();
    const std::string by = " by " + ownName();
    const std::pair<PowerAction, std::string> calls[] = {
        {PowerAction::Shutdown, "PowerOff interactive=False" + by},
        {PowerAction::Restart, "Reboot interactive=False" + by},
        {PowerAction::Hibernate, "Hibernate interactive=False" + by},
        {PowerAction::Logoff, "TerminateUser " + std::to_string(::getuid()) + by},
    };
    for (const auto& [action, call] : calls) {
        const PowerAnswer answer = ask(action);
        EXPECT_TRUE(answer.taken) << call << ": " << answer.reason;
        EXPECT_EQ(answer.route, "LOGIN MANAGER");
        EXPECT_EQ(answer.reason, "");
        EXPECT_TRUE(login_->has(call + "\ndone\n")) << login_->log();
    }
    EXPECT_TRUE(probe_.ran.empty()) << "the command ran although the login manager answered";
}

TEST_F(PowerSwitchOnPrivateBuses, ARefusalIsToldWithTheSystemsReasonAndNothingCountsAsDone) {
    startLoginManager({"act=refuse"});
    const PowerAnswer answer = ask(PowerAction::Shutdown);
    EXPECT_FALSE(answer.taken);
    EXPECT_EQ(answer.route, "LOGIN MANAGER");
    EXPECT_EQ(answer.reason, outsideSession);
    EXPECT_FALSE(login_->has("done"));

    // An action the computer cannot do is not even asked for.
    startLoginManager({"can=na"});
    const PowerAnswer hibernate = ask(PowerAction::Hibernate);
    EXPECT_FALSE(hibernate.taken);
    EXPECT_EQ(hibernate.reason, "NOT SUPPORTED BY THIS COMPUTER");
    EXPECT_TRUE(login_->has("CanHibernate"));
    EXPECT_FALSE(login_->has("Hibernate interactive"));
}

// The command is the last resort, only where no system bus answers; the
// probe stands in for it and answers as a refused systemctl does.
TEST_F(PowerSwitchOnPrivateBuses, WithoutASystemBusTheCommandIsAskedAndItsRefusalRead) {
    probe_.paths["/usr/bin/systemctl"] = FakeSetupProbe::program();
    probe_.answers["poweroff"] = {true, false, 1, "Failed to power off system via logind: Interactive authentication required.\n"};
    powerSwitch("unix:path=" + dir_ / "no-bus-here");
    const PowerAnswer answer = ask(PowerAction::Shutdown);
    EXPECT_FALSE(answer.taken);
    EXPECT_EQ(answer.route, "systemctl");
    EXPECT_EQ(answer.reason, outsideSession);
    ASSERT_EQ(probe_.ran.size(), 1u);
    EXPECT_EQ(probe_.ran[0], (std::vector<std::string>{"/usr/bin/systemctl", "poweroff"}));
}

// KDE Plasma and XFCE cannot run here: their managers are stand-ins with
// the calls their interfaces document. Each action goes to the desktop
// when it has a call for it, without a dialog; else to the login manager.
TEST_F(PowerSwitchOnPrivateBuses, ADesktopsManagerIsAskedByItsOwnCallsAndHibernationFallsToTheLoginManager) {
    struct Case {
        std::string kind, route;
        std::vector<std::string> calls;  // shutdown, restart, log-off, hibernate ("" for the login manager)
    };
    const Case cases[] = {
        {"kde", "KDE SESSION", {"logoutAndShutdown", "logoutAndReboot", "logout", ""}},
        {"ksmserver", "KDE SESSION", {"logout 0 2 2", "logout 0 1 2", "logout 0 0 2", ""}},
        {"xfce", "XFCE SESSION",
         {"Shutdown allow_save=True", "Restart allow_save=True", "Logout show_dialog=False allow_save=True",
          "Hibernate"}},
    };
    const PowerAction actions[] = {PowerAction::Shutdown, PowerAction::Restart, PowerAction::Logoff,
                                   PowerAction::Hibernate};
    startLoginManager();
    for (const Case& c : cases) {
        startDesktop(c.kind);
        for (std::size_t i = 0; i < 4; ++i) {
            const std::string before = desktop_->log();
            const PowerAnswer answer = ask(actions[i]);
            EXPECT_TRUE(answer.taken) << c.kind << " " << i << ": " << answer.reason;
            EXPECT_EQ(answer.route, c.calls[i].empty() ? "LOGIN MANAGER" : c.route) << c.kind << " " << i;
            const std::string added = desktop_->log().substr(before.size());
            EXPECT_EQ(added, c.calls[i].empty() ? "" : c.calls[i] + "\n") << c.kind << " " << i;
        }
        desktop_.reset();
        ASSERT_TRUE(eventually([&] { return DesktopPower(session_.address(), 2000, 2000).running().empty(); }))
            << "the " << c.kind << " stand-in's name stayed on the bus";
    }
    // Hibernation reached the login manager once from each KDE, never from XFCE.
    const std::string log = login_->log();
    std::size_t hibernations = 0;
    for (std::size_t at = log.find("Hibernate interactive"); at != std::string::npos;
         at = log.find("Hibernate interactive", at + 1))
        ++hibernations;
    EXPECT_EQ(hibernations, 2u);
    EXPECT_FALSE(login_->has("PowerOff")) << "a desktop's action also went to the login manager";
}

TEST_F(PowerSwitchOnPrivateBuses, ADesktopThatRefusesLeavesTheActionToTheLoginManager) {
    startLoginManager();
    startDesktop("xfce", true);
    const PowerAnswer answer = ask(PowerAction::Restart);
    EXPECT_TRUE(answer.taken) << answer.reason;
    EXPECT_EQ(answer.route, "LOGIN MANAGER");
    EXPECT_TRUE(desktop_->has("Restart allow_save=True"));
    EXPECT_TRUE(login_->has("Reboot interactive=False"));

    // Both refuse: the answer is the login manager's, with its reason.
    startLoginManager({"act=refuse"});
    const PowerAnswer refused = ask(PowerAction::Shutdown);
    EXPECT_FALSE(refused.taken);
    EXPECT_EQ(refused.route, "LOGIN MANAGER");
    EXPECT_EQ(refused.reason, outsideSession);
}

// The forecast asks questions only, and speaks for a start outside any
// session: the login manager's answer to this process counts only when
// this process is outside one too.
TEST_F(PowerSwitchOnPrivateBuses, TheForecastSaysWhatTheWeeklyStartWillMeetAndNamesTheFix) {
    using Verdict = PowerForecast::Verdict;
    writeFile(rule_, "// the packaged rule\n");
    startLoginManager({"can=challenge"});
    PowerForecast forecast = powerSwitch().forecast(PowerAction::Shutdown);
    EXPECT_EQ(forecast.verdict, Verdict::refused);
    EXPECT_EQ(forecast.route, "LOGIN MANAGER");
    EXPECT_EQ(forecast.basis, "CanPowerOff: challenge; NOT IN GROUP syncward-power");
    EXPECT_EQ(forecast.fix, "ADD THE USER TO THE GROUP syncward-power (sudo adduser satoshi syncward-power)");

    ::unlink(rule_.c_str());
    forecast = powerSwitch().forecast(PowerAction::Restart);
    EXPECT_EQ(forecast.basis, "CanReboot: challenge; NO RULE 60-syncward-power.rules");
    EXPECT_TRUE(forecast.fix.starts_with("INSTALL THE PACKAGE'S POLKIT RULE 60-syncward-power.rules, THEN ADD"));

    startLoginManager({"can=yes"});
    forecast = powerSwitch().forecast(PowerAction::Shutdown);
    EXPECT_EQ(forecast.verdict, Verdict::allowed);
    EXPECT_EQ(forecast.fix, "");

    // In a desktop session "yes" is the session's; with no polkit to say
    // what a process outside one gets, nothing is promised.
    startLoginManager({"can=yes", "session=yes"});
    forecast = powerSwitch().forecast(PowerAction::Shutdown);
    EXPECT_EQ(forecast.verdict, Verdict::unknown);
    EXPECT_NE(forecast.fix, "");

    startLoginManager({"can=na"});
    EXPECT_EQ(powerSwitch().forecast(PowerAction::Hibernate).verdict, Verdict::refused);

    EXPECT_FALSE(login_->has("interactive")) << "the forecast asked for an action";
    EXPECT_EQ(powerSwitch("unix:path=" + dir_ / "no-bus-here").forecast(PowerAction::Shutdown).route, "systemctl");
}

}  // namespace
}  // namespace syncward::testing
