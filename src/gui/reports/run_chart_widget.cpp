#include "gui/reports/run_chart_widget.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace syncward {

namespace {

constexpr double margin = 6;
constexpr double gap = 4;
constexpr double tickLength = 4;
constexpr double failedMarkSize = 9;
constexpr double lineDotSize = 7;
const QColor textColour(40, 40, 40);
const QColor axisColour(110, 110, 110);
const QColor gridColour(225, 225, 225);

// Tick values are multiples of a round step; seven digits drop the last
// bits of the arithmetic ("180.5", not "180.49999999999997").
QString tickText(double value) { return QString::number(value, 'g', 7); }

double widestTick(const ChartAxis& axis, const QFontMetricsF& metrics) {
    double widest = 0;
    for (int n = 0; n < axis.ticks; ++n) widest = std::max(widest, metrics.horizontalAdvance(tickText(axis.tick(n))));
    return widest;
}

// Screen height of a value on an axis spread over the plot's height.
double yOf(const ChartAxis& axis, double value, const QRectF& plot) {
    const double span = axis.highest - axis.lowest;
    return plot.bottom() - (value - axis.lowest) / span * plot.height();
}

// Text turned a quarter to the left (read from below), its end at the
// anchor: how Qt draws upright labels and axis titles.
void drawUpright(QPainter& p, QPointF anchor, const QString& text, double width, double height, Qt::Alignment align) {
    p.save();
    p.translate(anchor);
    p.rotate(-90);
    p.drawText(QRectF(-width, -height / 2, width, height), align | Qt::AlignVCenter, text);
    p.restore();
}

}  // namespace

RunChartWidget::RunChartWidget(QWidget* parent) : QWidget(parent) {}

void RunChartWidget::setChart(RunChart chart) {
    chart_ = std::move(chart);
    update();
}

QSize RunChartWidget::minimumSizeHint() const { return {240, 200}; }

QFont RunChartWidget::titleFont() const {
    QFont f = font();
    f.setBold(true);
    return f;
}

QFont RunChartWidget::smallFont() const {
    QFont f = font();
    f.setPointSizeF(f.pointSizeF() * 0.9);
    return f;
}

RunChartWidget::Frame RunChartWidget::frame() const {
    const QFontMetricsF text(font());
    const QFontMetricsF small(smallFont());
    Frame f;
    for (const QString& label : chart_.labels) f.labelWidth = std::max(f.labelWidth, small.horizontalAdvance(label));
    const double axisBand = text.height() + gap + tickLength + gap;
    const double left = margin + axisBand + widestTick(chart_.axis, small);
    const double right = chart_.line ? margin + axisBand + widestTick(chart_.line->axis, small) : margin + gap;
    const double top = margin + QFontMetricsF(titleFont()).height() + gap + small.height() / 2;
    const double bottom = margin + text.height() + gap + f.labelWidth + gap + tickLength;
    f.plot = QRectF(QPointF(left, top), QPointF(width() - right, height() - bottom));
    if (!chart_.bars.empty()) f.slot = f.plot.width() / static_cast<double>(chart_.bars.size());
    return f;
}

QRectF RunChartWidget::barRect(std::size_t run) const { return barRect(frame(), run); }

QPointF RunChartWidget::linePoint(const LinePoint& point) const { return linePoint(frame(), point); }

QRectF RunChartWidget::barRect(const Frame& f, std::size_t run) const {
    const double width = std::max(1.0, f.slot * 0.5);
    const double top = std::max(f.plot.top(), yOf(chart_.axis, chart_.bars.at(run).value, f.plot));
    const double foot = yOf(chart_.axis, std::max(0.0, chart_.axis.lowest), f.plot);
    return QRectF(f.centre(run) - width / 2, top, width, foot - top);
}

QPointF RunChartWidget::linePoint(const Frame& f, const LinePoint& point) const {
    return {f.centre(point.run), yOf(chart_.line->axis, point.value, f.plot)};
}

void RunChartWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), Qt::white);
    paintTitle(p);
    const Frame f = frame();
    if (chart_.empty() || f.plot.width() < 1 || f.plot.height() < 1) return;
    paintLeftAxis(p, f);
    paintBars(p, f);
    if (chart_.line) {
        paintRightAxis(p, f);
        paintLine(p, f);
    }
    paintRunLabels(p, f);
    paintLegend(p);
}

void RunChartWidget::paintTitle(QPainter& p) const {
    const QFontMetricsF metrics(titleFont());
    const double room = width() - 2 * margin;
    p.setFont(titleFont());
    p.setPen(textColour);
    p.drawText(QRectF(margin, margin, room, metrics.height()), Qt::AlignCenter,
               metrics.elidedText(chart_.title, Qt::ElideRight, room));
}

// The bars' axis with the grid across the plot, under the bars.
void RunChartWidget::paintLeftAxis(QPainter& p, const Frame& f) const {
    const QRectF& plot = f.plot;
    const ChartAxis& axis = chart_.axis;
    const QFontMetricsF small(smallFont());
    p.setFont(smallFont());
    for (int n = 0; n < axis.ticks; ++n) {
        const double y = yOf(axis, axis.tick(n), plot);
        p.setPen(QPen(gridColour, 1));
        p.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        p.setPen(QPen(axisColour, 1));
        p.drawLine(QPointF(plot.left() - tickLength, y), QPointF(plot.left(), y));
        p.setPen(textColour);
        p.drawText(QRectF(0, y - small.height() / 2, plot.left() - tickLength - gap, small.height()),
                   Qt::AlignRight | Qt::AlignVCenter, tickText(axis.tick(n)));
    }
    p.setPen(QPen(axisColour, 1));
    p.drawLine(plot.topLeft(), plot.bottomLeft());
    p.drawLine(plot.bottomLeft(), plot.bottomRight());
    p.setFont(font());
    p.setPen(textColour);
    const double titleHeight = QFontMetricsF(font()).height();
    drawUpright(p, QPointF(margin + titleHeight / 2, plot.top()), axis.title, plot.height(), titleHeight,
                Qt::AlignHCenter);
}

void RunChartWidget::paintRightAxis(QPainter& p, const Frame& f) const {
    const QRectF& plot = f.plot;
    const ChartAxis& axis = chart_.line->axis;
    const QFontMetricsF small(smallFont());
    p.setFont(smallFont());
    p.setPen(QPen(axisColour, 1));
    p.drawLine(plot.topRight(), plot.bottomRight());
    for (int n = 0; n < axis.ticks; ++n) {
        const double y = yOf(axis, axis.tick(n), plot);
        p.setPen(QPen(axisColour, 1));
        p.drawLine(QPointF(plot.right(), y), QPointF(plot.right() + tickLength, y));
        p.setPen(textColour);
        p.drawText(QRectF(plot.right() + tickLength + gap, y - small.height() / 2, width(), small.height()),
                   Qt::AlignLeft | Qt::AlignVCenter, tickText(axis.tick(n)));
    }
    p.setFont(font());
    const double titleHeight = QFontMetricsF(font()).height();
    drawUpright(p, QPointF(width() - margin - titleHeight / 2, plot.top()), axis.title, plot.height(), titleHeight,
                Qt::AlignHCenter);
}

void RunChartWidget::paintBars(QPainter& p, const Frame& f) const {
    const QRectF& plot = f.plot;
    p.setPen(Qt::NoPen);
    for (std::size_t run = 0; run < chart_.bars.size(); ++run) {
        const bool failed = chart_.bars[run].failed;
        p.setBrush(failed ? run_chart_colours::failed : run_chart_colours::succeeded);
        p.drawRect(barRect(f, run));
    }
    // After the bars, so a mark on a bar's foot is never covered.
    p.setBrush(run_chart_colours::failed);
    for (std::size_t run = 0; run < chart_.bars.size(); ++run)
        if (chart_.bars[run].failed)
            p.drawEllipse(QPointF(f.centre(run), plot.bottom()), failedMarkSize / 2, failedMarkSize / 2);
}

// A dot on every point: one measured run alone has no line to draw.
void RunChartWidget::paintLine(QPainter& p, const Frame& f) const {
    std::vector<QPointF> points;
    for (const LinePoint& point : chart_.line->points) points.push_back(linePoint(f, point));
    p.setPen(QPen(run_chart_colours::line, 2));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(points.data(), static_cast<int>(points.size()));
    p.setPen(Qt::NoPen);
    p.setBrush(run_chart_colours::line);
    for (const QPointF& point : points) p.drawEllipse(point, lineDotSize / 2, lineDotSize / 2);
}

// Labels closer than a line of text would run into each other: then only
// every second (third, ...) run is named, counted back from the newest.
void RunChartWidget::paintRunLabels(QPainter& p, const Frame& f) const {
    const QRectF& plot = f.plot;
    const QFontMetricsF small(smallFont());
    const std::size_t every = std::max<std::size_t>(1, static_cast<std::size_t>(std::ceil(small.height() / f.slot)));
    p.setFont(smallFont());
    for (std::size_t run = 0; run < chart_.labels.size(); ++run) {
        if ((chart_.labels.size() - 1 - run) % every != 0) continue;
        const double x = f.centre(run);
        p.setPen(QPen(axisColour, 1));
        p.drawLine(QPointF(x, plot.bottom()), QPointF(x, plot.bottom() + tickLength));
        p.setPen(textColour);
        drawUpright(p, QPointF(x, plot.bottom() + tickLength + gap), chart_.labels[run], f.labelWidth, small.height(),
                    Qt::AlignRight);
    }
}

void RunChartWidget::paintLegend(QPainter& p) const {
    struct Entry {
        QString name;
        QColor colour;
        bool line;
    };
    std::vector<Entry> entries = {{chart_.barName, run_chart_colours::succeeded, false},
                                  {"FAILED", run_chart_colours::failed, false}};
    if (chart_.line) entries.push_back({chart_.line->name, run_chart_colours::line, true});

    const QFontMetricsF metrics(font());
    const double swatch = metrics.height() * 0.7;
    const auto swatchWidth = [&](const Entry& entry) { return entry.line ? 2 * swatch : swatch; };
    const double spacing = 4 * gap;
    double total = -spacing;
    for (const Entry& entry : entries)
        total += swatchWidth(entry) + gap + metrics.horizontalAdvance(entry.name) + spacing;

    const double top = height() - margin - metrics.height();
    const double middle = top + metrics.height() / 2;
    double x = (width() - total) / 2;
    p.setFont(font());
    for (const Entry& entry : entries) {
        if (entry.line) {
            p.setPen(QPen(entry.colour, 2));
            p.drawLine(QPointF(x, middle), QPointF(x + 2 * swatch, middle));
            p.setPen(Qt::NoPen);
            p.setBrush(entry.colour);
            p.drawEllipse(QPointF(x + swatch, middle), lineDotSize / 2, lineDotSize / 2);
        } else {
            p.setPen(Qt::NoPen);
            p.setBrush(entry.colour);
            p.drawRect(QRectF(x, middle - swatch / 2, swatch, swatch));
        }
        x += swatchWidth(entry) + gap;
        const double textWidth = metrics.horizontalAdvance(entry.name);
        p.setPen(textColour);
        p.drawText(QRectF(x, top, textWidth + 1, metrics.height()), Qt::AlignLeft | Qt::AlignVCenter, entry.name);
        x += textWidth + spacing;
    }
}

}  // namespace syncward
