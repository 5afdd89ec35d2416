#include "app/close_request.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <cerrno>

namespace syncward {

namespace {

constexpr int requestSignals[] = {SIGTERM, SIGINT, SIGHUP, SIGUSR1};

// A signal handler may do next to nothing: it writes one byte into a pipe
// that the event loop watches. The write end has to be reachable from the
// handler, hence this one file-level variable.
int writeEnd = -1;

void onCloseSignal(int signal) {
    const int savedErrno = errno;
    const char byte = static_cast<char>(signal);
    // A full pipe already holds a pending request; losing this byte is fine.
    [[maybe_unused]] const ssize_t written = ::write(writeEnd, &byte, 1);
    errno = savedErrno;
}

}  // namespace

CloseRequests::CloseRequests(std::function<void()> onRequest, std::function<void()> onGiveWay)
    : onRequest_(std::move(onRequest)), onGiveWay_(std::move(onGiveWay)) {
    int ends[2];
    // Close-on-exec: programs the launcher starts must not inherit the pipe.
    if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) return;
    readEnd_ = ends[0];
    writeEnd = ends[1];
    notifier_ = new QSocketNotifier(readEnd_, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &CloseRequests::drain);

    for (int signal : requestSignals) {
        struct sigaction previous {};
        ::sigaction(signal, nullptr, &previous);
        if (previous.sa_handler == SIG_IGN && signal != SIGUSR1) continue;
        struct sigaction action {};
        action.sa_handler = onCloseSignal;
        ::sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        ::sigaction(signal, &action, nullptr);
    }
}

CloseRequests::~CloseRequests() {
    if (readEnd_ < 0) return;
    for (int signal : requestSignals) {
        struct sigaction current {};
        ::sigaction(signal, nullptr, &current);
        if (current.sa_handler != onCloseSignal) continue;
        struct sigaction fallback {};
        fallback.sa_handler = SIG_DFL;
        ::sigemptyset(&fallback.sa_mask);
        ::sigaction(signal, &fallback, nullptr);
    }
    delete notifier_;
    ::close(writeEnd);
    ::close(readEnd_);
    writeEnd = -1;
}

void CloseRequests::drain() {
    char bytes[64];
    bool closeRequested = false;
    bool giveWayRequested = false;
    for (ssize_t got; (got = ::read(readEnd_, bytes, sizeof bytes)) > 0;)
        for (ssize_t i = 0; i < got; ++i) (bytes[i] == SIGUSR1 ? giveWayRequested : closeRequested) = true;
    if (closeRequested && onRequest_)
        onRequest_();
    else if (giveWayRequested && onGiveWay_)
        onGiveWay_();
}

}  // namespace syncward
