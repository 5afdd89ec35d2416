#pragma once

namespace syncward {

struct AppContext;

// A full countdown from the "Run Every" text. An interval that is not a
// valid time starts nothing and says so; false then.
bool restartCountdown(AppContext& app);

// Saves both interval texts, "Run Every" first, when both are valid times.
// A text that is not a time would be replaced by the default at the next
// start, so it is refused here and the stored values stay as they were.
bool saveIntervals(AppContext& app);

}  // namespace syncward
