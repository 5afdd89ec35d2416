#pragma once

#include <sys/stat.h>
#include <unistd.h>

#include <condition_variable>
#include <deque>
#include <fstream>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "background_process.h"
#include "core/form/event_loop.h"
#include "core/platform/power_switch.h"
#include "support/posted_loop.h"
#include "launch_support.h"
#include "support/temp_dir.h"

namespace syncward::testing {

// A bus of the test's own, never the machine's, with nothing to start on
// demand: only what the test runs is on it. anyUser lets processes of other
// users connect (a scratch user asking polkit).
class PrivateBus {
public:
    PrivateBus(const std::string& folder, const std::string& name, bool anyUser = false) {
        const std::string config = folder + "/" + name + ".conf";
        std::ofstream(config) << "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
                                 " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
                                 "<busconfig><type>" << name << "</type><listen>unix:path=" << folder << "/" << name
                              << "</listen><auth>EXTERNAL</auth><policy context=\"default\">"
                              << (anyUser ? "<allow user=\"*\"/>" : "")
                              << "<allow send_destination=\"*\"/><allow receive_sender=\"*\"/><allow own=\"*\"/></policy>"
                                 "</busconfig>\n";
        daemon_ = std::make_unique<BackgroundProcess>(
            std::vector<std::string>{"dbus-daemon", "--config-file=" + config, "--nofork", "--print-address=1"});
        address_ = daemon_->readLine().value_or("");
        if (anyUser) ::chmod((folder + "/" + name).c_str(), 0777);
    }
    const std::string& address() const { return address_; }

private:
    std::unique_ptr<BackgroundProcess> daemon_;
    std::string address_;
};

// A stand-in (login manager or desktop) run by python3 with its log; the
// log says "ready" once it is on the bus.
class StandIn {
public:
    StandIn(const std::string& script, std::vector<std::string> arguments, std::string log) : log_(std::move(log)) {
        std::vector<std::string> argv{"/usr/bin/python3", std::string(SYNCWARD_TESTS_DIR "/platform/") + script};
        argv.insert(argv.end(), arguments.begin(), arguments.end());
        process_ = std::make_unique<BackgroundProcess>(argv);
    }
    bool ready() const { return eventually([&] { return has("ready"); }); }
    std::string log() const { return slurp(log_).value_or(""); }
    bool has(const std::string& text) const { return log().find(text) != std::string::npos; }

private:
    std::string log_;
    std::unique_ptr<BackgroundProcess> process_;
};

inline bool powerPeersInstalled() {
    return ::access("/usr/bin/dbus-daemon", X_OK) == 0 && ::access("/usr/bin/python3", X_OK) == 0 &&
           std::system("/usr/bin/python3 -c 'import dbus, gi' 2>/dev/null") == 0;
}


// Asks through the switch as the countdown does and waits for the answer,
// which must come once, on this thread.
inline std::optional<PowerAnswer> requestThrough(PowerSwitch& power, PostedLoop& loop, PowerAction action) {
    std::optional<PowerAnswer> answer;
    int answers = 0;
    const auto asker = std::this_thread::get_id();
    power.request(action, [&](PowerAnswer given) {
        answer = std::move(given);
        answers += std::this_thread::get_id() == asker ? 1 : 100;
    });
    if (!loop.runNext() || answers != 1) return std::nullopt;
    return answer;
}

}  // namespace syncward::testing
