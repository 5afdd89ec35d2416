#include "gui/shell/qt_event_loop.h"

#include <QTimer>

#include "core/form/timer.h"

namespace syncward {

QTimer* QtEventLoop::clockOf(Timer& timer) {
    QTimer*& qtimer = timers_[&timer];
    if (!qtimer) {
        qtimer = new QTimer(this);
        owners_[qtimer] = &timer;
        QTimer* clock = qtimer;
        QObject::connect(clock, &QTimer::timeout, this, [this, clock] { owners_.at(clock)->fire(); });
    }
    return qtimer;
}

void QtEventLoop::armed(Timer& timer) {
    clockOf(timer)->start(timer.interval());  // start() on a running QTimer restarts its interval
}

// The running clock goes on as to's: its next timeout is one interval after
// this one, as a fresh start would be, without stopping and starting.
void QtEventLoop::handedOver(Timer& from, Timer& to) {
    QTimer* running = clockOf(from);
    QTimer* resting = clockOf(to);
    if (!running->isActive() || running->interval() != to.interval()) {
        EventLoop::handedOver(from, to);
        return;
    }
    resting->stop();
    timers_[&to] = running;
    owners_[running] = &to;
    timers_[&from] = resting;
    owners_[resting] = &from;
}

void QtEventLoop::disarmed(Timer& timer) {
    auto it = timers_.find(&timer);
    if (it != timers_.end()) it->second->stop();
}

// Queued to this object, so the work runs on the GUI thread whichever
// thread posts it, and is dropped if the loop is gone by then.
void QtEventLoop::post(std::function<void()> work) {
    QMetaObject::invokeMethod(this, std::move(work), Qt::QueuedConnection);
}

}  // namespace syncward
