#pragma once

#include <optional>
#include <string>

#include "core/scheduler/catch_up.h"

namespace syncward {

struct AppContext;
class SectionSettings;

// Where the program keeps what catching up needs, as "2026-07-12T02:30:00Z".
namespace catch_up_keys {
inline constexpr const char* lastRunStart = "LAST_RUN_START";
inline constexpr const char* since = "CATCH_UP_SINCE";
}  // namespace catch_up_keys

// Every run's start, by hand or timed: a run after a scheduled time
// covers it.
void storeRunStart(AppContext& app);
// From now on, a scheduled start without a run is caught up.
void storeCatchUpSince(AppContext& app);

// The weekly task as stored: nullopt unless it is created and enabled.
std::optional<WeeklyTime> storedWeeklyTask(const SectionSettings& settings);
UtcOffset localZone(AppContext& app);
// The rule applied to what is stored, now.
CatchUp storedCatchUp(AppContext& app, const WeeklyTime& task);

}  // namespace syncward
