#include <gtest/gtest.h>

#include "core/form/form.h"
#include "core/form/virtual_loop.h"

namespace syncward {
namespace {

struct Timers : Form {
    explicit Timers(EventLoop& loop) : Form("TIMERS", loop) {}
    Timer A{*this, "A_TIMER", 1000};
    Timer B{*this, "B_TIMER", 1000};
    Timer C{*this, "C_TIMER", 500};
};

TEST(VirtualLoop, EnabledTimerTicksEveryIntervalFromWhenItWasEnabled) {
    VirtualLoop loop;
    Timers t(loop);
    std::vector<std::int64_t> ticks;
    t.A.onTick.connect([&] { ticks.push_back(loop.now()); });
    t.A.start();
    loop.advance(3500);
    EXPECT_EQ(ticks, (std::vector<std::int64_t>{1000, 2000, 3000}));
}

TEST(VirtualLoop, ReEnablingStartsAFreshIntervalAndEnablingTwiceChangesNothing) {
    VirtualLoop loop;
    Timers t(loop);
    std::vector<std::int64_t> ticks;
    t.A.onTick.connect([&] { ticks.push_back(loop.now()); });
    t.A.start();
    loop.advance(700);
    t.A.start();  // already enabled: keeps its interval
    loop.advance(400);
    EXPECT_EQ(ticks, (std::vector<std::int64_t>{1000}));
    t.A.stop();
    loop.advance(100);  // now 1200
    t.A.start();
    loop.advance(1500);
    EXPECT_EQ(ticks, (std::vector<std::int64_t>{1000, 2200}));
}

TEST(VirtualLoop, ChangingTheIntervalOfARunningTimerRestartsIt) {
    VirtualLoop loop;
    Timers t(loop);
    std::vector<std::int64_t> ticks;
    t.A.onTick.connect([&] { ticks.push_back(loop.now()); });
    t.A.start();
    loop.advance(900);
    t.A.setInterval(250);
    loop.advance(300);
    EXPECT_EQ(ticks, (std::vector<std::int64_t>{1150}));
}

TEST(VirtualLoop, TimersDueAtTheSameInstantFireInArmingOrder) {
    VirtualLoop loop;
    Timers t(loop);
    std::vector<std::string> order;
    t.A.onTick.connect([&] { order.push_back("A"); });
    t.B.onTick.connect([&] { order.push_back("B"); });
    t.C.onTick.connect([&] { order.push_back("C"); });
    t.B.start();
    t.A.start();
    loop.advance(500);
    t.C.start();  // due with A and B at 1000, armed last
    loop.advance(500);
    EXPECT_EQ(order, (std::vector<std::string>{"B", "A", "C"}));
}

TEST(VirtualLoop, ATickThatDisablesAnotherDueTimerPreventsItsTick) {
    VirtualLoop loop;
    Timers t(loop);
    int bTicks = 0;
    t.A.onTick.connect([&] {
        t.A.stop();
        t.B.stop();
    });
    t.B.onTick.connect([&] { ++bTicks; });
    t.A.start();
    t.B.start();
    loop.advance(5000);
    EXPECT_EQ(bTicks, 0);
}

TEST(VirtualLoop, ATimerWithoutIntervalNeverTicks) {
    VirtualLoop loop;
    Timers t(loop);
    int ticks = 0;
    t.A.setInterval(0);
    t.A.onTick.connect([&] { ++ticks; });
    t.A.start();
    loop.advance(10000);
    EXPECT_EQ(ticks, 0);
    EXPECT_TRUE(t.A.enabled());
}

TEST(VirtualLoop, RunUntilStopsAtTheConditionOrTheLimit) {
    VirtualLoop loop;
    Timers t(loop);
    int ticks = 0;
    t.C.onTick.connect([&] { ++ticks; });
    t.C.start();
    EXPECT_TRUE(loop.runUntil([&] { return ticks == 3; }, 10000));
    EXPECT_EQ(loop.now(), 1500);
    EXPECT_FALSE(loop.runUntil([&] { return ticks == 100; }, 1000));
    EXPECT_EQ(loop.now(), 2500);
}


// An idle program must not wake for a timer that has nothing to do, while
// the timer's enabled flag, which other parts read, stays as set.
TEST(VirtualLoop, ATimerWithoutAReactionIsEnabledButNeverWakesTheLoop) {
    struct CountingLoop : VirtualLoop {
        void armed(Timer& timer) override {
            ++arms;
            VirtualLoop::armed(timer);
        }
        int arms = 0;
    } loop;
    Timers t(loop);
    t.C.start();
    EXPECT_TRUE(t.C.enabled());
    EXPECT_EQ(loop.arms, 0);
    EXPECT_FALSE(loop.step(60000));

    int ticks = 0;
    t.C.onTick.connect([&] { ++ticks; });
    t.C.stop();
    t.C.start();  // the reaction counts from the next start
    loop.advance(1000);
    EXPECT_EQ(loop.arms, 1);
    EXPECT_EQ(ticks, 2);
}

}  // namespace
}  // namespace syncward
