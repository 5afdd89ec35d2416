#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/reports/run_history.h"

namespace syncward {

// How fast the chain folder grows, from the first and the last size the
// history measured, and when the disk that holds it fills at that rate.
struct GrowthEstimate {
    std::optional<double> bytesPerWeek;      // absent: fewer than two measurements a moment apart
    std::optional<double> weeksUntilFull;    // absent: not growing, or the free space unknown
    std::optional<long long> fullAt;         // seconds since 1970, UTC
};

GrowthEstimate estimateGrowth(const std::vector<RunRecord>& rows, std::optional<std::uint64_t> freeBytes,
                              long long now);

// "GROWTH: 1.25 GB PER WEEK - 40.00 GB FREE - DISK FULL IN ABOUT 32 WEEKS (2027-02-20)", or what is
// missing for an estimate. The date is local, at the offset given.
std::string growthText(const GrowthEstimate& estimate, std::optional<std::uint64_t> freeBytes, int offsetSeconds);

// Bytes in gigabytes of 1000^3 (as the folder sizer counts), two decimals.
std::string gigabytesText(double bytes);

}  // namespace syncward
