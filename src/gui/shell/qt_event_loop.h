#pragma once

#include <QObject>
#include <unordered_map>

#include "core/form/event_loop.h"

class QTimer;

namespace syncward {

// The program's timers on Qt's event loop: a QTimer for each model timer
// that runs; a hand-over passes the running QTimer on, so a chain of steps
// keeps one clock going. Everything runs on the GUI thread, so ticks never
// overlap.
class QtEventLoop : public QObject, public EventLoop {
public:
    void armed(Timer& timer) override;
    void disarmed(Timer& timer) override;
    void handedOver(Timer& from, Timer& to) override;
    void post(std::function<void()> work) override;

private:
    QTimer* clockOf(Timer& timer);

    std::unordered_map<Timer*, QTimer*> timers_;
    std::unordered_map<QTimer*, Timer*> owners_;
};

}  // namespace syncward
