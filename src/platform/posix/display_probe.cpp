#include "platform/posix/display_probe.h"

#include <X11/Xlib.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>

namespace syncward {

// Shared with the thread that opens the display, which may outlive the
// probe when the server never answers.
struct DisplayProbe::X11Answer {
    std::mutex mutex;
    std::condition_variable came;
    bool answered = false;
    bool givenUp = false;
    Display* display = nullptr;
};

namespace {

bool waylandSocketAnswers(const char* name) {
    std::string path = name;
    if (path.empty()) return false;
    if (path.front() != '/') {
        const char* runtime = std::getenv("XDG_RUNTIME_DIR");
        if (!runtime || !*runtime) return false;
        path = std::string(runtime) + "/" + path;
    }
    sockaddr_un address{};
    if (path.size() >= sizeof address.sun_path) return false;
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    const bool connected = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return connected;
}

}  // namespace

DisplayProbe::DisplayProbe(std::chrono::milliseconds limit) {
    const char* x11 = std::getenv("DISPLAY");
    if (!x11 || !*x11) {
        const char* wayland = std::getenv("WAYLAND_DISPLAY");
        opens_ = wayland && *wayland && waylandSocketAnswers(wayland);
        return;
    }
    x11_ = std::make_shared<X11Answer>();
    std::thread([answer = x11_] {
        Display* display = XOpenDisplay(nullptr);
        std::lock_guard lock(answer->mutex);
        if (answer->givenUp) {
            if (display) XCloseDisplay(display);
        } else {
            answer->display = display;
        }
        answer->answered = true;
        answer->came.notify_one();
    }).detach();
    std::unique_lock lock(x11_->mutex);
    if (x11_->came.wait_for(lock, limit, [this] { return x11_->answered; }))
        opens_ = x11_->display != nullptr;
    else
        x11_->givenUp = true;  // the thread stays blocked on the silent server
}

DisplayProbe::~DisplayProbe() {
    if (!x11_) return;
    std::lock_guard lock(x11_->mutex);
    if (x11_->display) XCloseDisplay(x11_->display);
    x11_->display = nullptr;
    x11_->givenUp = true;
}

}  // namespace syncward
