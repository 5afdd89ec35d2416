#include <gtest/gtest.h>


#include "background_process.h"
#include "launch_support.h"
#include "qt_application.h"
#include "platform/posix/login1_sleep_inhibitor.h"
#include "support/temp_dir.h"

namespace syncward::testing {
namespace {

bool logHas(const std::string& path, const std::string& text) {
    return slurp(path).value_or("").find(text) != std::string::npos;
}

TEST(Login1SleepInhibitor, IsTakenOnHoldAndItsDescriptorClosedOnRelease) {
    if (::access("/usr/bin/dbus-daemon", X_OK) != 0) GTEST_SKIP() << "dbus-daemon is not installed (package dbus)";
    ensureQtApplication();
    TempDir dir;
    BackgroundProcess bus({"dbus-daemon", "--session", "--nofork", "--print-address=1",
                           "--address=unix:path=" + dir / "bus"});
    const auto address = bus.readLine();
    ASSERT_TRUE(address) << "dbus-daemon did not start";
    const std::string log = dir / "login1.log";
    BackgroundProcess login1({"/usr/bin/python3", SYNCWARD_TESTS_DIR "/platform/login1_standin.py", *address, log});
    ASSERT_TRUE(eventually([&] { return logHas(log, "ready"); })) << "the stand-in login manager did not start";

    Login1SleepInhibitor inhibitor(*address);
    ASSERT_TRUE(inhibitor.hold());
    EXPECT_TRUE(inhibitor.held());
    EXPECT_TRUE(inhibitor.hold());  // held once, however often asked
    EXPECT_TRUE(logHas(log, "taken sleep:idle SYNCWARD block\n"));
    EXPECT_FALSE(logHas(log, "released"));

    inhibitor.release();
    EXPECT_FALSE(inhibitor.held());
    EXPECT_TRUE(eventually([&] { return logHas(log, "released"); }));

    // Taken again by the next heartbeat, and dropped with the object.
    {
        Login1SleepInhibitor again(*address);
        ASSERT_TRUE(again.hold());
    }
    EXPECT_TRUE(eventually([&] { return slurp(log).value_or("").find("released\n") !=
                                        slurp(log).value_or("").rfind("released\n"); }));
}

TEST(Login1SleepInhibitor, WithoutASystemBusHoldSaysNoAndNothingIsHeld) {
    ensureQtApplication();
    TempDir dir;
    Login1SleepInhibitor inhibitor("unix:path=" + dir / "no-bus-here");
    EXPECT_FALSE(inhibitor.hold());
    EXPECT_FALSE(inhibitor.held());
    inhibitor.release();  // harmless
}

}  // namespace
}  // namespace syncward::testing
