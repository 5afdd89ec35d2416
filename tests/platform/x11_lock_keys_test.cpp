#include <gtest/gtest.h>

#include "background_process.h"
#include "platform/posix/x11_lock_keys.h"

namespace syncward::testing {
namespace {

TEST(X11LockKeys, PressesNumAndCapsLockThroughXTestAndReadsThemBackThroughXkb) {
    if (::access("/usr/bin/Xvfb", X_OK) != 0) GTEST_SKIP() << "Xvfb is not installed (package xvfb)";
    // A display of its own, on the first free number.
    BackgroundProcess xvfb({"Xvfb", "-displayfd", "1", "-nolisten", "tcp", "-screen", "0", "320x240x24"});
    const auto number = xvfb.readLine();
    ASSERT_TRUE(number) << "Xvfb did not start";
    X11LockKeys keys(":" + *number);
    ASSERT_TRUE(keys.available());

    for (const LockKey key : {LockKey::Num, LockKey::Caps}) {
        ASSERT_EQ(keys.isOn(key), false);
        keys.press(key);
        EXPECT_EQ(keys.isOn(key), true);
        keys.press(key);
        EXPECT_EQ(keys.isOn(key), false);
    }
    EXPECT_TRUE(keys.isOn(LockKey::Scroll).has_value());
}

TEST(X11LockKeys, WithoutADisplayPressesDoNothingAndStatesAreUnknown) {
    for (const std::string display : {"", ":987654"}) {
        X11LockKeys keys(display);
        EXPECT_FALSE(keys.available());
        keys.press(LockKey::Num);
        EXPECT_EQ(keys.isOn(LockKey::Num), std::nullopt);
    }
}

}  // namespace
}  // namespace syncward::testing
