#pragma once

#include <QObject>
#include <unordered_map>

#include "core/form/event_loop.h"

class QTimer;

namespace syncward {

// The program's timers on Qt's event loop: one QTimer per model timer.
// Everything runs on the GUI thread, so ticks never overlap.
class QtEventLoop : public QObject, public EventLoop {
public:
    void armed(Timer& timer) override;
    void disarmed(Timer& timer) override;
    void post(std::function<void()> work) override;

private:
    std::unordered_map<Timer*, QTimer*> timers_;
};

}  // namespace syncward
