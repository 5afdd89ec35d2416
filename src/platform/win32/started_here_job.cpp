#include "platform/win32/started_here_job.h"

#include <atomic>

#include "platform/win32/handle.h"

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
    if (!ours) return false;
    BOOL inJob = FALSE;
    if (::IsProcessInJob(process, ours, &inJob)) return inJob;
    // Wine asks for full query rights where Windows takes limited ones.
    const Handle queried(::OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, ::GetProcessId(process)));
    return queried && ::IsProcessInJob(queried.get(), ours, &inJob) && inJob;
}

}  // namespace syncward
