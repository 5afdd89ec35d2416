#pragma once

#include "core/platform/sleep_inhibitor.h"

namespace syncward {

// Keeps the computer and its display awake through the thread's execution
// state. The state belongs to the thread that set it and ends with that
// thread (and with the process, a crash included): hold() and release()
// run on the program's own thread, the one that runs its event loop, as
// every call from the keep-awake timers does.
class ExecutionStateSleepInhibitor : public SleepInhibitor {
public:
    ExecutionStateSleepInhibitor() = default;
    ~ExecutionStateSleepInhibitor() override { release(); }
    ExecutionStateSleepInhibitor(const ExecutionStateSleepInhibitor&) = delete;
    ExecutionStateSleepInhibitor& operator=(const ExecutionStateSleepInhibitor&) = delete;

    bool hold() override;
    void release() override;
    bool held() const override { return held_; }

private:
    bool held_ = false;
};

}  // namespace syncward
