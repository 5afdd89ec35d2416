#include "platform/win32/execution_state_sleep_inhibitor.h"

#include <windows.h>

namespace syncward {

bool ExecutionStateSleepInhibitor::hold() {
    if (held_) return true;
    // "Continuous": the state stays until it is set again, not only for
    // one idle interval.
    held_ = ::SetThreadExecutionState(ES_CONTINUOUS | ES_SYSTEM_REQUIRED | ES_DISPLAY_REQUIRED) != 0;
    return held_;
}

void ExecutionStateSleepInhibitor::release() {
    if (!held_) return;
    ::SetThreadExecutionState(ES_CONTINUOUS);
    held_ = false;
}

}  // namespace syncward
