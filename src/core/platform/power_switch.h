#pragma once

#include <functional>
#include <string>

#include "core/platform/platform_profile.h"

namespace syncward {

// How the system answered a power action it was asked for.
struct PowerAnswer {
    // Accepted: the computer is going down (or the session ends). Refused:
    // it stays as it is, and reason says why.
    bool taken = false;
    // Who was asked, as the notices name it: "GNOME SESSION", "KDE
    // SESSION", "XFCE SESSION", "LOGIN MANAGER", or the command ("systemctl",
    // "shutdown").
    std::string route;
    // The system's own reason for a refusal, shortened and in capitals:
    // "NOT ALLOWED OUTSIDE A DESKTOP SESSION", "NOT SUPPORTED BY THIS
    // COMPUTER", or the first line a command printed. Empty when taken.
    std::string reason;
};

// What a power action will go through for the weekly start, which runs
// outside the user's desktop session, and whether it will be allowed.
struct PowerForecast {
    enum class Verdict { allowed, refused, unknown };
    Verdict verdict = Verdict::unknown;
    // Who will be asked, as PowerAnswer::route names it.
    std::string route;
    // What the forecast rests on: "THE LOGIN MANAGER ANSWERS YES", "NO
    // RULE ALLOWS IT OUTSIDE A SESSION (CanPowerOff: challenge)", ...
    std::string basis;
    // What the user can do about a refusal or a doubt; empty when allowed.
    std::string fix;
};

// Switches the computer off, restarts it, hibernates it or ends the user's
// session, by whoever may do it here: the desktop's own session manager,
// the login manager, or a command. Every answer is examined: a refusal is
// told, never taken for done.
class PowerSwitch {
public:
    virtual ~PowerSwitch() = default;
    // Asks for the action without blocking the loop; done is called once,
    // on the loop's thread, with the system's answer. An answer that does
    // not come within a minute and a half is a refusal: a desktop may first
    // show its own end-session dialog, which goes ahead by itself after a
    // minute.
    virtual void request(PowerAction action, std::function<void(PowerAnswer)> done) = 0;
    // Asks nothing that changes anything; may block for a few seconds.
    virtual PowerForecast forecast(PowerAction action) = 0;
};

}  // namespace syncward
