#pragma once

#include <optional>
#include <string>

#include "core/platform/power_switch.h"

namespace syncward {

// The login manager's power calls over the system bus, on a connection of
// this object's own: whether an action may be taken (CanPowerOff and the
// others), and the action itself, never interactive, since nobody may be
// there to type a password. Used from one thread at a time.
class Login1Power {
public:
    // callLimitMs bounds every question; actionLimitMs the action, which
    // the login manager answers only once the job is queued.
    Login1Power(const std::string& busAddress, int callLimitMs, int actionLimitMs);
    ~Login1Power();
    Login1Power(const Login1Power&) = delete;
    Login1Power& operator=(const Login1Power&) = delete;

    // The bus answered and the login manager is on it.
    bool present();
    // "yes", "no", "challenge" or "na" as the login manager says it for
    // this process; nullopt when it gave no answer (or for log-off, which
    // has no such question).
    std::optional<std::string> can(PowerAction action);
    // Asks for the action; a refusal carries the login manager's reason.
    PowerAnswer act(PowerAction action);
    // Whether this process belongs to a login session; nullopt when the
    // login manager did not say.
    std::optional<bool> inSession();
    // The polkit action's implicit authorisation for a process in no
    // session ("any"), as polkit's EnumerateActions lists it: 5 is yes.
    std::optional<unsigned> implicitForAny(const std::string& polkitAction);

    static constexpr const char* route = "LOGIN MANAGER";

private:
    std::string connection_;
    int callLimitMs_;
    int actionLimitMs_;
    bool connected_ = false;
};

// The login manager's name for an action's question ("CanPowerOff"), and
// polkit's id for the action ("org.freedesktop.login1.power-off"); empty
// for log-off.
std::string login1Question(PowerAction action);
std::string login1PolkitAction(PowerAction action);

}  // namespace syncward
