#pragma once

namespace syncward {

struct AppContext;

// Says in the status line what holds the computer awake ("KEEP AWAKE: GNOME
// SESSION + LOGIND") whenever that differs from what was said last, and
// what keeping awake cannot do here: press lock keys (no X11 display) or
// block sleep (no bus answered). Each limit is said at most once while the
// program runs.
void noticeKeepAwake(AppContext& app, bool inhibitorFailed);

}  // namespace syncward
