#pragma once

#include <array>

namespace syncward {

class MainWindow;
class Timer;

// The stage timers of one block-counting phase, in chain order: countdown,
// command, client wait, load, then the five checks and the node check. At
// most one of them is enabled at a time; which one is the phase's state.
std::array<Timer*, 11> chainStageTimers(MainWindow& w);

// True while a reading or a check is under way (any stage after the
// countdown, or the completion hand-over).
bool readingUnderWay(MainWindow& w);

}  // namespace syncward
