#include "gui/reports/run_chart.h"

#include <algorithm>
#include <cmath>
#include <set>
#include <string>

#include "core/reports/history_window.h"
#include "core/time/iso_local.h"

namespace syncward {

namespace {

// The round number of the form 1, 2 or 5 times a power of ten nearest to
// x: at or above it when rounding up (an axis's whole range), else the
// nearest (a step).
double roundNumber(double x, bool up) {
    const double power = std::pow(10.0, std::floor(std::log10(x)));
    const double q = x / power;
    double round;
    if (up)
        round = q <= 1 ? 1 : q <= 2 ? 2 : q <= 5 ? 5 : 10;
    else
        round = q < 1.5 ? 1 : q < 3 ? 2 : q < 7 ? 5 : 10;
    return round * power;
}

RunChart titleOnly(const QString& title) {
    RunChart chart;
    chart.title = title;
    return chart;
}

std::vector<const RunRecord*> latestRuns(const std::vector<RunRecord>& rows) {
    const std::size_t shown = std::min(rows.size(), chartedRuns);
    std::vector<const RunRecord*> runs;
    for (auto run = rows.end() - static_cast<std::ptrdiff_t>(shown); run != rows.end(); ++run) runs.push_back(&*run);
    return runs;
}

// "12-07 02:30" in the run's own local time; a second run in the same
// minute gets " #2", a third " #3", so every bar has a label of its own.
std::vector<QString> runLabels(const std::vector<const RunRecord*>& runs) {
    std::vector<QString> labels;
    std::set<QString> taken;
    for (const RunRecord* run : runs) {
        const std::string text = isoLocalText(run->start, run->startOffset);
        const QString minute = QString::fromStdString(text.substr(5, 5) + " " + text.substr(11, 5));
        QString label = minute;
        for (int n = 2; taken.contains(label); ++n) label = minute + QString(" #%1").arg(n);
        taken.insert(label);
        labels.push_back(label);
    }
    return labels;
}

RunChart runBars(const std::vector<const RunRecord*>& runs, const QString& title, const QString& name,
                 double (*value)(const RunRecord&)) {
    RunChart chart;
    chart.title = title;
    chart.barName = name;
    double highest = 0;
    for (const RunRecord* run : runs) {
        const double v = std::max(0.0, value(*run));
        highest = std::max(highest, v);
        chart.bars.push_back({v, !run->succeeded()});
    }
    chart.axis = niceAxis(name, 0, highest);
    chart.labels = runLabels(runs);
    return chart;
}

// The folder's size after each run (before it, when it was not measured
// after), in GB; nothing when no run measured it.
std::optional<ChartLine> folderSizeLine(const std::vector<const RunRecord*>& runs) {
    ChartLine line;
    line.name = "FOLDER SIZE (GB)";
    double smallest = 0, largest = 0;
    for (std::size_t i = 0; i < runs.size(); ++i) {
        const auto bytes = runs[i]->bytesAfter ? runs[i]->bytesAfter : runs[i]->bytesBefore;
        if (!bytes) continue;
        const double gb = static_cast<double>(*bytes) / 1e9;
        smallest = line.points.empty() ? gb : std::min(smallest, gb);
        largest = std::max(largest, gb);
        line.points.push_back({i, gb});
    }
    if (line.points.empty()) return std::nullopt;
    // Around the sizes, not from zero: a week's growth is a small part of
    // a chain, and the line should show it.
    const double room = std::max((largest - smallest) * 0.2, largest * 0.002);
    line.axis = niceAxis("GB", std::max(0.0, smallest - room), largest + room);
    return line;
}

}  // namespace

ChartAxis niceAxis(const QString& title, double lowest, double highest) {
    if (!(highest > lowest)) highest = lowest + 1;
    const double step = roundNumber(roundNumber(highest - lowest, true) / 4, false);
    // A bound that is a whole number of steps but for the last bits of a
    // division stays where it is instead of gaining a step.
    const double slack = 1e-9;
    const double first = std::floor(lowest / step + slack);
    const double last = std::ceil(highest / step - slack);
    ChartAxis axis;
    axis.title = title;
    axis.lowest = first * step;
    axis.highest = last * step;
    axis.ticks = static_cast<int>(last - first) + 1;
    return axis;
}

RunChart blocksChart(const std::vector<RunRecord>& rows) {
    if (rows.empty()) return titleOnly(history_texts::noRuns);
    const std::vector<const RunRecord*> runs = latestRuns(rows);
    RunChart chart = runBars(runs, QString("BLOCKS PER RUN AND CHAIN FOLDER SIZE - LAST %1 RUNS").arg(runs.size()),
                             "BLOCKS", [](const RunRecord& r) {
                                 return static_cast<double>(r.blocksDownloaded.value_or(0));
                             });
    chart.line = folderSizeLine(runs);
    return chart;
}

RunChart lengthChart(const std::vector<RunRecord>& rows) {
    if (rows.empty()) return titleOnly("RUN LENGTH");
    return runBars(latestRuns(rows), "RUN LENGTH (MINUTES)", "MINUTES",
                   [](const RunRecord& r) { return static_cast<double>(r.seconds()) / 60.0; });
}

}  // namespace syncward
