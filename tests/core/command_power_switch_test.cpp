// The power action asked by the system's own command: what runs for each
// action under each system, and how its end is read. A command that starts
// is no action taken; only its status 0 is.
#include <gtest/gtest.h>

#include "core/platform/command_power_switch.h"
#include "core/platform/power_refusal.h"
#include "support/fake_platform.h"
#include "support/posted_loop.h"

namespace syncward::testing {
namespace {

using Command = std::vector<std::string>;

struct CommandRig {
    explicit CommandRig(PlatformProfile p) : profile(std::move(p)) {
        environment.user = "satoshi";
        probe.pathFolders = {"/usr/bin", "C:\\Windows\\System32"};
        probe.paths["/usr/bin/systemctl"] = FakeSetupProbe::program();
        probe.paths["/usr/bin/loginctl"] = FakeSetupProbe::program();
        probe.paths["C:\\Windows\\System32\\shutdown.exe"] = FakeSetupProbe::program();
    }
    PlatformProfile profile;
    FakeEnvironment environment;
    FakeSetupProbe probe;
    VirtualLoop loop;
    CommandPowerSwitch power{loop, probe, profile, environment};
};

TEST(CommandPowerSwitch, EachActionRunsItsSystemsCommandFoundOnThePath) {
    struct Case {
        PowerAction action;
        Command windows;
        Command posix;
    };
    const std::vector<Case> cases = {
        {PowerAction::Shutdown, {"shutdown", "/s", "/t", "0"}, {"systemctl", "poweroff"}},
        {PowerAction::Restart, {"shutdown", "/g", "/f", "/t", "0"}, {"systemctl", "reboot"}},
        {PowerAction::Hibernate, {"shutdown", "/h"}, {"systemctl", "hibernate"}},
        {PowerAction::Logoff, {"shutdown", "/l"}, {"loginctl", "terminate-user", "satoshi"}},
    };
    for (const Case& c : cases) {
        for (bool posix : {false, true}) {
            CommandRig rig(posix ? PlatformProfile::posix("/home/satoshi") : PlatformProfile::windows());
            Command expected = posix ? c.posix : c.windows;
            expected.front() = posix ? "/usr/bin/" + expected.front() : "C:\\Windows\\System32\\shutdown.exe";
            rig.probe.answers[expected.back()] = {true, false, 0, ""};
            const PowerAnswer answer = rig.power.runCommand(c.action);
            EXPECT_EQ(rig.probe.ran, std::vector<Command>{expected});
            EXPECT_TRUE(answer.taken);
            EXPECT_EQ(answer.route, posix ? c.posix.front() : "shutdown");
        }
    }
}

TEST(CommandPowerSwitch, OnlyStatusZeroIsTakenAndARefusalCarriesTheSystemsReason) {
    CommandRig rig(PlatformProfile::posix("/home/satoshi"));
    const auto answerFor = [&](ProgramOutput out) {
        rig.probe.answers["poweroff"] = out;
        return rig.power.runCommand(PowerAction::Shutdown);
    };
    PowerAnswer answer = answerFor({true, false, 1, "Call to PowerOff failed: Interactive authentication required.\n"});
    EXPECT_FALSE(answer.taken);
    EXPECT_EQ(answer.reason, "NOT ALLOWED OUTSIDE A DESKTOP SESSION");
    EXPECT_EQ(answerFor({true, false, 1, ""}).reason, "EXIT STATUS 1");
    EXPECT_EQ(answerFor({true, true, -1, ""}).reason, "NO ANSWER WITHIN A MINUTE");
    EXPECT_EQ(answerFor({false, false, -1, ""}).reason, "THE COMMAND COULD NOT BE STARTED");

    rig.probe.paths.erase("/usr/bin/systemctl");
    answer = rig.power.runCommand(PowerAction::Shutdown);
    EXPECT_FALSE(answer.taken);
    EXPECT_EQ(answer.reason, "COMMAND systemctl NOT FOUND");
    EXPECT_EQ(rig.power.forecast(PowerAction::Shutdown).verdict, PowerForecast::Verdict::refused);
}

// The loop's thread gets the answer, once, after the command ended on a
// thread of its own.
TEST(CommandPowerSwitch, TheAnswerComesThroughTheLoop) {
    PostedLoop box;
    FakeEnvironment environment;
    FakeSetupProbe probe;
    probe.pathFolders = {"C:\\W"};
    probe.paths["C:\\W\\shutdown.exe"] = FakeSetupProbe::program();
    probe.answers["/h"] = {true, false, 1, "The request is not supported.\r\n"};
    std::vector<PowerAnswer> answers;
    {
        const PlatformProfile profile = PlatformProfile::windows();
        CommandPowerSwitch power(box, probe, profile, environment);
        power.request(PowerAction::Hibernate, [&](const PowerAnswer& answer) { answers.push_back(answer); });
    }  // the switch waits for its command as it goes
    EXPECT_TRUE(answers.empty());  // nothing is answered outside the loop
    ASSERT_TRUE(box.runNext(std::chrono::milliseconds(0)));
    ASSERT_EQ(answers.size(), 1u);
    EXPECT_FALSE(answers.front().taken);
    EXPECT_EQ(answers.front().reason, "NOT SUPPORTED BY THIS COMPUTER");
}

TEST(PowerRefusal, KnownRefusalsInTheUsersWordsAndOthersAsTheirFirstLineInCapitals) {
    EXPECT_EQ(refusalReason("org.freedesktop.DBus.Error.InteractiveAuthorizationRequired: Interactive "
                            "authentication required."),
              "NOT ALLOWED OUTSIDE A DESKTOP SESSION");
    EXPECT_EQ(refusalReason("Access denied"), "NOT ALLOWED");
    EXPECT_EQ(refusalReason("Failed to hibernate system via logind: Sleep verb \"hibernate\" not supported"),
              "NOT SUPPORTED BY THIS COMPUTER");
    EXPECT_EQ(refusalReason("\n  Failed to connect to bus (no such file).\nmore\n"),
              "FAILED TO CONNECT TO BUS <NO SUCH FILE>");
    EXPECT_EQ(refusalReason(" \n"), "NO REASON GIVEN");
    EXPECT_EQ(refusalReason(std::string(200, 'x')).size(), 80u);
    EXPECT_EQ(refusedFinalAction("POWER AUTOTIMER - SHUTDOWN PC", "NOT ALLOWED"),
              "POWER AUTOTIMER - SHUTDOWN PC - REFUSED BY THE SYSTEM (NOT ALLOWED)");
}

}  // namespace
}  // namespace syncward::testing
