#include "gui/shell/form_binder.h"

#include <QCheckBox>
#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <stdexcept>

#include "core/form/form.h"
#include "gui/shell/drawn_controls.h"

namespace syncward {

namespace {

QString cssColour(const Colour& colour, const char* systemRole) {
    if (colour.isSystem()) return QString("palette(%1)").arg(colour.kind() == Colour::Kind::ButtonFace ? "button" : systemRole);
    return QString("rgb(%1,%2,%3)").arg(colour.red()).arg(colour.green()).arg(colour.blue());
}

// A text box's neutral colours are the entry's.
QString textBoxColours(const Control& control) {
    return QString("background-color: %1; color: %2;")
        .arg(cssColour(control.background(), "base"), cssColour(control.foreground(), "text"));
}

QColor qcolour(const Colour& colour, QPalette::ColorRole systemRole) {
    if (colour.isSystem())
        return QGuiApplication::palette().color(colour.kind() == Colour::Kind::ButtonFace ? QPalette::Button : systemRole);
    return QColor(colour.red(), colour.green(), colour.blue());
}

QString qtext(const std::string& text) { return QString::fromStdString(text); }

// Stylesheets are costly to apply; set one only when it changed.
void setStyle(QWidget& widget, const QString& style) {
    if (widget.styleSheet() != style) widget.setStyleSheet(style);
}

// Labels change colour often (the scanner's lamps ten times a second while
// the heartbeat runs), so a label gets a palette, which repaints it alone,
// where a style sheet would have it polished anew each time.
void paint(QLabel& label, const Control& control) {
    const bool plain =
        control.background().kind() == Colour::Kind::WindowBackground && control.foreground() == colours::black;
    if (plain) {
        if (label.autoFillBackground()) {
            label.setAutoFillBackground(false);
            label.setPalette(QPalette());  // the parent's again
        }
        return;
    }
    const QColor background = qcolour(control.background(), QPalette::Window);
    const QColor foreground = qcolour(control.foreground(), QPalette::WindowText);
    QPalette palette = label.palette();
    if (label.autoFillBackground() && palette.color(QPalette::Window) == background &&
        palette.color(QPalette::WindowText) == foreground)
        return;
    palette.setColor(QPalette::Window, background);
    palette.setColor(QPalette::WindowText, foreground);
    label.setPalette(palette);
    label.setAutoFillBackground(true);
}

}  // namespace

FormBinder::FormBinder(Form& form, QWidget& view) : QObject(&view), form_(form) {
    for (Control* control : form.controls()) {
        auto* widget = view.findChild<QWidget*>(qtext(control->name()));
        if (widget) bind(*control, *widget);
    }
    for (QWidget* widget : view.findChildren<QWidget*>()) {
        auto* drawer = dynamic_cast<DrawnControls*>(widget);
        if (!drawer) continue;
        for (const QString& name : drawer->drawnControls()) {
            Control* control = form.control(name.toStdString());
            if (!control) throw std::logic_error("no control " + name.toStdString() + " on " + form.name());
            drawers_[control] = drawer;
            drawer->showControl(*control);
        }
    }
    form_.controlObserver = [this](Control& control) { refresh(control); };
}

FormBinder::~FormBinder() { form_.controlObserver = nullptr; }

QWidget* FormBinder::widgetFor(Form& form, const QString& controlName, QWidget* parent) {
    Control* control = form.control(controlName.toStdString());
    // A misspelt name would leave a widget that nothing updates.
    if (!control) throw std::logic_error("no control " + controlName.toStdString() + " on " + form.name());
    QWidget* widget = nullptr;
    switch (control->kind()) {
        case Control::Kind::TextBox: widget = new QLineEdit(parent); break;
        case Control::Kind::TickBox: widget = new QCheckBox(parent); break;
        case Control::Kind::Button: widget = new QPushButton(parent); break;
        case Control::Kind::Label: widget = new QLabel(parent); break;
    }
    widget->setObjectName(controlName);
    return widget;
}

QPlainTextEdit* FormBinder::multilineFor(Form& form, const QString& controlName, QWidget* parent) {
    Control* control = form.control(controlName.toStdString());
    if (!control || control->kind() != Control::Kind::TextBox)
        throw std::logic_error("no text box " + controlName.toStdString() + " on " + form.name());
    auto* edit = new QPlainTextEdit(parent);
    edit->setObjectName(controlName);
    return edit;
}

void FormBinder::bind(Control& control, QWidget& widget) {
    widgets_[&control] = &widget;
    controlsOfWidgets_[&widget] = &control;
    if (auto* line = qobject_cast<QLineEdit*>(&widget)) {
        auto& box = static_cast<TextBox&>(control);
        connect(line, &QLineEdit::textEdited, this, [&box](const QString& text) { box.setText(text.toStdString()); });
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(&widget)) {
        auto& box = static_cast<TextBox&>(control);
        connect(plain, &QPlainTextEdit::textChanged, this, [this, &box, plain] {
            if (!updatingView_) box.setText(plain->toPlainText().toStdString());
        });
    } else if (auto* check = qobject_cast<QCheckBox*>(&widget)) {
        auto& tick = static_cast<TickBox&>(control);
        connect(check, &QCheckBox::clicked, this, [&tick](bool checked) { tick.setValue(checked ? 1 : 0); });
    } else if (auto* button = qobject_cast<QPushButton*>(&widget)) {
        auto& captioned = static_cast<CaptionedControl&>(control);
        connect(button, &QPushButton::clicked, this, [&captioned] { captioned.click(); });
    }
    widget.installEventFilter(this);
    refresh(control);
}

bool FormBinder::eventFilter(QObject* watched, QEvent* event) {
    const auto type = event->type();
    if (type == QEvent::MouseButtonDblClick || (type == QEvent::MouseButtonRelease && qobject_cast<QLabel*>(watched))) {
        auto it = controlsOfWidgets_.find(watched);
        if (it != controlsOfWidgets_.end()) {
            if (type == QEvent::MouseButtonDblClick)
                it->second->doubleClick();
            else
                static_cast<Label*>(it->second)->click();
        }
    }
    return QObject::eventFilter(watched, event);
}

void FormBinder::refresh(Control& control) {
    if (auto drawn = drawers_.find(&control); drawn != drawers_.end()) drawn->second->showControl(control);
    auto it = widgets_.find(&control);
    if (it == widgets_.end()) return;
    QWidget& widget = *it->second;
    updatingView_ = true;
    widget.setEnabled(control.enabled());
    widget.setVisible(control.visible());
    // Setting a tooltip sends an event even when it is the same one, and the
    // lamps change ten times a second.
    const QString tooltip = qtext(control.tooltip());
    if (widget.toolTip() != tooltip) widget.setToolTip(tooltip);
    if (auto* line = qobject_cast<QLineEdit*>(&widget)) {
        const auto& box = static_cast<TextBox&>(control);
        const QString text = qtext(box.text());
        if (line->text() != text) line->setText(text);
        line->setReadOnly(box.locked());
        line->setEchoMode(box.masked() ? QLineEdit::Password : QLineEdit::Normal);
        setStyle(widget, "QLineEdit { " + textBoxColours(control) + " }");
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(&widget)) {
        const auto& box = static_cast<TextBox&>(control);
        const QString text = qtext(box.text());
        if (plain->toPlainText() != text) plain->setPlainText(text);
        plain->setReadOnly(box.locked());
        setStyle(widget, "QPlainTextEdit { " + textBoxColours(control) + " }");
    } else if (auto* check = qobject_cast<QCheckBox*>(&widget)) {
        const auto& tick = static_cast<TickBox&>(control);
        check->setChecked(tick.ticked());
        check->setText(qtext(tick.caption()));
    } else if (auto* button = qobject_cast<QPushButton*>(&widget)) {
        button->setText(qtext(static_cast<CaptionedControl&>(control).caption()));
        // A button keeps the style's face unless the model colours it (a
        // chosen preset shows green).
        const Colour face = control.background();
        setStyle(widget, face.isSystem() ? QString()
                                         : "QPushButton { background-color: " + cssColour(face, "button") + "; }");
    } else if (auto* label = qobject_cast<QLabel*>(&widget)) {
        const QString caption = qtext(static_cast<CaptionedControl&>(control).caption());
        if (label->text() != caption) label->setText(caption);
        paint(*label, control);
    }
    updatingView_ = false;
}

}  // namespace syncward
