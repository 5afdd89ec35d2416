#pragma once

#include <string>

namespace syncward {

// One running copy per executable name and user: a second start of the
// same copy (a timed start while it is open) must not run a second run
// beside the first. The lock is a file lock that the kernel drops when
// the process ends, a crash included; copies under other names have other
// locks and run side by side.
class SingleInstance {
public:
    // folder: where the lock files live (the user's runtime folder).
    SingleInstance(const std::string& folder, const std::string& executableName);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // False only when another process holds this copy's lock; a lock that
    // cannot be made at all does not stop the program.
    bool first() const { return !heldElsewhere_; }

    // $XDG_RUNTIME_DIR, or the temporary folder.
    static std::string defaultFolder();

private:
    int descriptor_ = -1;
    bool heldElsewhere_ = false;
};

}  // namespace syncward
