#pragma once

#include <string>

namespace syncward {

struct AppContext;

// What a start with --catch-up decided, and the line that says so.
struct CatchUpStart {
    bool run = false;
    std::string line;
};

// Applies the catch-up rule to the stored task and run record, before
// anything is shown. A copy that has no run start and no catch-up start
// recorded (set up by an earlier version) runs nothing now; from this
// check on, a missed start is caught up.
CatchUpStart checkCatchUp(AppContext& app);

// The missed run starts as autostart starts one: the countdown first, so
// a user at the screen can stop it.
void startCatchUpCountdown(AppContext& app);

}  // namespace syncward
