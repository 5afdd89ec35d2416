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

void Timer::rearm() {
    if (running())
        loop_.armed(*this);
    else
        loop_.disarmed(*this);
}

void Timer::fire() {
    if (running() && onTick) onTick();
}

}  // namespace syncward
