#include "gui/main_window/kitt_scanner_view.h"

#include <QPaintEvent>
#include <QPainter>
#include <QStyle>
#include <algorithm>

#include "core/state/main_window.h"

namespace syncward {

namespace {

// Between the scanner's edge and its lamps.
constexpr int inset = 4;

QString lampName(int n) { return QString("KITT_LABEL_%1").arg(n); }

// A lamp in the window's own colours is not drawn: the background shows.
std::optional<QColor> colourOf(const Colour& colour) {
    if (colour.isSystem()) return std::nullopt;
    return QColor(colour.red(), colour.green(), colour.blue());
}

// The share of the row each lamp gets, as a box layout deals it out: in
// 1/256 pixels, each share rounded and the rest carried to the next.
std::array<int, KittScannerView::lampCount> lampWidths(int space) {
    std::array<int, KittScannerView::lampCount> widths{};
    const long long share = static_cast<long long>(std::max(space, 0)) * 256 / KittScannerView::lampCount;
    long long carried = 0;
    for (int& width : widths) {
        carried += share;
        width = static_cast<int>((carried + 128) / 256);
        carried -= static_cast<long long>(width) * 256;
    }
    return widths;
}

}  // namespace

KittScannerView::KittScannerView(QWidget* parent) : QLabel(parent) {
    setObjectName("KITT_BACKGROUND_LABEL");
    setMinimumHeight(22);
}

QStringList KittScannerView::drawnControls() const {
    QStringList names;
    for (int n = 1; n <= lampCount; ++n) names << lampName(n);
    return names;
}

void KittScannerView::showControl(const Control& control) {
    for (int n = 1; n <= lampCount; ++n) {
        if (control.name() != lampName(n).toStdString()) continue;
        const std::optional<QColor> colour = colourOf(control.background());
        if (lamps_[n - 1] == colour) return;
        lamps_[n - 1] = colour;
        update(lampRect(n));
        return;
    }
}

QRect KittScannerView::lampRect(int n) const {
    // The gap a box layout leaves between two labels in this style.
    int spacing = style()->pixelMetric(QStyle::PM_LayoutHorizontalSpacing, nullptr, this);
    if (spacing < 0) spacing = style()->combinedLayoutSpacing(QSizePolicy::Label, QSizePolicy::Label, Qt::Horizontal);
    const int space = width() - 2 * inset - (lampCount - 1) * spacing;
    const auto widths = lampWidths(space);
    int x = inset;
    for (int k = 1; k < n; ++k) x += widths[k - 1] + spacing;
    return QRect(x, inset, widths[n - 1], height() - 2 * inset);
}

void KittScannerView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    for (int n = 1; n <= lampCount; ++n) {
        const QRect lamp = lampRect(n);
        if (lamps_[n - 1] && event->rect().intersects(lamp)) painter.fillRect(lamp, *lamps_[n - 1]);
    }
}

}  // namespace syncward
