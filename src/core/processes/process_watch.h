#pragma once

namespace syncward {

struct AppContext;

// The four process state boxes of the main window, refreshed on every tick
// of MULTI_PROCESS_WATCHER_TIMER: green while the watched program runs, red
// while it does not. The QT, daemon and client boxes follow the configured
// names (an empty name leaves its box alone); the fourth box always watches
// the mailer. The client box also decides whether "Run Now" may be pressed.
void installProcessWatch(AppContext& app);

}  // namespace syncward
