#pragma once

namespace syncward {

class Form;

// The seam to the windowing toolkit. Modal windows block their owner's
// input but not the program's timers.
class WindowHost {
public:
    virtual ~WindowHost() = default;
    virtual void showModal(Form& form, Form& owner) = 0;
    virtual void showModeless(Form& form) = 0;
    // Hides the form's view; the model's close behaviour has already run.
    virtual void hide(Form& form) = 0;
    // Whether the form, or a window opened over it, is the one in front.
    virtual bool isForeground(Form& form) = 0;
    // Keeps the form above other programs' windows, or lets it go at once.
    // Windows opened over a topmost form stay above it.
    virtual void setTopmost(Form& form, bool topmost) = 0;
};

}  // namespace syncward
