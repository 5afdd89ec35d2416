#include "platform/posix/session_power_switch.h"

#include <sys/stat.h>

#include <algorithm>
#include <chrono>

#include "platform/posix/desktop_inhibitors.h"
#include "platform/posix/desktop_power.h"
#include "platform/posix/login1_power.h"
#include "platform/posix/login1_sleep_inhibitor.h"
#include "platform/posix/power_forecast.h"

namespace syncward {

namespace {

using Clock = std::chrono::steady_clock;

// What is left of the request's time, at most the call's own limit; never
// nothing, so that a late step still gets its answer or its error.
int within(Clock::time_point end, int limitMs) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count();
    return static_cast<int>(std::clamp<long long>(left, 500, limitMs));
}

}  // namespace

SessionPowerSwitch::Buses SessionPowerSwitch::systemBuses() {
    return {DesktopInhibitors::sessionBusAddress, Login1SleepInhibitor::systemBusAddress};
}

SessionPowerSwitch::RuleFiles SessionPowerSwitch::packagedRule() {
    return {{std::string(PowerRule::packagedFolder) + "/" + PowerRule::fileName,
             std::string(PowerRule::localFolder) + "/" + PowerRule::fileName}};
}

SessionPowerSwitch::SessionPowerSwitch(EventLoop& loop, SetupProbe& probe, const PlatformProfile& profile,
                                       Environment& environment)
    : SessionPowerSwitch(loop, probe, profile, environment, systemBuses(), packagedRule(), Limits{}) {}

SessionPowerSwitch::SessionPowerSwitch(EventLoop& loop, SetupProbe& probe, const PlatformProfile& profile,
                                       Environment& environment, Buses buses, RuleFiles rules, Limits limits)
    : loop_(loop),
      environment_(environment),
      commands_(loop, probe, profile, environment),
      buses_(std::move(buses)),
      rules_(std::move(rules)),
      limits_(limits) {}

SessionPowerSwitch::~SessionPowerSwitch() {
    if (running_.joinable()) running_.join();
}

PowerAnswer SessionPowerSwitch::ask(PowerAction action) {
    const Clock::time_point end = Clock::now() + std::chrono::milliseconds(limits_.requestMs);
    {
        // A desktop that refuses, or has no call for the action, leaves it
        // to the login manager, which may still allow it.
        DesktopPower desktop(buses_.session(), limits_.callMs, within(end, limits_.desktopActionMs));
        if (const auto answer = desktop.act(action); answer && answer->taken) return *answer;
    }
    Login1Power login(buses_.system(), within(end, limits_.callMs), within(end, limits_.loginActionMs));
    if (!login.present()) return commands_.runCommand(action);
    if (login.can(action) == "na") return {false, Login1Power::route, "NOT SUPPORTED BY THIS COMPUTER"};
    return login.act(action);
}

void SessionPowerSwitch::request(PowerAction action, std::function<void(PowerAnswer)> done) {
    // One request at a time: a second one waits for the first here.
    if (running_.joinable()) running_.join();
    running_ = std::thread([this, action, done = std::move(done)] {
        PowerAnswer answer = ask(action);
        loop_.post([done, answer = std::move(answer)] { done(answer); });
    });
}

bool SessionPowerSwitch::ruleInstalled() {
    struct stat facts {};
    return std::any_of(rules_.paths.begin(), rules_.paths.end(), [&](const std::string& path) {
        return ::stat(path.c_str(), &facts) == 0 && S_ISREG(facts.st_mode);
    });
}

// The weekly start is taken to reach the login manager: it runs outside
// the desktop session, and finds the session's bus only when the user is
// logged in at that hour.
PowerForecast SessionPowerSwitch::forecast(PowerAction action) {
    Login1Power login(buses_.system(), limits_.callMs, limits_.callMs);
    if (!login.present()) return commands_.forecast(action);
    PowerFacts facts;
    facts.action = action;
    facts.user = environment_.userName();
    facts.can = login.can(action);
    facts.inSession = login.inSession();
    if (facts.inSession != false) facts.implicitForAny = login.implicitForAny(login1PolkitAction(action));
    facts.ruleInstalled = ruleInstalled();
    facts.inGroup = userInGroup(facts.user, PowerRule::group);
    return forecastThroughLogin1(facts);
}

}  // namespace syncward
