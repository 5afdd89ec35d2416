#pragma once

#include <chrono>
#include <string>

namespace syncward {

// One running copy per executable name and user: a second start of the
// same copy (a timed start while it is open) must not run a second run
// beside the first. The lock is a file lock that the kernel drops when
// the process ends, a crash included; copies under other names have other
// locks and run side by side.
//
// A lock that cannot be taken is no reason to run without one: a copy that
// met the same obstacle (a link, a folder or another user's file put at the
// lock's path) would run beside it. Such a start ends and says why.
//
// A copy left open after its run (to show a failure, say) must not turn
// every later scheduled start away: the holder writes its process id into
// the lock file once it can take a request to give way, and a second start
// sends it that request (SIGUSR1), but only to a process the kernel shows
// holding this very lock. A holder with no run under way closes; one with a
// run under way ignores it, and the second start ends.
class SingleInstance {
public:
    // folder: where the lock files live (the user's runtime folder).
    SingleInstance(const std::string& folder, const std::string& executableName);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // True when this copy holds its lock and may run.
    bool first() const { return problem_.empty() && !heldElsewhere_; }
    // Why the lock could not be taken at all ("... is a symbolic link"),
    // naming its path; empty when it was taken or another copy holds it.
    const std::string& problem() const { return problem_; }

    // The holder is asked to give way; true once its lock is ours, within
    // the wait. A holder that never said it takes such requests (an older
    // version, or one still starting) is not asked: the signal's default
    // action would end it on the spot.
    bool askHolderToGiveWay(std::chrono::milliseconds wait);

    // Call once requests to give way are handled: writes our process id.
    void acceptGiveWayRequests();

    // $XDG_RUNTIME_DIR, or the temporary folder.
    static std::string defaultFolder();

private:
    bool tryLock();
    bool holdsThisLock(long pid) const;

    std::string path_;
    int descriptor_ = -1;
    bool heldElsewhere_ = false;
    std::string problem_;
};

}  // namespace syncward
