#pragma once

#include <QString>
#include <cstddef>
#include <optional>
#include <vector>

#include "core/reports/run_history.h"

namespace syncward {

// How many of the latest runs a chart shows; the history's table shows all.
inline constexpr std::size_t chartedRuns = 52;

// A value axis as drawn: from lowest to highest in ticks - 1 equal steps,
// a label on every tick.
struct ChartAxis {
    QString title;
    double lowest = 0;
    double highest = 1;
    int ticks = 2;

    double step() const { return (highest - lowest) / (ticks - 1); }
    double tick(int n) const { return lowest + n * step(); }
};

// An axis that holds lowest to highest on round steps (1, 2 or 5 times a
// power of ten), about five ticks, so its labels read as plain numbers.
ChartAxis niceAxis(const QString& title, double lowest, double highest);

// One run's bar; a failed or not confirmed run's bar is red and has a mark
// at its foot, so a failed run that brought nothing still shows.
struct RunBar {
    double value = 0;
    bool failed = false;
};

struct LinePoint {
    std::size_t run = 0;
    double value = 0;
};

// A line over the bars on an axis of its own (on the right); runs without
// a value have no point.
struct ChartLine {
    QString name;
    ChartAxis axis;
    std::vector<LinePoint> points;
};

// What a run chart shows, as numbers and texts: everything the painter
// needs, nothing it has to work out about runs.
struct RunChart {
    QString title;
    QString barName;
    ChartAxis axis;
    std::vector<RunBar> bars;
    // One per bar: the run's local start, "MM-DD hh:mm", unique.
    std::vector<QString> labels;
    std::optional<ChartLine> line;

    bool empty() const { return bars.empty(); }
};

// The blocks each of the latest runs brought, and the chain folder's size
// after it in GB on an axis around the sizes.
RunChart blocksChart(const std::vector<RunRecord>& rows);
// The length of each of the latest runs in minutes.
RunChart lengthChart(const std::vector<RunRecord>& rows);

}  // namespace syncward
