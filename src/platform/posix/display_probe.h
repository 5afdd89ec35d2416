#pragma once

#include <chrono>
#include <memory>

namespace syncward {

// Asks whether a window could be shown now on the display the environment
// names: the X display of DISPLAY (its authority included) when it is set,
// otherwise the Wayland socket of WAYLAND_DISPLAY. A scheduled start keeps
// the display it was set up with, which may be gone by the time it runs.
//
// The X connection opened to ask is held until the probe is destroyed: an
// X server whose last client leaves resets itself (Xvfb's default, and that
// of a server started by xinit or xvfb-run), and the toolkit's own
// connection fails if it arrives during that reset. Destroy the probe once
// the toolkit holds its connection.
//
// A server that accepts and never answers would keep Xlib waiting for ever:
// the answer is awaited at most `limit`, and is "no" after that.
class DisplayProbe {
public:
    explicit DisplayProbe(std::chrono::milliseconds limit);
    ~DisplayProbe();
    DisplayProbe(const DisplayProbe&) = delete;
    DisplayProbe& operator=(const DisplayProbe&) = delete;

    bool opens() const { return opens_; }

private:
    struct X11Answer;
    std::shared_ptr<X11Answer> x11_;
    bool opens_ = false;
};

}  // namespace syncward
