#include "platform/win32/started_here_job.h"

#include <atomic>

namespace syncward {

namespace {

std::atomic<bool> joiningFailed{false};

// Made at the first start and kept for the program's life: closing it
// would not end the processes (no kill-on-close limit is set), but a new
// job would no longer know the earlier ones.
HANDLE job() {
    static const HANDLE handle = ::CreateJobObjectW(nullptr, nullptr);
    return handle;
}

}  // namespace

bool joinStartedHereJob(HANDLE process) {
    const HANDLE ours = job();
    if (ours && ::AssignProcessToJobObject(ours, process)) return true;
    joiningFailed = true;
    return false;
}

bool isStartedHere(HANDLE process) {
    if (joiningFailed) return true;
    const HANDLE ours = job();
    BOOL inJob = FALSE;
    return ours && ::IsProcessInJob(process, ours, &inJob) && inJob;
}

}  // namespace syncward
