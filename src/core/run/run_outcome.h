#pragma once

#include <string>

namespace syncward {

struct AppContext;

// How a run ended, as the last-run box and the store keep it. A run that
// starts stores that it is under way; its end overwrites that. A start-up
// that finds "under way" stored knows the run before was cut short (a
// crash, a kill, a power cut) and shows it so, on red.
void markRunUnderWay(AppContext& app);

// Stores the run's outcome once the end report's write has been checked:
// a report or a setting that did not reach the disk is never stored as a
// success. A failure is also said on standard error, where a run without
// a screen can still be read. True when everything is stored.
bool storeRunOutcome(AppContext& app);

// STOP ends a run under way: its mark is replaced by "stopped by the
// user", never by the outcome the box showed before (an earlier run's,
// maybe a success), so that the next start, the history and the next
// report tell the same story. A save that fails is said on the window and
// on standard error; the mark then stays, and the next start calls the run
// interrupted, which is no success either. True when stored.
bool storeRunStopped(AppContext& app);

// The system refused the power action the run ended with: the stored
// outcome says so after what the run itself achieved ("!!! COMPLETED
// SUCCESSFULLY - SHUTDOWN PC REFUSED BY THE SYSTEM (...) !!!"), on red,
// so that the next start shows that the computer stayed on. True when
// stored.
bool storePowerActionRefused(AppContext& app, const std::string& refusal);

// The text the last-run box shows for what is stored.
std::string shownLastRun(const std::string& stored);

}  // namespace syncward
