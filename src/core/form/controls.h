#pragma once

#include <string>

#include "core/form/control.h"

namespace syncward {

// A single text value. Setting a different text runs the change reaction;
// "locked" is read-only for the user, which code may still write.
class TextBox : public Control {
public:
    TextBox(Form& form, std::string name, std::string text = {});

    const std::string& text() const { return text_; }
    void setText(const std::string& text);
    bool locked() const { return locked_; }
    void setLocked(bool locked);
    // Shown as "*" characters (a password), the text itself unchanged.
    bool masked() const { return masked_; }
    void setMasked(bool masked);

    Signal<> onChange;

private:
    std::string text_;
    bool locked_ = false;
    bool masked_ = false;
};

// A tick box holds 0 or 1. Setting a different value from code runs the
// click reaction exactly as a user click does, so reactions that set other
// tick boxes cascade. A user click is setValue(!value()).
class TickBox : public Control {
public:
    TickBox(Form& form, std::string name, std::string caption = {}, int value = 0);

    int value() const { return value_; }
    bool ticked() const { return value_ != 0; }
    void setValue(int value);
    void setTicked(bool ticked) { setValue(ticked ? 1 : 0); }
    const std::string& caption() const { return caption_; }
    void setCaption(const std::string& caption);

    Signal<> onClick;

private:
    int value_;
    std::string caption_;
};

// Captioned, clickable controls without a value of their own.
class CaptionedControl : public Control {
public:
    CaptionedControl(Form& form, std::string name, Kind kind, std::string caption);

    const std::string& caption() const { return caption_; }
    void setCaption(const std::string& caption);

    Signal<> onClick;
    void click();

private:
    std::string caption_;
};

class Label : public CaptionedControl {
public:
    Label(Form& form, std::string name, std::string caption = {});
};

class Button : public CaptionedControl {
public:
    Button(Form& form, std::string name, std::string caption = {});
};

}  // namespace syncward
