#pragma once

#include "core/form/signal.h"
#include "core/state/run_state.h"

namespace syncward {

// What the run tells those who follow it (the run history), each as it
// happens and once the run's own work for it is done, so a follower reads
// the outcome rather than racing the run for a tick or a click.
struct RunEvents {
    // A step did its work and handed on (its timer stopped); a step that
    // waits ticks on and is not done yet. The last steps also follow the
    // block counter used by hand, outside any run.
    Signal<RunStep> stepDone;
    // The start/stop button stopped a run under way.
    Signal<> stoppedByHand;
};

}  // namespace syncward
