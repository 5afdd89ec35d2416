// Asks for a power action, or its forecast, as the program does, and prints
// the answer on one line. The polkit tests run it as scratch users, since
// polkit allows everything to root. The system's command is never run:
// the probe knows of no program, so a missing bus reads "NOT FOUND".
//
//   power_request ask shutdown|restart|hibernate|logoff SYSTEM_BUS
//   power_request forecast shutdown|restart|hibernate|logoff SYSTEM_BUS RULE_FILE
#include <QCoreApplication>
#include <cstdio>
#include <map>

#include "platform/posix/session_power_switch.h"
#include "support/fake_platform.h"

using namespace syncward;

namespace {

// The answers are read on this thread: nothing is posted.
class NoLoop : public EventLoop {
public:
    void armed(Timer&) override {}
    void disarmed(Timer&) override {}
    void post(std::function<void()>) override {}
};

const char* verdictName(PowerForecast::Verdict verdict) {
    switch (verdict) {
        case PowerForecast::Verdict::allowed: return "allowed";
        case PowerForecast::Verdict::refused: return "refused";
        case PowerForecast::Verdict::unknown: break;
    }
    return "unknown";
}

}  // namespace

int main(int argc, char** argv) {
    const std::map<std::string, PowerAction> actions{{"shutdown", PowerAction::Shutdown},
                                                     {"restart", PowerAction::Restart},
                                                     {"hibernate", PowerAction::Hibernate},
                                                     {"logoff", PowerAction::Logoff}};
    if (argc < 4 || !actions.count(argv[2])) {
        std::fprintf(stderr, "usage: power_request ask|forecast ACTION SYSTEM_BUS [RULE_FILE]\n");
        return 2;
    }
    QCoreApplication application(argc, argv);
    NoLoop loop;
    testing::FakeSetupProbe probe;
    testing::FakeEnvironment environment;
    environment.user = qgetenv("USER").toStdString();
    const PlatformProfile profile = PlatformProfile::posix("/nonexistent");
    const std::string systemBus = argv[3];
    SessionPowerSwitch power(loop, probe, profile, environment,
                             {[] { return std::string(); }, [systemBus] { return systemBus; }},
                             {{argc > 4 ? argv[4] : ""}}, {});
    const PowerAction action = actions.at(argv[2]);
    if (std::string(argv[1]) == "forecast") {
        const PowerForecast forecast = power.forecast(action);
        std::printf("verdict=%s route=%s basis=%s fix=%s\n", verdictName(forecast.verdict), forecast.route.c_str(),
                    forecast.basis.c_str(), forecast.fix.c_str());
    } else {
        const PowerAnswer answer = power.ask(action);
        std::printf("taken=%d route=%s reason=%s\n", answer.taken ? 1 : 0, answer.route.c_str(),
                    answer.reason.c_str());
    }
    return 0;
}
