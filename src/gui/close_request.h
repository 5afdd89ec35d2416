#pragma once

#include <QObject>
#include <functional>

class QSocketNotifier;

namespace syncward {

// Turns the signals that ask a program to end (SIGTERM from `kill` or a
// shutdown, SIGINT from Ctrl+C, SIGHUP from a closed terminal) into a call
// on the Qt event loop, where closing the window can run as the close box
// runs it. A signal that was ignored when the program started (nohup, a
// background job) stays ignored. One instance at a time.
class CloseRequests : public QObject {
    Q_OBJECT
public:
    explicit CloseRequests(std::function<void()> onRequest);
    ~CloseRequests() override;

private:
    void drain();

    std::function<void()> onRequest_;
    QSocketNotifier* notifier_ = nullptr;
    int readEnd_ = -1;
};

}  // namespace syncward
