#pragma once

#include <string>

namespace syncward {

struct AppContext;
class MainWindow;

// Four agreeing block counts are handed here. With "Confirm With Node"
// ticked the node is asked once more for its chain state and peers before
// the phase may complete; otherwise the phase completes at once.
void handOverAgreeingReadings(AppContext& app);

// A new block-counting phase starts with no word from the node yet, and
// nothing known against it.
void forgetNodeCheck(MainWindow& w);

// How a phase that ended by the override, or a run that closes, is told
// when the node never confirmed the chain; empty when it did or was not
// asked.
std::string overrideOutcome(const MainWindow& w);
std::string runOutcome(const MainWindow& w);
// How a completed phase is told: a success, noting the conditions a
// partial check left out, "not confirmed" when the node was asked and did
// not confirm, or "finished" with why there was no chain to judge (a node
// that never ran or stopped).
std::string completedOutcome(const MainWindow& w);
bool isSuccessOutcome(const std::string& lastRunText);

}  // namespace syncward
