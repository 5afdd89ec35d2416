#pragma once

namespace syncward {

struct AppContext;

// The MULTILOADER: one unattended run as a chain of nineteen step timers.
// Each step runs on its timer's tick, shows its progress in its light and
// the status line, and hands over to the next step one second later; step
// 9 waits for the block counter, step 12 for the node to have exited.
void installRunSequence(AppContext& app);

}  // namespace syncward
