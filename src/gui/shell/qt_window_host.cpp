#include "gui/shell/qt_window_host.h"

#include <QApplication>
#include <stdexcept>

#include "core/form/form.h"

namespace syncward {

int twipsToPixels(int twips, const QWidget& widget) { return twips * widget.logicalDpiX() / 1440; }
int pixelsToTwips(int pixels, const QWidget& widget) { return pixels * 1440 / widget.logicalDpiX(); }

void QtWindowHost::registerView(const std::string& formName, ViewFactory factory) {
    factories_[formName] = std::move(factory);
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
    const Placement& place = form.placement();
    view->setWindowTitle(QString::fromStdString(form.caption()));
    view->resize(twipsToPixels(place.width, *view), twipsToPixels(place.height, *view));
    view->move(twipsToPixels(place.left, *view), twipsToPixels(place.top, *view));
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
    return view && view->isActiveWindow();
}

void QtWindowHost::makeTopmost(Form& form) {
    QWidget* view = viewOf(form);
    if (!view) return;
    // Changing window flags re-creates the native window; do it once.
    if (!(view->windowFlags() & Qt::WindowStaysOnTopHint)) {
        view->setWindowFlag(Qt::WindowStaysOnTopHint, true);
        view->show();
    }
    view->raise();
}

}  // namespace syncward
