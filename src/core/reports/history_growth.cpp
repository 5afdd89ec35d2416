#include "core/reports/history_growth.h"

#include <cmath>
#include <cstdio>

#include "core/reports/run_history.h"
#include "core/time/iso_local.h"

namespace syncward {

namespace {

constexpr double secondsPerWeek = 7 * 24 * 3600.0;

struct Measurement {
    long long at;
    std::uint64_t bytes;
};

}  // namespace

GrowthEstimate estimateGrowth(const std::vector<RunRecord>& rows, std::optional<std::uint64_t> freeBytes,
                              long long now) {
    std::optional<Measurement> first, last;
    const auto take = [&](long long at, const std::optional<std::uint64_t>& bytes) {
        if (!bytes) return;
        if (!first || at < first->at) first = Measurement{at, *bytes};
        if (!last || at >= last->at) last = Measurement{at, *bytes};
    };
    for (const RunRecord& row : rows) {
        take(row.start, row.bytesBefore);
        take(row.end, row.bytesAfter);
    }
    GrowthEstimate estimate;
    if (!first || !last || last->at <= first->at) return estimate;
    const double grown = static_cast<double>(last->bytes) - static_cast<double>(first->bytes);
    estimate.bytesPerWeek = grown / static_cast<double>(last->at - first->at) * secondsPerWeek;
    if (!freeBytes || *estimate.bytesPerWeek <= 0) return estimate;
    estimate.weeksUntilFull = static_cast<double>(*freeBytes) / *estimate.bytesPerWeek;
    // Far futures are not worth a date (and would not fit one).
    if (*estimate.weeksUntilFull < 52.0 * 1000) estimate.fullAt = now + std::llround(*estimate.weeksUntilFull * secondsPerWeek);
    return estimate;
}

std::string gigabytesText(double bytes) {
    char text[64];
    std::snprintf(text, sizeof text, "%.2f GB", bytes / 1e9);
    return text;
}

std::string growthText(const GrowthEstimate& estimate, std::optional<std::uint64_t> freeBytes, int offsetSeconds) {
    if (!estimate.bytesPerWeek) return "GROWTH: NEEDS TWO FOLDER SIZES MEASURED AT DIFFERENT TIMES";
    std::string text = "GROWTH: " + gigabytesText(*estimate.bytesPerWeek) + " PER WEEK";
    if (!freeBytes) return text + " - FREE SPACE UNKNOWN";
    text += " - " + gigabytesText(static_cast<double>(*freeBytes)) + " FREE";
    if (*estimate.bytesPerWeek <= 0) return text + " - NOT GROWING";
    if (!estimate.fullAt) return text + " - DISK FULL IN MORE THAN 1000 YEARS";
    char weeks[32];
    std::snprintf(weeks, sizeof weeks, "%.0f", std::floor(*estimate.weeksUntilFull));
    return text + " - DISK FULL IN ABOUT " + weeks + " WEEKS (" +
           isoLocalText(*estimate.fullAt, offsetSeconds).substr(0, 10) + ") AT THIS RATE";
}

}  // namespace syncward
