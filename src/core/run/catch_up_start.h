#pragma once

#include <string>

namespace syncward {

struct AppContext;

// What a start with --catch-up decided, and the line that says so.
struct CatchUpStart {
    bool run = false;
    std::string line;
    // When the missed run was due, in local time; empty when none was.
    std::string missedWhen;
};

// What the line says of a missed run once the window is open: it starts
// after the countdown, or, with AutoStart off, waits for the user.
std::string missedRunLine(const std::string& executableName, const std::string& missedWhen, bool autostart);

// Applies the catch-up rule to the stored task and run record, before
// anything is shown. A copy that has no run start and no catch-up start
// recorded (set up by an earlier version) runs nothing now; from this
// check on, a missed start is caught up.
CatchUpStart checkCatchUp(AppContext& app);

// The missed run starts as autostart starts one: the countdown first, so
// a user at the screen can stop it; it ends by closing the program, in
// place of any power action. Only where the weekly start itself would have
// run it (AutoStart ticked); otherwise the window only opens, and the
// status says why. True when the countdown runs.
bool startCatchUpCountdown(AppContext& app);

// "CAUGHT UP AFTER A MISSED START - CLOSED INSTEAD OF SHUTDOWN PC".
std::string closedInsteadOf(const std::string& powerAction);

}  // namespace syncward
