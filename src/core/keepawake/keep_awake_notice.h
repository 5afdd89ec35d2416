#pragma once

namespace syncward {

struct AppContext;

// Says once in the status line what keeping awake cannot do here: press
// lock keys (no X11 display) or block sleep (no system bus). Each limit is
// said at most once while the program runs.
void noticeKeepAwakeLimits(AppContext& app, bool inhibitorFailed);

}  // namespace syncward
