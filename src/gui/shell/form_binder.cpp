#include "gui/shell/form_binder.h"

#include <QCheckBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <stdexcept>

#include "core/form/form.h"

namespace syncward {

namespace {

QString cssColour(const Colour& colour, const char* systemRole) {
    if (colour.isSystem()) return QString("palette(%1)").arg(colour.kind() == Colour::Kind::ButtonFace ? "button" : systemRole);
    return QString("rgb(%1,%2,%3)").arg(colour.red()).arg(colour.green()).arg(colour.blue());
}

QString qtext(const std::string& text) { return QString::fromStdString(text); }

// Stylesheets are costly to apply; set one only when it changed.
void setStyle(QWidget& widget, const QString& style) {
    if (widget.styleSheet() != style) widget.setStyleSheet(style);
}

}  // namespace

FormBinder::FormBinder(Form& form, QWidget& view) : QObject(&view), form_(form) {
    for (Control* control : form.controls()) {
        auto* widget = view.findChild<QWidget*>(qtext(control->name()));
        if (widget) bind(*control, *widget);
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
    auto it = widgets_.find(&control);
    if (it == widgets_.end()) return;
    QWidget& widget = *it->second;
    updatingView_ = true;
    widget.setEnabled(control.enabled());
    widget.setVisible(control.visible());
    widget.setToolTip(qtext(control.tooltip()));
    // A text box's neutral colour is the entry background, a label's the window's.
    const bool isLabel = control.kind() == Control::Kind::Label;
    const QString colours = QString("background-color: %1; color: %2;")
                                .arg(cssColour(control.background(), isLabel ? "window" : "base"),
                                     cssColour(control.foreground(), isLabel ? "window-text" : "text"));
    if (auto* line = qobject_cast<QLineEdit*>(&widget)) {
        const auto& box = static_cast<TextBox&>(control);
        const QString text = qtext(box.text());
        if (line->text() != text) line->setText(text);
        line->setReadOnly(box.locked());
        line->setEchoMode(box.masked() ? QLineEdit::Password : QLineEdit::Normal);
        setStyle(widget, "QLineEdit { " + colours + " }");
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(&widget)) {
        const auto& box = static_cast<TextBox&>(control);
        const QString text = qtext(box.text());
        if (plain->toPlainText() != text) plain->setPlainText(text);
        plain->setReadOnly(box.locked());
        setStyle(widget, "QPlainTextEdit { " + colours + " }");
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
        label->setText(qtext(static_cast<CaptionedControl&>(control).caption()));
        const bool plain = control.background().kind() == Colour::Kind::WindowBackground &&
                           control.foreground() == colours::black;
        setStyle(widget, plain ? QString() : "QLabel { " + colours + " }");
    }
    updatingView_ = false;
}

}  // namespace syncward
