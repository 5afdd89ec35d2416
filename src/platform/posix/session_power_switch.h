#pragma once

#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "core/form/event_loop.h"
#include "core/platform/environment.h"
#include "core/platform/power_switch.h"
#include "core/platform/setup_probe.h"
#include "core/platform/command_power_switch.h"

namespace syncward {

// Asks for a power action whoever may do it here: the desktop session's
// own manager when the user's session bus answers and its manager has a
// call for the action, else the login manager over the system bus, and the
// system's command only when there is no system bus to ask. Every answer
// is examined; the first taken ends the asking, and a refusal carries the
// last asked one's reason.
class SessionPowerSwitch : public PowerSwitch {
public:
    struct Limits {
        int callMs = 5000;            // every question
        int loginActionMs = 25000;    // the login manager answers once the job is queued
        int desktopActionMs = 70000;  // GNOME answers after its end-session dialog's minute
        int requestMs = 90000;        // the whole request, however many are asked
    };
    // The buses are looked up when asked, not when made: the session a
    // scheduled start finds may come and go while the program runs.
    struct Buses {
        std::function<std::string()> session;
        std::function<std::string()> system;
    };
    // Where the packaged rule may be installed.
    struct RuleFiles {
        std::vector<std::string> paths;
    };

    SessionPowerSwitch(EventLoop& loop, SetupProbe& probe, const PlatformProfile& profile, Environment& environment);
    SessionPowerSwitch(EventLoop& loop, SetupProbe& probe, const PlatformProfile& profile, Environment& environment,
                       Buses buses, RuleFiles rules, Limits limits);
    // Waits for a request still under way, so that no answer is handed to
    // a loop that is gone.
    ~SessionPowerSwitch() override;

    void request(PowerAction action, std::function<void(PowerAnswer)> done) override;
    PowerForecast forecast(PowerAction action) override;

    // The request on the caller's thread.
    PowerAnswer ask(PowerAction action);

    static Buses systemBuses();
    static RuleFiles packagedRule();

private:
    bool ruleInstalled();

    EventLoop& loop_;
    Environment& environment_;
    CommandPowerSwitch commands_;
    Buses buses_;
    RuleFiles rules_;
    Limits limits_;
    std::thread running_;
};

}  // namespace syncward
