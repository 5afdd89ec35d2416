#pragma once

namespace syncward {

struct AppContext;

// The block counter of the main window: the countdown, the reading chain
// (command, client wait, load), the completion checks that judge each
// reading, the override, the manual controls and the tooltip refresh.
// The phase ends in the completion hand-over, which lets the run go on.
void installBlockCounter(AppContext& app);

// The pieces, installed by installBlockCounter.
void installReadingChain(AppContext& app);
void installCompletionChecks(AppContext& app);
void installCompletionHandover(AppContext& app);
void installOverrideTimer(AppContext& app);
void installTooltipRefresh(AppContext& app);
void installNodeCheck(AppContext& app);

}  // namespace syncward
