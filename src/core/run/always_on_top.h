#pragma once

namespace syncward {

struct AppContext;

// Keeps the main window above the others while "Always On Top" is ticked.
void installAlwaysOnTop(AppContext& app);

}  // namespace syncward
