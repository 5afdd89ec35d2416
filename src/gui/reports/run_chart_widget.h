#pragma once

#include <QColor>
#include <QRectF>
#include <QWidget>

#include "gui/reports/run_chart.h"

namespace syncward {

namespace run_chart_colours {
inline const QColor succeeded(40, 110, 200);
inline const QColor failed(255, 0, 0);
inline const QColor line(20, 140, 60);
}  // namespace run_chart_colours

// Paints a RunChart: the title, the bars with their axis on the left, the
// line with its axis on the right, the runs' labels under the bars, turned
// upright, and the legend at the foot. Without bars only the title.
class RunChartWidget : public QWidget {
public:
    explicit RunChartWidget(QWidget* parent);

    void setChart(RunChart chart);
    const RunChart& chart() const { return chart_; }

    // Where the run's bar and the line's point lie at the widget's
    // current size.
    QRectF barRect(std::size_t run) const;
    QPointF linePoint(const LinePoint& point) const;

    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Where the plot lies at the current size, worked out once per paint:
    // measuring the labels is the dearest part of it.
    struct Frame {
        QRectF plot;
        double slot = 0;
        double labelWidth = 0;
        double centre(std::size_t run) const { return plot.left() + (static_cast<double>(run) + 0.5) * slot; }
    };
    Frame frame() const;
    QRectF barRect(const Frame& f, std::size_t run) const;
    QPointF linePoint(const Frame& f, const LinePoint& point) const;

    QFont titleFont() const;
    QFont smallFont() const;

    void paintTitle(QPainter& p) const;
    void paintLeftAxis(QPainter& p, const Frame& f) const;
    void paintRightAxis(QPainter& p, const Frame& f) const;
    void paintBars(QPainter& p, const Frame& f) const;
    void paintLine(QPainter& p, const Frame& f) const;
    void paintRunLabels(QPainter& p, const Frame& f) const;
    void paintLegend(QPainter& p) const;

    RunChart chart_;
};

}  // namespace syncward
