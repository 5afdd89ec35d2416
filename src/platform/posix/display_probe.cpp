#include "platform/posix/display_probe.h"

#include <X11/Xlib.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace syncward {

namespace {

bool x11DisplayOpens() {
    Display* display = XOpenDisplay(nullptr);
    if (!display) return false;
    XCloseDisplay(display);
    return true;
}

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

bool displayOpens() {
    const char* x11 = std::getenv("DISPLAY");
    if (x11 && *x11) return x11DisplayOpens();
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return wayland && *wayland && waylandSocketAnswers(wayland);
}

}  // namespace syncward
