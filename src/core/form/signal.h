#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace syncward {

// One event that several observers hear: a timer's tick, a click, a
// window's close. Nobody wraps anybody else's reaction; each connects its
// own, and notify() calls them in the order they were connected. (Not
// "emit": the views include these headers, and Qt makes that word a macro.)
//
// An observer that must come after the others (a window's teardown stops
// the timers the others still look at) connects to the "after" phase, which
// runs once every ordinary observer has run: the order is stated where it
// connects instead of following from who was installed first.
//
// Notifying is safe from inside an observer (a tick box whose reaction sets
// another cascades), and so is connecting: an observer connected while the
// signal notifies hears the next notice, not the one under way. An observer
// stays alive until its call has returned, whatever is connected or
// disconnected meanwhile.
template <typename... Args>
class Signal {
public:
    using Observer = std::function<void(Args...)>;

    Signal() = default;
    Signal(const Signal&) = delete;
    Signal& operator=(const Signal&) = delete;

    void connect(Observer observer) { add(observers_, std::move(observer)); }
    void connectAfter(Observer observer) { add(afterObservers_, std::move(observer)); }

    void notify(Args... args) {
        if (blocked_ > 0) return;
        const std::size_t ordinary = observers_.size();
        const std::size_t after = afterObservers_.size();
        callAll(observers_, ordinary, args...);
        callAll(afterObservers_, after, args...);
    }

    bool empty() const { return observers_.empty() && afterObservers_.empty(); }

    // For a test that stands in for the program's own reactions.
    void disconnectAll() {
        observers_.clear();
        afterObservers_.clear();
    }

    // While blocked, a notice calls nobody (a window puts its controls back
    // without running what a user's change would run). Blocks nest.
    void block() { ++blocked_; }
    void unblock() {
        if (blocked_ > 0) --blocked_;
    }
    bool blocked() const { return blocked_ > 0; }

private:
    using Observers = std::vector<std::shared_ptr<const Observer>>;

    static void add(Observers& observers, Observer observer) {
        if (observer) observers.push_back(std::make_shared<const Observer>(std::move(observer)));
    }

    // The count is taken before the first call; the list may grow or be
    // cleared by the calls themselves.
    static void callAll(const Observers& observers, std::size_t count, Args&... args) {
        for (std::size_t i = 0; i < count && i < observers.size(); ++i) {
            const std::shared_ptr<const Observer> observer = observers[i];
            (*observer)(args...);
        }
    }

    Observers observers_;
    Observers afterObservers_;
    int blocked_ = 0;
};

}  // namespace syncward
