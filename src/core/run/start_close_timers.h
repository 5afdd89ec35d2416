#pragma once

namespace syncward {

struct AppContext;

// The timers and buttons around the run: the autostart and autoclose
// countdowns, the run-time clock, the completion timer through which the
// block counter ends its phase, and the EXIT button.
void installStartCloseTimers(AppContext& app);

}  // namespace syncward
