#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/form/form.h"
#include "core/form/reaction_blocker.h"
#include "core/form/signal.h"
#include "core/form/virtual_loop.h"

namespace syncward {
namespace {

struct Panel : Form {
    explicit Panel(EventLoop& loop) : Form("TEST", loop) {}
    TickBox BOX{*this, "BOX_TICKBOX"};
    Button BUTTON{*this, "BUTTON"};
    Timer TICKER{*this, "TICKER", 1000};
};

TEST(Signal, EveryObserverHearsEachNoticeInConnectionOrderAndTheAfterPhaseComesLast) {
    Signal<int> signal;
    std::vector<std::string> heard;
    signal.connectAfter([&](int n) { heard.push_back("after " + std::to_string(n)); });
    signal.connect([&](int n) { heard.push_back("first " + std::to_string(n)); });
    signal.connect([&](int n) { heard.push_back("second " + std::to_string(n)); });
    signal.connectAfter([&](int n) { heard.push_back("after too " + std::to_string(n)); });
    signal.notify(7);
    EXPECT_EQ(heard, (std::vector<std::string>{"first 7", "second 7", "after 7", "after too 7"}));

    // The controls and the timer tell all theirs, not the last installed.
    VirtualLoop loop;
    Panel panel(loop);
    heard.clear();
    panel.BUTTON.onClick.connect([&] { heard.push_back("a"); });
    panel.BUTTON.onClick.connect([&] { heard.push_back("b"); });
    panel.BUTTON.click();
    panel.BOX.onClick.connect([&] { heard.push_back("box a"); });
    panel.BOX.onClick.connect([&] { heard.push_back("box b"); });
    panel.BOX.setTicked(true);
    EXPECT_EQ(heard, (std::vector<std::string>{"a", "b", "box a", "box b"}));

    // One tick is one notice: an observer that stops the timer does not take
    // the tick from those after it.
    int ticks = 0;
    panel.TICKER.onTick.connect([&] { panel.TICKER.stop(); });
    panel.TICKER.onTick.connect([&] { ++ticks; });
    panel.TICKER.start();
    loop.advance(5000);
    EXPECT_EQ(ticks, 1);
}

TEST(Signal, AnObserverConnectedWhileNotifyingHearsTheNextNoticeOnly) {
    Signal<> signal;
    std::vector<std::string> heard;
    signal.connect([&] {
        heard.push_back("first");
        if (heard.size() == 1) signal.connect([&] { heard.push_back("late"); });
    });
    signal.connectAfter([&] {
        heard.push_back("after");
        if (heard.size() == 2) signal.connectAfter([&] { heard.push_back("late after"); });
    });
    signal.notify();
    EXPECT_EQ(heard, (std::vector<std::string>{"first", "after"}));
    signal.notify();
    EXPECT_EQ(heard, (std::vector<std::string>{"first", "after", "first", "late", "after", "late after"}));
}

// The observer being called must outlive what it does to the list: one
// that connects many others makes the list grow (and move) under it, one
// that clears the list drops its own entry. Small captures live inside the
// observer's own storage, so a list that moved them would leave it writing
// through freed memory.
struct Counts {
    Signal<> signal;
    int own = 0;
    int later = 0;
};

TEST(Signal, AnObserverThatChangesTheListUnderItselfKeepsItsCaptures) {
    Counts c;
    c.signal.connect([&c, &own = c.own] {
        for (int n = 0; n < 64; ++n) c.signal.connect([&c] { ++c.later; });
        own = 7;
    });
    c.signal.notify();
    EXPECT_EQ(c.own, 7);
    EXPECT_EQ(c.later, 0);
    c.signal.notify();
    EXPECT_EQ(c.later, 64);

    c.signal.disconnectAll();
    c.signal.connect([&c, &own = c.own] {
        c.signal.disconnectAll();
        own = 8;
    });
    c.signal.connect([&c] { c.later = -1; });  // gone before its turn
    c.signal.notify();
    EXPECT_EQ(c.own, 8);
    EXPECT_EQ(c.later, 64);
    EXPECT_TRUE(c.signal.empty());
}

TEST(Signal, ANoticeFromInsideAnObserverReachesEveryObserverAgain) {
    Signal<int> signal;
    std::vector<int> heard;
    signal.connect([&](int depth) {
        heard.push_back(depth);
        if (depth < 2) signal.notify(depth + 1);
    });
    signal.connect([&](int depth) { heard.push_back(10 + depth); });
    signal.notify(0);
    EXPECT_EQ(heard, (std::vector<int>{0, 1, 2, 12, 11, 10}));
}

TEST(Signal, ABlockerHoldsBackEveryObserverOfAControlUntilTheLastBlockerEnds) {
    VirtualLoop loop;
    Panel panel(loop);
    int clicks = 0;
    panel.BOX.onClick.connect([&] { ++clicks; });
    panel.BOX.onClick.connect([&] { ++clicks; });
    {
        const ReactionBlocker outer(panel.BOX);
        {
            const ReactionBlocker inner(panel.BOX);
            panel.BOX.setTicked(true);
        }
        panel.BOX.setTicked(false);
        EXPECT_EQ(clicks, 0);
    }
    EXPECT_FALSE(panel.BOX.onClick.blocked());
    panel.BOX.setTicked(true);
    EXPECT_EQ(clicks, 2);
}

TEST(Signal, ATimerNobodyObservesAsksForNoTicksUntilItsNextStart) {
    VirtualLoop loop;
    Panel panel(loop);
    int ticks = 0;
    panel.TICKER.start();
    panel.TICKER.onTick.connect([&] { ++ticks; });
    loop.advance(3000);
    EXPECT_EQ(ticks, 0);
    EXPECT_TRUE(panel.TICKER.enabled());
    panel.TICKER.stop();
    panel.TICKER.start();
    loop.advance(3000);
    EXPECT_EQ(ticks, 3);
}

}  // namespace
}  // namespace syncward
