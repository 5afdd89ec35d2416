#include "gui/shell/form_view.h"

#include <QCloseEvent>

#include "core/form/form.h"
#include "gui/shell/form_binder.h"
#include "gui/shell/qt_window_host.h"

namespace syncward {

FormView::FormView(Form& form, QWidget* parent) : QWidget(parent, Qt::Window), form_(form) {
    setWindowTitle(QString::fromStdString(form.caption()));
    form_.formObserver = [this](Form& f) { setWindowTitle(QString::fromStdString(f.caption())); };
}

FormView::~FormView() { form_.formObserver = nullptr; }

QWidget* FormView::createControl(const QString& name) { return FormBinder::widgetFor(form_, name, this); }

QPlainTextEdit* FormView::multiline(const QString& name) { return FormBinder::multilineFor(form_, name, this); }

void FormView::bindControls() { binder_ = new FormBinder(form_, *this); }

void FormView::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    if (isVisible()) form_.setPosition(pixelsToTwips(pos().x(), *this), pixelsToTwips(pos().y(), *this));
}

void FormView::closeEvent(QCloseEvent* event) {
    // The model stores what it stores on close, whichever way it closed.
    if (form_.isOpen()) form_.close();
    event->accept();
}

}  // namespace syncward
