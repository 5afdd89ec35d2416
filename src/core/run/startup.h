#pragma once

namespace syncward {

struct AppContext;

// Loads the main window: place, caption, timers, stored settings, the run
// record and the exclusions, in the fixed order the program has always
// used. Writes nothing; the status line keeps "READY...".
void runStartUp(AppContext& app);

}  // namespace syncward
