#include "gui/shell/qt_window_host.h"

#include <QApplication>
#include <QScreen>
#include <algorithm>
#include <cstdint>
#include <limits>
#include <stdexcept>

#include "core/form/form.h"

namespace syncward {

namespace {

constexpr std::int64_t twipsPerInch = 1440;

// A stored placement can be any number (an old screen, a hand-edited
// settings file): computed wide, and held to the range of an int.
int clampedToInt(std::int64_t value) {
    return static_cast<int>(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max()));
}

std::int64_t dpiOf(const QWidget& widget) { return std::max(1, widget.logicalDpiX()); }

// Whether any part of the rectangle lies on some screen's usable area;
// computed wide, since the far edge of a window at the end of the int range
// is past it.
bool onSomeScreen(std::int64_t left, std::int64_t top, std::int64_t width, std::int64_t height) {
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect area = screen->availableGeometry();
        if (left < std::int64_t{area.x()} + area.width() && left + std::max<std::int64_t>(width, 1) > area.x() &&
            top < std::int64_t{area.y()} + area.height() && top + std::max<std::int64_t>(height, 1) > area.y())
            return true;
    }
    return false;
}

// A stored size can be any number too: a window is never opened larger
// than the largest screen's usable area (2,000,000 twips would ask the
// window system for an image of gigabytes), nor smaller than nothing. The
// window's own minimum still applies afterwards.
QSize onScreenSize(int width, int height) {
    QSize room;
    for (const QScreen* screen : QGuiApplication::screens()) room = room.expandedTo(screen->availableGeometry().size());
    QSize size(std::max(0, width), std::max(0, height));
    return room.isEmpty() ? size : size.boundedTo(room);
}

// Whether the window was opened over the owner, directly or through
// another window: its parent chain reaches the owner.
bool isOver(const QWidget* window, const QWidget* owner) {
    for (const QWidget* w = window ? window->parentWidget() : nullptr; w; w = w->parentWidget())
        if (w == owner) return true;
    return false;
}

// Changing window flags re-creates the native window and hides it: only
// when the hint really changes, and a shown window is shown again, without
// taking the focus from whatever window the user is in.
void setStaysOnTop(QWidget& window, bool on) {
    if (window.windowFlags().testFlag(Qt::WindowStaysOnTopHint) == on) return;
    const bool wasVisible = window.isVisible();
    const bool quiet = window.testAttribute(Qt::WA_ShowWithoutActivating);
    window.setWindowFlag(Qt::WindowStaysOnTopHint, on);
    window.setAttribute(Qt::WA_ShowWithoutActivating);
    if (wasVisible) window.show();
    window.setAttribute(Qt::WA_ShowWithoutActivating, quiet);
}

}  // namespace

int twipsToPixels(int twips, const QWidget& widget) { return clampedToInt(twips * dpiOf(widget) / twipsPerInch); }
int pixelsToTwips(int pixels, const QWidget& widget) { return clampedToInt(pixels * twipsPerInch / dpiOf(widget)); }

void QtWindowHost::registerView(const std::string& formName, ViewFactory factory) {
    factories_[formName] = std::move(factory);
}

void QtWindowHost::deleteViews() {
    // A view's children go with it; QPointer tells which are gone already.
    for (auto& [form, view] : views_) delete view.data();
    views_.clear();
}

QWidget* QtWindowHost::viewOf(Form& form) const {
    auto it = views_.find(&form);
    return it == views_.end() ? nullptr : it->second.data();
}

QWidget* QtWindowHost::ensureView(Form& form, QWidget* parent) {
    if (QWidget* existing = viewOf(form)) return existing;
    auto factory = factories_.find(form.name());
    // A window shown without a view would look like a program that ignores
    // the click.
    if (factory == factories_.end()) throw std::logic_error("no view registered for " + form.name());
    QWidget* view = factory->second(form, parent);
    view->setWindowFlag(Qt::Window, true);
    view->setAttribute(Qt::WA_DeleteOnClose, false);
    views_[&form] = view;
    return view;
}

void QtWindowHost::show(Form& form, QWidget* parent, bool modal) {
    QWidget* view = ensureView(form, parent);
    form.onClosed = [this](Form& closed) { hide(closed); };
    form.markOpen();
    view->setWindowModality(modal ? Qt::WindowModal : Qt::NonModal);
    // A window opened over a topmost one must show above it, or a modal
    // settings window would open hidden and the program look frozen.
    if (parent) setStaysOnTop(*view, parent->window()->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    const Placement& place = form.placement();
    view->setWindowTitle(QString::fromStdString(form.caption()));
    view->resize(onScreenSize(twipsToPixels(place.width, *view), twipsToPixels(place.height, *view)));
    QPoint topLeft(twipsToPixels(place.left, *view), twipsToPixels(place.top, *view));
    const QSize size = view->size();  // as the window's limits allow
    // A place off every screen (stored while another screen was attached)
    // would open a window nobody can reach: it opens centred on the primary
    // screen instead, or at its top left when it is larger, and the model
    // learns the new place, so that it is what gets stored.
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (primary && !onSomeScreen(topLeft.x(), topLeft.y(), size.width(), size.height())) {
        const QRect area = primary->availableGeometry();
        topLeft = QPoint(area.x() + std::max(0, (area.width() - size.width()) / 2),
                         area.y() + std::max(0, (area.height() - size.height()) / 2));
        form.setPosition(pixelsToTwips(topLeft.x(), *view), pixelsToTwips(topLeft.y(), *view));
    }
    view->move(topLeft);
    view->show();
    view->raise();
    view->activateWindow();
}

void QtWindowHost::showModal(Form& form, Form& owner) { show(form, viewOf(owner), true); }

void QtWindowHost::showModeless(Form& form) { show(form, nullptr, false); }

void QtWindowHost::hide(Form& form) {
    if (QWidget* view = viewOf(form)) {
        if (view->isVisible()) view->close();
    }
}

bool QtWindowHost::isForeground(Form& form) {
    QWidget* view = viewOf(form);
    if (!view) return false;
    const QWidget* active = QApplication::activeWindow();
    if (foreground_.window) {
        const WId front = foreground_.window();
        active = nullptr;
        for (const QWidget* window : QApplication::topLevelWidgets())
            if (front && window->internalWinId() == front) active = window;
    }
    return active && (active == view || isOver(active, view));
}

void QtWindowHost::setTopmost(Form& form, bool topmost) {
    QWidget* view = viewOf(form);
    if (!view) return;
    // The window in front gives up its place first: changing the hint
    // shows the window anew, and it must not take the user's focus.
    if (topmost && foreground_.raiseAbove) foreground_.raiseAbove(*view);
    setStaysOnTop(*view, topmost);
    if (topmost) view->raise();
    // The windows opened over it follow, and stay above it.
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (!window->isVisible() || !isOver(window, view)) continue;
        setStaysOnTop(*window, topmost);
        if (topmost) window->raise();
    }
}

}  // namespace syncward
