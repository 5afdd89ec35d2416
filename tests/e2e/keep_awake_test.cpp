#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "e2e/desktop_session.h"
#include "e2e/program_run.h"
#include "e2e/standin_node.h"
#include "platform/launch_support.h"
#include "platform/posix/desktop_inhibitors.h"
#include "platform/posix/login1_sleep_inhibitor.h"
#include "platform/posix/sleep_inhibitor_set.h"

namespace syncward::testing {
namespace {

using Desktop = DesktopSession::Desktop;

// Still running: a process that ended but is not reaped yet is not.
bool running(int pid) {
    const std::string stat = slurp("/proc/" + std::to_string(pid) + "/stat").value_or("");
    const std::size_t close = stat.rfind(')');
    return close != std::string::npos && close + 2 < stat.size() && stat[close + 2] != 'Z';
}

#define SKIP_UNLESS_INSTALLED(desktop)                                                       \
    if (!DesktopSession::installed(desktop))                                                 \
        GTEST_SKIP() << "needs Xvfb, dbus-daemon, python3 and the desktop's power service " \
                        "(packages xvfb dbus python3-dbus gnome-session-bin xfce4-power-manager)"

class DesktopInhibitorsOn : public ::testing::TestWithParam<Desktop> {};

// The platform's inhibitors straight against the real desktop service: held
// as the desktop's own, and gone again on release.
TEST_P(DesktopInhibitorsOn, ARealDesktopShowsTheInhibitorWhileHeldAndNotAfter) {
    SKIP_UNLESS_INSTALLED(GetParam());
    DesktopSession session(GetParam());
    ASSERT_EQ(session.problem(), "");
    ASSERT_EQ(session.desktopInhibited(), false);

    DesktopInhibitors desktop(session.sessionBus(), "E2EAWAKE", [] { return 0u; });
    Login1SleepInhibitor login(session.systemBus());
    SleepInhibitorSet both{&desktop, &login};
    ASSERT_TRUE(both.hold());
    const std::vector<HeldInhibitor> holding = both.holding();
    ASSERT_EQ(holding.size(), 2u);
    EXPECT_EQ(holding[0].name, GetParam() == Desktop::Gnome ? "GNOME SESSION" : "POWER MANAGEMENT");
    EXPECT_TRUE(holding[0].desktopHonours);
    EXPECT_EQ(holding[1].name, "LOGIND");
    EXPECT_FALSE(holding[1].desktopHonours);
    EXPECT_EQ(session.desktopInhibited(), true);
    EXPECT_TRUE(session.loginLockTaken());

    both.release();
    EXPECT_FALSE(both.held());
    EXPECT_TRUE(eventually([&] { return session.desktopInhibited() == false; }));
    EXPECT_TRUE(eventually([&] { return session.loginLockReleased(); }));

    // Taken again by the next heartbeat, and dropped with the object.
    {
        DesktopInhibitors again(session.sessionBus(), "E2EAWAKE", [] { return 0u; });
        ASSERT_TRUE(again.hold());
        EXPECT_EQ(session.desktopInhibited(), true);
    }
    EXPECT_TRUE(eventually([&] { return session.desktopInhibited() == false; }));
}

INSTANTIATE_TEST_SUITE_P(RealDesktops, DesktopInhibitorsOn, ::testing::Values(Desktop::Gnome, Desktop::Xfce),
                         [](const auto& info) { return info.param == Desktop::Gnome ? "Gnome" : "Xfce"; });

TEST(DesktopInhibitors, WithNoDesktopServiceOnTheBusOnlyTheLoginManagersLockIsHeld) {
    SKIP_UNLESS_INSTALLED(Desktop::None);
    DesktopSession session(Desktop::None);
    ASSERT_EQ(session.problem(), "");
    DesktopInhibitors desktop(session.sessionBus(), "E2EAWAKE", [] { return 0u; });
    Login1SleepInhibitor login(session.systemBus());
    SleepInhibitorSet both{&desktop, &login};
    ASSERT_TRUE(both.hold());
    EXPECT_FALSE(desktop.held());
    ASSERT_EQ(both.holding().size(), 1u);
    EXPECT_EQ(both.holding()[0].name, "LOGIND");

    DesktopInhibitors noBus("", "E2EAWAKE", [] { return 0u; });
    EXPECT_FALSE(noBus.hold());
}

// A copy whose run starts the heartbeat (step 2) and stops it (step 18),
// against a stand-in node, living in the given session.
struct HeartbeatRun {
    HeartbeatRun(const TempDir& dir, const std::string& name) : node(dir.path(), 2), program(dir, name) {
        std::filesystem::create_directories(dir / "chain/blocks");
        std::ofstream(dir / "chain/blocks/blk00000.dat") << std::string(1024, 'b');
        program.nodeCommandFiles(node.commandFields(program.configFile(), dir / "chain"), "0\n");
        program.unattendedRunSwitches("Fakecoin", "00:00:02");
        program.setting("TASK_2_ENABLE_TICKBOX", "1");
        program.setting("TASK_18_ENABLE_TICKBOX", "1");
    }
    ~HeartbeatRun() { std::system(("pkill -KILL -x " + node.daemonName + " 2>/dev/null").c_str()); }

    StandinNode node;
    ProgramRun program;
};

// What the desktop said while the program ran: how often its inhibitor
// came and went, and whether it was gone before the program ended.
struct Watched {
    int taken = 0;
    int dropped = 0;
    bool unanswered = false;
};

Watched watchWhileRunning(const DesktopSession& session, int pid, int limitSeconds) {
    Watched seen;
    bool held = false;
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(limitSeconds);
    while (running(pid) && std::chrono::steady_clock::now() < end) {
        const std::optional<bool> now = session.desktopInhibited();
        if (!now) seen.unanswered = true;
        if (now == true && !held) ++seen.taken;
        if (now == false && held) ++seen.dropped;
        if (now) held = *now;
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    return seen;
}

class HeartbeatRunOn : public ::testing::TestWithParam<Desktop> {};

// The run holds the desktop's inhibitor from its heartbeat's start to its
// stop, once, and lets it go before the program closes itself.
TEST_P(HeartbeatRunOn, HoldsTheDesktopsInhibitorFromTheHeartbeatsStartToItsStop) {
    SKIP_UNLESS_INSTALLED(GetParam());
    DesktopSession session(GetParam());
    ASSERT_EQ(session.problem(), "");
    TempDir dir;
    HeartbeatRun run(dir, GetParam() == Desktop::Gnome ? "E2EGNOMEAWAKE" : "E2EXFCEAWAKE");
    const int pid = run.program.start(session.environment());
    const Watched seen = watchWhileRunning(session, pid, 240);
    ASSERT_EQ(run.program.wait(pid, 5), 0) << "the program did not close itself within 240 s";
    EXPECT_FALSE(seen.unanswered);
    EXPECT_EQ(seen.taken, 1);
    EXPECT_EQ(seen.dropped, 1) << "the inhibitor was not let go before the program ended";
    EXPECT_EQ(session.desktopInhibited(), false);  // and the desktop is still there to say so
    EXPECT_TRUE(session.loginLockTaken());
    EXPECT_TRUE(session.loginLockReleased());
    EXPECT_EQ(run.program.storedSetting("MULTILOADER_LAST_RUN_TEXTBOX"), "!!! COMPLETED SUCCESSFULLY !!!");
}

// A program killed mid-run cannot release anything: its inhibitors end
// with its bus connection.
TEST_P(HeartbeatRunOn, AProgramKilledMidRunLeavesNoInhibitorBehind) {
    SKIP_UNLESS_INSTALLED(GetParam());
    DesktopSession session(GetParam());
    ASSERT_EQ(session.problem(), "");
    TempDir dir;
    HeartbeatRun run(dir, GetParam() == Desktop::Gnome ? "E2EGNOMEKILLED" : "E2EXFCEKILLED");
    const int pid = run.program.start(session.environment());
    ASSERT_TRUE(eventually([&] { return session.desktopInhibited() == true && session.loginLockTaken(); }, 60000))
        << "the run never took both inhibitors";
    ::kill(pid, SIGKILL);
    run.program.wait(pid, 10);
    EXPECT_TRUE(eventually([&] { return session.desktopInhibited() == false; }));
    EXPECT_TRUE(eventually([&] { return session.loginLockReleased(); }));
}

INSTANTIATE_TEST_SUITE_P(RealDesktops, HeartbeatRunOn, ::testing::Values(Desktop::Gnome, Desktop::Xfce),
                         [](const auto& info) { return info.param == Desktop::Gnome ? "Gnome" : "Xfce"; });

}  // namespace
}  // namespace syncward::testing
