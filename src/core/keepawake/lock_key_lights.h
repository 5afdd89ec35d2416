#pragma once

namespace syncward {

struct AppContext;

// The N, C and S lights: read at the first tick of their timer, then
// refreshed whenever the system tells of a change, or, where it tells
// nothing, every 100 ms; a double-click presses the key.
void installLockKeyLights(AppContext& app);

}  // namespace syncward
