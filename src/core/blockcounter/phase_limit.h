#pragma once

namespace syncward {

struct AppContext;
class MainWindow;

// An unattended run that is to finish when the block counts agree must
// finish even when they never do (a node without peers, a node that never
// gives a usable count, a home folder gone mid-run): with the override not
// started by the user, the override timer runs all the same as the phase's
// limit, shown in its box. At zero it ends the phase as the override does,
// with the reason the chain was not confirmed.
void startPhaseLimit(AppContext& app);

// A phase that ended by any way gives the override's box back to its
// switch.
void endPhaseLimit(MainWindow& w);

// Why an override that fired left the chain unconfirmed, when nothing else
// has said so: no usable count at all, or, at the unattended limit, counts
// that never agreed. The user's own override over growing counts stays the
// design's plain "more blocks than time".
void explainFiredOverride(MainWindow& w);

}  // namespace syncward
