#include "core/form/controls.h"

#include "core/form/form.h"

namespace syncward {

Control::Control(Form& form, std::string name, Kind kind) : form_(form), name_(std::move(name)), kind_(kind) {
    form_.registerControl(*this);
}

void Control::changed() { form_.notifyChanged(*this); }

void Control::setEnabled(bool enabled) {
    if (enabled_ == enabled) return;
    enabled_ = enabled;
    changed();
}

void Control::setVisible(bool visible) {
    if (visible_ == visible) return;
    visible_ = visible;
    changed();
}

void Control::setTooltip(const std::string& tooltip) {
    if (tooltip_ == tooltip) return;
    tooltip_ = tooltip;
    changed();
}

void Control::setBackground(Colour colour) {
    if (background_ == colour) return;
    background_ = colour;
    changed();
}

void Control::setForeground(Colour colour) {
    if (foreground_ == colour) return;
    foreground_ = colour;
    changed();
}

void Control::setColours(Colour foreground, Colour background) {
    setForeground(foreground);
    setBackground(background);
}

void Control::doubleClick() {
    onDoubleClick.notify();
}

TextBox::TextBox(Form& form, std::string name, std::string text)
    : Control(form, std::move(name), Kind::TextBox), text_(std::move(text)) {}

void TextBox::setText(const std::string& text) {
    if (text_ == text) return;
    text_ = text;
    changed();
    onChange.notify();
}

void TextBox::setLocked(bool locked) {
    if (locked_ == locked) return;
    locked_ = locked;
    changed();
}

void TextBox::setMasked(bool masked) {
    if (masked_ == masked) return;
    masked_ = masked;
    changed();
}

TickBox::TickBox(Form& form, std::string name, std::string caption, int value)
    : Control(form, std::move(name), Kind::TickBox), value_(value), caption_(std::move(caption)) {}

void TickBox::setValue(int value) {
    if (value_ == value) return;
    value_ = value;
    changed();
    onClick.notify();
}

void TickBox::setCaption(const std::string& caption) {
    if (caption_ == caption) return;
    caption_ = caption;
    changed();
}

CaptionedControl::CaptionedControl(Form& form, std::string name, Kind kind, std::string caption)
    : Control(form, std::move(name), kind), caption_(std::move(caption)) {}

void CaptionedControl::setCaption(const std::string& caption) {
    if (caption_ == caption) return;
    caption_ = caption;
    changed();
}

void CaptionedControl::click() {
    onClick.notify();
}

Label::Label(Form& form, std::string name, std::string caption)
    : CaptionedControl(form, std::move(name), Kind::Label, std::move(caption)) {}

Button::Button(Form& form, std::string name, std::string caption)
    : CaptionedControl(form, std::move(name), Kind::Button, std::move(caption)) {}

}  // namespace syncward
