#include "core/form/timer.h"

#include "core/form/event_loop.h"
#include "core/form/form.h"

namespace syncward {

Timer::Timer(Form& form, std::string name, int intervalMs)
    : loop_(form.loop()), name_(std::move(name)), intervalMs_(intervalMs) {
    form.registerTimer(*this);
}

Timer::~Timer() { loop_.disarmed(*this); }

void Timer::setInterval(int intervalMs) {
    if (intervalMs_ == intervalMs) return;
    intervalMs_ = intervalMs;
    if (enabled_) rearm();
}

void Timer::setEnabled(bool enabled) {
    if (enabled_ == enabled) return;
    enabled_ = enabled;
    rearm();
}

// A timer nobody observes stays enabled (its flag is state others may
// read) but asks the loop for no ticks: waking the program for nothing
// costs as much as a tick with work. An observer connected later takes
// effect at the timer's next start.
void Timer::rearm() {
    if (running() && !onTick.empty())
        loop_.armed(*this);
    else
        loop_.disarmed(*this);
}

void Timer::handOverTo(Timer& next) {
    const bool handOn = running() && !onTick.empty() && !next.enabled_ && !next.onTick.empty() &&
                        next.intervalMs_ == intervalMs_ && &next.loop_ == &loop_ && &next != this;
    if (!handOn) {
        next.start();
        stop();
        return;
    }
    next.enabled_ = true;
    enabled_ = false;
    loop_.handedOver(*this, next);
}

void Timer::fire() {
    if (running()) onTick.notify();
}

}  // namespace syncward
