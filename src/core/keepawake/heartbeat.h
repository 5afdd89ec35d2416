#pragma once

namespace syncward {

struct AppContext;

namespace heartbeat_texts {
inline constexpr const char* buttonTooltip = "START / STOP KITT \"Num-Lock\" HEARTBEAT";
inline constexpr const char* displayTooltip = "KITT \"Num-Lock\" HEARTBEAT TIMER";
inline constexpr const char* invalidInterval =
    "!!! INVALID HEARTBEAT TIME - USE HH:MM:SS ABOVE 00:00:00 - HEARTBEAT NOT STARTED !!!";
inline constexpr const char* noLockKeys = "!!! LOCK KEYS NOT AVAILABLE - NO X11 DISPLAY !!!";
inline constexpr const char* noLockKeysWindows = "!!! LOCK KEYS NOT AVAILABLE - NO VISIBLE DESKTOP !!!";
inline constexpr const char* noInhibitor = "!!! SLEEP NOT BLOCKED - NO DESKTOP INHIBITOR / LOGIN MANAGER !!!";
inline constexpr const char* noInhibitorWindows = "!!! SLEEP NOT BLOCKED - WINDOWS REFUSED THE KEEP-AWAKE REQUEST !!!";
// Followed by what holds, "GNOME SESSION + LOGIND".
inline constexpr const char* keepAwakeBy = "KEEP AWAKE: ";
inline constexpr const char* keepAwakeNoLockKeys = " - NO LOCK KEYS (NO X11 DISPLAY)";
inline constexpr const char* noLockKeysNoInhibitor =
    "!!! LOCK KEYS NOT AVAILABLE - NO X11 DISPLAY - SLEEP NOT BLOCKED - NO INHIBITOR ANSWERED !!!";
inline constexpr const char* noLockKeysNoInhibitorWindows =
    "!!! LOCK KEYS NOT AVAILABLE - NO VISIBLE DESKTOP - SLEEP NOT BLOCKED - WINDOWS REFUSED IT !!!";
}  // namespace heartbeat_texts

// The Num-Lock heartbeat: a countdown that presses Num Lock twice, 750 ms
// apart, every interval, with the scanner sweeping beside it. While it runs
// the system is also asked not to sleep.
void installHeartbeat(AppContext& app);

// The run's own start and stop (its steps 2 and 18): the start keeps the
// lamps and the countdown where they stand, the stop darkens the lamps and
// leaves the button's caption. False when the interval is refused.
bool startHeartbeatForRun(AppContext& app);
void stopHeartbeatForRun(AppContext& app);

}  // namespace syncward
