#pragma once

namespace syncward {

struct AppContext;

// The N, C and S lights: refreshed every 100 ms from the lock keys' states;
// a double-click presses the key.
void installLockKeyLights(AppContext& app);

}  // namespace syncward
