#include "core/form/virtual_loop.h"

#include "core/form/timer.h"

namespace syncward {

void VirtualLoop::armed(Timer& timer) {
    disarmed(timer);
    Entry entry{nowMs_ + timer.interval(), nextSequence_++, &timer};
    schedule_.insert(entry);
    entries_[&timer] = entry;
}

void VirtualLoop::disarmed(Timer& timer) {
    auto it = entries_.find(&timer);
    if (it == entries_.end()) return;
    schedule_.erase(it->second);
    entries_.erase(it);
}

void VirtualLoop::post(std::function<void()> work) { posted_.push_back(std::move(work)); }

bool VirtualLoop::step(std::int64_t untilMs) {
    if (!posted_.empty()) {
        auto work = std::move(posted_.front());
        posted_.pop_front();
        work();
        return true;
    }
    if (schedule_.empty()) return false;
    Entry first = *schedule_.begin();
    auto [due, sequence, timer] = first;
    if (due > untilMs) return false;
    nowMs_ = due;
    // The next interval keeps the timer's place among timers armed with it;
    // it is booked before the tick, so a tick that disables its own timer
    // removes it again.
    schedule_.erase(schedule_.begin());
    Entry next{due + timer->interval(), sequence, timer};
    schedule_.insert(next);
    entries_[timer] = next;
    timer->fire();
    return true;
}

void VirtualLoop::advance(std::int64_t ms) {
    const std::int64_t target = nowMs_ + ms;
    while (step(target)) {
    }
    nowMs_ = target;
}

bool VirtualLoop::runUntil(const std::function<bool()>& condition, std::int64_t limitMs) {
    const std::int64_t target = nowMs_ + limitMs;
    while (!condition()) {
        if (!step(target)) {
            nowMs_ = target;
            return condition();
        }
    }
    return true;
}

}  // namespace syncward
