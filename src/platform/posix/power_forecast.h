#pragma once

#include <optional>
#include <string>

#include "core/platform/power_switch.h"

namespace syncward {

// The packaged polkit rule: it lets the members of one group, which the
// package creates and nobody is put in by it, power off, restart and
// hibernate through the login manager from outside a desktop session.
struct PowerRule {
    static constexpr const char* group = "syncward-power";
    static constexpr const char* fileName = "60-syncward-power.rules";
    // The folders polkit reads rules from.
    static constexpr const char* packagedFolder = "/usr/share/polkit-1/rules.d";
    static constexpr const char* localFolder = "/etc/polkit-1/rules.d";
};

// What the forecast of a power action for the weekly start rests on. The
// weekly start runs outside any login session (from cron or a timer), so
// it reaches the login manager, which lets it act only by a rule or the
// action's implicit authorisation for "any" process.
struct PowerFacts {
    PowerAction action = PowerAction::Shutdown;
    std::string user;
    // The login manager's Can… answer for this process; nullopt when none.
    std::optional<std::string> can;
    // Whether this process is in a login session, whose answer is then
    // not the weekly start's; nullopt when unknown.
    std::optional<bool> inSession;
    // polkit's implicit authorisation of the action for any process (5 is
    // yes); nullopt when polkit did not say.
    std::optional<unsigned> implicitForAny;
    bool inGroup = false;
    bool ruleInstalled = false;
};

// The forecast through the login manager; the caller has made sure it is
// there.
PowerForecast forecastThroughLogin1(const PowerFacts& facts);

// Whether the user is a member of the group by the system's account files,
// which is what polkit asks when it runs the rule; no new login is needed.
bool userInGroup(const std::string& user, const std::string& group);

}  // namespace syncward
