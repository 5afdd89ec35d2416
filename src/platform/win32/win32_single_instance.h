#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <thread>

#include "platform/win32/handle.h"

namespace syncward {

// One running copy per executable name and user: a second start of the
// same copy (a timed start while it is open) must not run a second run
// beside the first. The claim is a named mutex in the user's session,
// "Local\SYNCWARD-<NAME>" (the name upper-cased, as Windows ignores the
// letter case of file names); the system frees it when the holder ends, a
// crash included. Copies under other names run side by side.
//
// A copy left open after its run must not turn every later scheduled start
// away: once the holder takes requests to give way it keeps a named event,
// "Local\SYNCWARD-<NAME>-GIVE-WAY", that a second start sets. A holder that
// never said it takes requests is not asked.
//
// A mutex belongs to the thread that took it: make the object, and ask the
// holder to give way, on the program's own thread, which lives as long as
// the program.
class Win32SingleInstance {
public:
    // Runs on a thread of the instance's own, once per request; it must
    // return soon (hand the request on to the program's own thread, say) and
    // must not destroy the instance.
    using GiveWayRequest = std::function<void()>;

    explicit Win32SingleInstance(const std::string& executableName);
    ~Win32SingleInstance();
    Win32SingleInstance(const Win32SingleInstance&) = delete;
    Win32SingleInstance& operator=(const Win32SingleInstance&) = delete;

    // True when this copy holds its claim and may run.
    bool first() const { return problem_.empty() && !heldElsewhere_; }
    // Why the claim cannot be made at all (another object squats on its
    // name, say); empty when it was made or another copy holds it. Such a
    // start must not run: another one that met the same would run beside it.
    const std::string& problem() const { return problem_; }

    // The holder is asked to give way; true once the claim is ours, within
    // the wait. False at once when the holder takes no requests.
    bool askHolderToGiveWay(std::chrono::milliseconds wait);

    // From now on every request to give way calls onRequest. Call once.
    void acceptGiveWayRequests(GiveWayRequest onRequest);

    // "Local\SYNCWARD-LTC1" for "ltc1": upper case, a backslash (which a
    // name of this kind cannot hold) as "_".
    static std::wstring claimName(const std::string& executableName);

private:
    bool take(DWORD waitMs);

    std::wstring name_;
    Handle mutex_;
    bool owned_ = false;
    bool heldElsewhere_ = false;
    std::string problem_;
    Handle requests_;  // the give-way event, while requests are taken
    Handle stop_;      // ends the thread that waits for them
    std::thread listener_;
};

}  // namespace syncward
