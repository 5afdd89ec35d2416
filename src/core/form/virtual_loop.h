#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <set>
#include <tuple>

#include "core/form/event_loop.h"

namespace syncward {

// Deterministic time for tests and anything else that must not depend on
// the wall clock: advance(ms) runs every tick that falls due, in order of
// due time and, for ticks due at the same instant, in the order the timers
// were armed.
class VirtualLoop : public EventLoop {
public:
    void armed(Timer& timer) override;
    void disarmed(Timer& timer) override;
    // Posted work runs at the current instant, before the next tick. Only
    // from the loop's own thread: virtual time has no other.
    void post(std::function<void()> work) override;

    std::int64_t now() const { return nowMs_; }
    void advance(std::int64_t ms);
    // Advance tick by tick until the condition holds; false if it did not
    // hold within the limit.
    bool runUntil(const std::function<bool()>& condition, std::int64_t limitMs);
    // Runs the oldest posted work, or else the next tick due by untilMs;
    // false if there was neither.
    bool step(std::int64_t untilMs);

private:
    using Entry = std::tuple<std::int64_t, std::uint64_t, Timer*>;  // due, arming order, timer
    std::int64_t nowMs_ = 0;
    std::uint64_t nextSequence_ = 0;
    std::set<Entry> schedule_;
    std::map<Timer*, Entry> entries_;
    std::deque<std::function<void()>> posted_;
};

}  // namespace syncward
