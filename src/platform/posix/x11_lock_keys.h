#pragma once

#include <string>

#include "core/platform/lock_keys.h"

using Display = struct _XDisplay;

namespace syncward {

// The lock keys of an X11 session: XTest presses them, Xkb reads them. It
// keeps its own connection to the display. Without one (no display name,
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

private:
    Display* display_ = nullptr;
};

}  // namespace syncward
