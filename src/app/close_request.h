#pragma once

#include <QObject>
#include <functional>
#include <memory>

namespace syncward {

// Turns what asks a program to end into a call on the Qt event loop, where
// closing the window can run as the close box runs it. On Linux these are
// the signals SIGTERM (`kill`, a shutdown), SIGINT (Ctrl+C) and SIGHUP (a
// closed terminal); a signal that was ignored when the program started
// (nohup, a background job) stays ignored. On Windows a close request is the
// window's own close message, which Qt already delivers to the close box.
// A second start of the same copy asks this one to give way, which it does
// only when idle: SIGUSR1 on Linux, a named event on Windows (see CopyLock).
// One instance at a time.
class CloseRequests : public QObject {
    Q_OBJECT
public:
    CloseRequests(std::function<void()> onRequest, std::function<void()> onGiveWay);
    ~CloseRequests() override;
    // A request to give way that arrived on any thread, handled on the Qt one.
    void giveWayRequested();

private:
    std::function<void()> onRequest_;
    std::function<void()> onGiveWay_;
    struct Source;  // where this system's requests come from
    std::unique_ptr<Source> source_;
};

}  // namespace syncward
