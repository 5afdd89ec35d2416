#pragma once

#include <QColor>
#include <QLabel>
#include <QRect>
#include <array>
#include <optional>

#include "gui/shell/drawn_controls.h"

namespace syncward {

// The scanner: its background label with the seven lamps drawn on it, all
// in this widget's one paint, where seven labels of their own each took a
// palette change, a repaint and a trip to the display at every step. A step
// repaints the squares of the lamps it changed, nothing else. The lamps sit
// where a row of seven labels in a box layout put them, so the scanner
// looks as it always has.
class KittScannerView : public QLabel, public DrawnControls {
public:
    static constexpr int lampCount = 7;

    explicit KittScannerView(QWidget* parent = nullptr);

    QStringList drawnControls() const override;
    void showControl(const Control& control) override;

    // Lamp n (1 leftmost) as drawn: its square and its colour, none where it
    // shows the window's own background.
    QRect lampRect(int n) const;
    std::optional<QColor> lampColour(int n) const { return lamps_.at(n - 1); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::array<std::optional<QColor>, lampCount> lamps_;
};

}  // namespace syncward
