#pragma once

#include <array>
#include <functional>
#include <optional>

namespace syncward {

enum class LockKey { Num, Caps, Scroll };

// The keyboard's three lock keys. Where the program cannot reach the
// keyboard of the session (no display, offscreen, a session that does not
// let programs type), presses do nothing and states are unknown.
class LockKeys {
public:
    virtual ~LockKeys() = default;
    virtual bool available() = 0;
    // Presses and releases the key once, as the user would.
    virtual void press(LockKey key) = 0;
    // Whether the key's state is non-zero (toggled on, or held down);
    // nullopt when it cannot be read.
    virtual std::optional<bool> isOn(LockKey key) = 0;
    // The three states, indexed by LockKey, in one look where the system
    // can answer them together.
    virtual std::array<std::optional<bool>, 3> states() {
        return {isOn(LockKey::Num), isOn(LockKey::Caps), isOn(LockKey::Scroll)};
    }
    // Where the system tells when a key's state changes, calls changed, on
    // the program's own thread, each time one may have changed, and answers
    // true: nobody need ask for the states again until then. False where
    // the states have to be asked for over and over.
    virtual bool followChanges(std::function<void()> changed) {
        (void)changed;
        return false;
    }
};

}  // namespace syncward
