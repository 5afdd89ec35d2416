#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include "background_process.h"
#include "qt_application.h"
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

// The lights read all three keys in one look; it must say what asking each
// key alone says, whichever are on.
TEST(X11LockKeys, ReadsAllThreeStatesInOneLookAsEachAlone) {
    if (::access("/usr/bin/Xvfb", X_OK) != 0) GTEST_SKIP() << "Xvfb is not installed (package xvfb)";
    BackgroundProcess xvfb({"Xvfb", "-displayfd", "1", "-nolisten", "tcp", "-screen", "0", "320x240x24"});
    const auto number = xvfb.readLine();
    ASSERT_TRUE(number) << "Xvfb did not start";
    X11LockKeys keys(":" + *number);
    ASSERT_TRUE(keys.available());
    const auto eachAlone = [&] {
        return std::array<std::optional<bool>, 3>{keys.isOn(LockKey::Num), keys.isOn(LockKey::Caps),
                                                   keys.isOn(LockKey::Scroll)};
    };
    EXPECT_EQ(keys.states(), eachAlone());
    keys.press(LockKey::Caps);
    EXPECT_EQ(keys.states(), eachAlone());
    EXPECT_EQ(keys.states()[static_cast<std::size_t>(LockKey::Caps)], true);
    EXPECT_EQ(keys.states()[static_cast<std::size_t>(LockKey::Num)], false);
    keys.press(LockKey::Num);
    keys.press(LockKey::Scroll);
    EXPECT_EQ(keys.states(), eachAlone());
    EXPECT_EQ(keys.states()[static_cast<std::size_t>(LockKey::Num)], true);
    keys.press(LockKey::Caps);
    EXPECT_EQ(keys.states(), eachAlone());
    EXPECT_EQ(keys.states()[static_cast<std::size_t>(LockKey::Caps)], false);
}

// The lights wait to be told: a key pressed by another client of the
// display (the user at the keyboard) is told through Qt's event loop, and
// so are the program's own presses, whose events Xlib read while it waited.
TEST(X11LockKeys, TellsOfKeysChangedByAnyoneWithoutBeingAsked) {
    if (::access("/usr/bin/Xvfb", X_OK) != 0) GTEST_SKIP() << "Xvfb is not installed (package xvfb)";
    ensureQtApplication();
    BackgroundProcess xvfb({"Xvfb", "-displayfd", "1", "-nolisten", "tcp", "-screen", "0", "320x240x24"});
    const auto number = xvfb.readLine();
    ASSERT_TRUE(number) << "Xvfb did not start";
    X11LockKeys keys(":" + *number);
    int told = 0;
    ASSERT_TRUE(keys.followChanges([&] { ++told; }));
    const auto toldAfter = [&](int before) {
        QDeadlineTimer limit(10000);
        while (told == before && !limit.hasExpired()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
        return told > before;
    };

    Display* user = XOpenDisplay((":" + *number).c_str());
    ASSERT_NE(user, nullptr);
    for (const bool on : {true, false}) {
        const int before = told;
        const KeyCode code = XKeysymToKeycode(user, XK_Caps_Lock);
        XTestFakeKeyEvent(user, code, True, CurrentTime);
        XTestFakeKeyEvent(user, code, False, CurrentTime);
        XSync(user, False);
        EXPECT_TRUE(toldAfter(before));
        EXPECT_EQ(keys.states()[static_cast<std::size_t>(LockKey::Caps)], on);
    }
    XCloseDisplay(user);

    const int before = told;
    keys.press(LockKey::Num);
    EXPECT_TRUE(toldAfter(before));
    EXPECT_EQ(keys.states()[static_cast<std::size_t>(LockKey::Num)], true);
}

TEST(X11LockKeys, WithoutADisplayPressesDoNothingAndStatesAreUnknown) {
    for (const std::string display : {"", ":987654"}) {
        X11LockKeys keys(display);
        EXPECT_FALSE(keys.available());
        keys.press(LockKey::Num);
        EXPECT_EQ(keys.isOn(LockKey::Num), std::nullopt);
        EXPECT_EQ(keys.states(), (std::array<std::optional<bool>, 3>{}));
        // Nothing to read will ever change, so nothing needs asking again.
        EXPECT_TRUE(keys.followChanges([] {}));
    }
}

}  // namespace
}  // namespace syncward::testing
