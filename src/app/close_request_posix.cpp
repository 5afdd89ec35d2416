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

struct CloseRequests::Source {
    int readEnd = -1;
    QSocketNotifier* notifier = nullptr;
};

CloseRequests::CloseRequests(std::function<void()> onRequest, std::function<void()> onGiveWay)
    : onRequest_(std::move(onRequest)), onGiveWay_(std::move(onGiveWay)), source_(std::make_unique<Source>()) {
    int ends[2];
    // Close-on-exec: programs the launcher starts must not inherit the pipe.
    if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) return;
    const int readEnd = source_->readEnd = ends[0];
    writeEnd = ends[1];
    source_->notifier = new QSocketNotifier(readEnd, QSocketNotifier::Read, this);
    connect(source_->notifier, &QSocketNotifier::activated, this, [this, readEnd] {
        char bytes[64];
        bool closeRequested = false;
        bool giveWay = false;
        for (ssize_t got; (got = ::read(readEnd, bytes, sizeof bytes)) > 0;)
            for (ssize_t i = 0; i < got; ++i) (bytes[i] == SIGUSR1 ? giveWay : closeRequested) = true;
        if (closeRequested && onRequest_)
            onRequest_();
        else if (giveWay && onGiveWay_)
            onGiveWay_();
    });

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
    if (source_->readEnd < 0) return;
    for (int signal : requestSignals) {
        struct sigaction current {};
        ::sigaction(signal, nullptr, &current);
        if (current.sa_handler != onCloseSignal) continue;
        struct sigaction fallback {};
        fallback.sa_handler = SIG_DFL;
        ::sigemptyset(&fallback.sa_mask);
        ::sigaction(signal, &fallback, nullptr);
    }
    delete source_->notifier;
    ::close(writeEnd);
    ::close(source_->readEnd);
    writeEnd = -1;
}

}  // namespace syncward
