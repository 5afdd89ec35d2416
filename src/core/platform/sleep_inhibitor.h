#pragma once

namespace syncward {

// Keeps the computer from sleeping or going idle while held. A key press
// only keeps an X session awake; the login manager's inhibitor also holds
// for other sessions and for runs with no display at all.
class SleepInhibitor {
public:
    virtual ~SleepInhibitor() = default;
    // True when the inhibitor is held afterwards (holding twice is one hold);
    // false when the system could not be asked.
    virtual bool hold() = 0;
    // Lets the system sleep again; nothing when not held.
    virtual void release() = 0;
    virtual bool held() const = 0;
};

}  // namespace syncward
