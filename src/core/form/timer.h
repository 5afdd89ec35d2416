#pragma once

#include <string>

#include "core/form/signal.h"

namespace syncward {

class EventLoop;
class Form;

// A periodic timer of a form. While enabled with an interval above zero it
// ticks every interval. Enabling a disabled timer starts a fresh interval;
// enabling an enabled one changes nothing; changing the interval of an
// enabled timer restarts its interval.
class Timer {
public:
    Timer(Form& form, std::string name, int intervalMs = 0);
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    const std::string& name() const { return name_; }
    int interval() const { return intervalMs_; }
    void setInterval(int intervalMs);
    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);
    void start() { setEnabled(true); }
    void stop() { setEnabled(false); }
    bool running() const { return enabled_ && intervalMs_ > 0; }
    // Starts next and stops this one, as next.start() then stop() do; a
    // chain of one-shot steps of one interval (the scanner's) hands its
    // ticking on rather than stopping one clock and starting another.
    void handOverTo(Timer& next);

    Signal<> onTick;
    // Called by the loop when an interval has passed.
    void fire();

private:
    void rearm();

    EventLoop& loop_;
    std::string name_;
    int intervalMs_;
    bool enabled_ = false;
};

}  // namespace syncward
