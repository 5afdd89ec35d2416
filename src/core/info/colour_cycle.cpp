#include "core/info/colour_cycle.h"

namespace syncward {

ColourCycle::ColourCycle(std::array<Timer*, 5> timers, std::function<void(Colour)> paint)
    : timers_(timers), paint_(std::move(paint)) {
    for (std::size_t n = 0; n < timers_.size(); ++n) {
        timers_[n]->onTick.connect([this, n] {
            paint_(order[n]);
            timers_[(n + 1) % timers_.size()]->start();
            timers_[n]->stop();
        });
    }
}

void ColourCycle::restart() {
    stop();
    timers_[0]->start();
}

void ColourCycle::stop() {
    for (Timer* timer : timers_) timer->stop();
}

}  // namespace syncward
