#include "gui/shell/qt_event_loop.h"

#include <QTimer>

#include "core/form/timer.h"

namespace syncward {

void QtEventLoop::armed(Timer& timer) {
    QTimer*& qtimer = timers_[&timer];
    if (!qtimer) {
        qtimer = new QTimer(this);
        QObject::connect(qtimer, &QTimer::timeout, this, [&timer] { timer.fire(); });
    }
    qtimer->start(timer.interval());  // start() on a running QTimer restarts its interval
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
