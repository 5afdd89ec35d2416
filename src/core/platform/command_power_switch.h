#pragma once

#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "core/form/event_loop.h"
#include "core/platform/environment.h"
#include "core/platform/power_switch.h"
#include "core/platform/setup_probe.h"

namespace syncward {

// Asks for a power action by the system's own command ("shutdown" on
// Windows; "systemctl" or "loginctl" elsewhere), run hidden to its end on
// a thread of its own, and judges by how it ended: a refused action ends
// the command with a status other than 0 and a message, which becomes the
// reason. Nothing is taken for done because the command merely started.
class CommandPowerSwitch : public PowerSwitch {
public:
    CommandPowerSwitch(EventLoop& loop, SetupProbe& probe, const PlatformProfile& profile, Environment& environment);
    // Waits for a command still running, so that no answer is handed to a
    // loop that is gone.
    ~CommandPowerSwitch() override;

    void request(PowerAction action, std::function<void(PowerAnswer)> done) override;
    // Only whether the command is there: whether the system will allow it
    // is learnt when it runs.
    PowerForecast forecast(PowerAction action) override;

    // Runs the command to its end on the caller's thread: the last resort
    // of a switch that asks other ways first.
    PowerAnswer runCommand(PowerAction action);
    // The command's program as found on the program folders.
    std::optional<std::string> commandPath(PowerAction action);

    // A command that has not ended within this is ended, and the action
    // counts as refused: a power-off that is really under way ends the
    // command (and the program) long before.
    static constexpr int commandLimitMs = 60'000;

private:
    EventLoop& loop_;
    SetupProbe& probe_;
    const PlatformProfile& profile_;
    Environment& environment_;
    std::thread running_;
};

}  // namespace syncward
