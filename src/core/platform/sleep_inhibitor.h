#pragma once

#include <string>
#include <vector>

namespace syncward {

// One of the system's inhibitors held, as the notices name it ("LOGIND").
struct HeldInhibitor {
    std::string name;
    // The desktop's own automatic suspend and screen blanking ask it. A
    // desktop may ignore the login manager's lock: GNOME's automatic suspend
    // asks only its session manager.
    bool desktopHonours = false;
};

// "GNOME SESSION + LOGIND": what is held, as the notices name it.
inline std::string namesOf(const std::vector<HeldInhibitor>& held) {
    std::string names;
    for (const HeldInhibitor& one : held) names += (names.empty() ? "" : " + ") + one.name;
    return names;
}

// Keeps the computer from sleeping or going idle while held. A key press
// only keeps an X session awake; the inhibitors also hold for other
// sessions and for runs with no display at all.
class SleepInhibitor {
public:
    virtual ~SleepInhibitor() = default;
    // True when something is held afterwards (holding twice is one hold);
    // false when the system could not be asked.
    virtual bool hold() = 0;
    // Lets the system sleep again; nothing when not held.
    virtual void release() = 0;
    virtual bool held() const = 0;
    // What is held now, the desktop's own first. Empty when nothing is, and
    // where the system has a single way that needs no naming (Windows).
    virtual std::vector<HeldInhibitor> holding() const { return {}; }
};

}  // namespace syncward
