#pragma once

namespace syncward {

class Timer;

// The source of timer ticks. A timer tells its loop when it starts a fresh
// interval (armed) and when it stops (disarmed); the loop calls
// Timer::fire() when an interval has passed. One loop drives every form, on
// one thread: a tick runs to its end before anything else runs.
class EventLoop {
public:
    virtual ~EventLoop() = default;
    virtual void armed(Timer& timer) = 0;
    virtual void disarmed(Timer& timer) = 0;
};

}  // namespace syncward
