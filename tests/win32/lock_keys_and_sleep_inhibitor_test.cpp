// Keep-awake's two system parts on Windows: the lock keys it presses and
// reads, and the execution state that keeps the computer from sleeping.
#include <windows.h>

#include <gtest/gtest.h>


#include "platform/win32/execution_state_sleep_inhibitor.h"
#include "platform/win32/win32_lock_keys.h"

namespace syncward::testing {
namespace {

constexpr LockKey allKeys[] = {LockKey::Num, LockKey::Caps, LockKey::Scroll};

TEST(Win32LockKeys, StatesAreKnownExactlyWhereTheKeyboardCanBeReached) {
    Win32LockKeys keys;
    const bool available = keys.available();
    const auto states = keys.states();
    for (const LockKey key : allKeys) {
        const auto index = static_cast<std::size_t>(key);
        EXPECT_EQ(states[index].has_value(), available);
        EXPECT_EQ(keys.isOn(key), states[index]);
    }
}

TEST(Win32LockKeys, APressAndASecondPressLeaveEachKeyAsItWas) {
    Win32LockKeys keys;
    const auto before = keys.states();
    for (const LockKey key : allKeys) {
        keys.press(key);
        keys.press(key);
    }
    EXPECT_EQ(keys.states(), before);
}

// The execution state the calling thread holds, read back: setting the same
// one-off request returns the state in force before it, continuous bits
// included, and changes nothing that lasts.
EXECUTION_STATE threadState() { return ::SetThreadExecutionState(ES_SYSTEM_REQUIRED); }

constexpr EXECUTION_STATE awake = ES_SYSTEM_REQUIRED | ES_DISPLAY_REQUIRED;

TEST(ExecutionStateSleepInhibitor, HoldingTwiceIsOneHoldAndReleaseLetsTheComputerSleep) {
    ExecutionStateSleepInhibitor inhibitor;
    EXPECT_FALSE(inhibitor.held());
    inhibitor.release();  // nothing held: nothing happens
    EXPECT_FALSE(inhibitor.held());
    ASSERT_TRUE(inhibitor.hold());
    EXPECT_TRUE(inhibitor.hold());
    EXPECT_TRUE(inhibitor.held());
    EXPECT_EQ(threadState() & awake, awake);
    inhibitor.release();
    EXPECT_FALSE(inhibitor.held());
    EXPECT_EQ(threadState() & awake, 0u);
    // Held again after a release, and let go when the inhibitor goes.
    {
        ExecutionStateSleepInhibitor again;
        ASSERT_TRUE(again.hold());
        EXPECT_EQ(threadState() & awake, awake);
    }
    EXPECT_EQ(threadState() & awake, 0u);
}

}  // namespace
}  // namespace syncward::testing
