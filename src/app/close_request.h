#pragma once

#include <QObject>
#include <functional>

class QSocketNotifier;

namespace syncward {

// Turns the signals that ask a program to end (SIGTERM from `kill` or a
// shutdown, SIGINT from Ctrl+C, SIGHUP from a closed terminal) into a call
// on the Qt event loop, where closing the window can run as the close box
// runs it. A signal that was ignored when the program started (nohup, a
// background job) stays ignored. SIGUSR1 is a second start of the same
// copy asking this one to give way, which it does only when idle. One
// instance at a time.
class CloseRequests : public QObject {
    Q_OBJECT
public:
    CloseRequests(std::function<void()> onRequest, std::function<void()> onGiveWay);
    ~CloseRequests() override;

private:
    void drain();

    std::function<void()> onRequest_;
    std::function<void()> onGiveWay_;
    QSocketNotifier* notifier_ = nullptr;
    int readEnd_ = -1;
};

}  // namespace syncward
