#include "core/platform/command_power_switch.h"

#include "core/platform/power_refusal.h"

namespace syncward {

CommandPowerSwitch::CommandPowerSwitch(EventLoop& loop, SetupProbe& probe, const PlatformProfile& profile,
                                       Environment& environment)
    : loop_(loop), probe_(probe), profile_(profile), environment_(environment) {}

CommandPowerSwitch::~CommandPowerSwitch() {
    if (running_.joinable()) running_.join();
}

std::optional<std::string> CommandPowerSwitch::commandPath(PowerAction action) {
    const std::string name = profile_.powerCommand(action, environment_.userName()).front();
    const bool windows = profile_.flavour() == PlatformProfile::Flavour::Windows;
    for (const std::string& folder : probe_.programFolders()) {
        for (const std::string& candidate : {name, windows ? name + ".exe" : std::string()}) {
            if (candidate.empty()) continue;
            const std::string path = profile_.join(folder, candidate);
            if (probe_.path(path).executable) return path;
        }
    }
    return std::nullopt;
}

PowerAnswer CommandPowerSwitch::runCommand(PowerAction action) {
    std::vector<std::string> command = profile_.powerCommand(action, environment_.userName());
    PowerAnswer answer{false, command.front(), {}};
    const std::optional<std::string> path = commandPath(action);
    if (!path) {
        answer.reason = "COMMAND " + command.front() + " NOT FOUND";
        return answer;
    }
    command.front() = *path;
    const ProgramOutput out = probe_.runToEnd(command, commandLimitMs);
    if (!out.started)
        answer.reason = "THE COMMAND COULD NOT BE STARTED";
    else if (out.timedOut)
        answer.reason = "NO ANSWER WITHIN A MINUTE";
    else if (out.status != 0)
        answer.reason = refusalReason(out.text.empty() ? "EXIT STATUS " + std::to_string(out.status) : out.text);
    else
        answer.taken = true;
    return answer;
}

void CommandPowerSwitch::request(PowerAction action, std::function<void(PowerAnswer)> done) {
    // One request at a time: the countdown asks once, and a second ask
    // while the first runs waits for it here rather than racing it.
    if (running_.joinable()) running_.join();
    running_ = std::thread([this, action, done = std::move(done)] {
        PowerAnswer answer = runCommand(action);
        loop_.post([done, answer = std::move(answer)] { done(answer); });
    });
}

PowerForecast CommandPowerSwitch::forecast(PowerAction action) {
    const std::string name = profile_.powerCommand(action, environment_.userName()).front();
    if (!commandPath(action))
        return {PowerForecast::Verdict::refused, name, name + " NOT FOUND",
                "THE RUN WOULD END WITHOUT ITS POWER ACTION"};
    return {PowerForecast::Verdict::unknown, name, name + " FOUND; WHETHER THE SYSTEM ALLOWS IT IS LEARNT WHEN IT RUNS",
            {}};
}

}  // namespace syncward
