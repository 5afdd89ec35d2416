#pragma once

#include <functional>

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
    // From inside from's tick: to starts a fresh interval of the same length
    // and from stops. A loop may simply let from's ticking go on as to's.
    virtual void handedOver(Timer& from, Timer& to) {
        armed(to);
        disarmed(from);
    }
    // Runs work on the loop's thread once the tick under way has ended,
    // before any later tick. Work done elsewhere (a walk on another thread)
    // hands its result back through here; safe to call from any thread.
    virtual void post(std::function<void()> work) = 0;
};

}  // namespace syncward
