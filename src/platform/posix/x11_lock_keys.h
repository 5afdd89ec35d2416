#pragma once

#include <functional>
#include <memory>
#include <string>

#include "core/platform/lock_keys.h"

class QSocketNotifier;

using Display = struct _XDisplay;

namespace syncward {

// The lock keys of an X11 session: XTest presses them, Xkb reads them. It
// keeps its own connection to the display. states() asks the server for the
// pressed keys, the locked modifiers and the indicator lights together and
// then waits once, where asking per key costs two waits for each. Without one (no display name,
// a display that cannot be opened, no XTest) it is unavailable: presses do
// nothing and states are unknown.
class X11LockKeys : public LockKeys {
public:
    explicit X11LockKeys(const std::string& displayName);
    ~X11LockKeys() override;
    X11LockKeys(const X11LockKeys&) = delete;
    X11LockKeys& operator=(const X11LockKeys&) = delete;

    bool available() override { return display_ != nullptr; }
    void press(LockKey key) override;
    std::optional<bool> isOn(LockKey key) override;
    std::array<std::optional<bool>, 3> states() override;
    bool followChanges(std::function<void()> changed) override;

private:
    // Reads what the server sent; tells of a change if Xkb said one.
    void takeEvents();
    // Xlib reads events along with the answers it waits for, and those no
    // longer wake the socket's watch: they are taken from the queue later.
    void takeQueuedEventsLater();

    Display* display_ = nullptr;
    int xkbEventBase_ = -1;
    std::function<void()> changed_;
    std::unique_ptr<QSocketNotifier> watch_;
    int scrollIndicator_ = -1;  // the "Scroll Lock" light's number; -1 until found
};

}  // namespace syncward
