#pragma once

#include <string>

#include "core/form/colour.h"
#include "core/form/signal.h"

namespace syncward {

class Form;

// What every control has: a name under which the form registers it, the
// common visual flags, and one observer (the view) told about any change.
class Control {
public:
    enum class Kind { TextBox, TickBox, Label, Button };

    Control(Form& form, std::string name, Kind kind);
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const std::string& name() const { return name_; }
    Kind kind() const { return kind_; }
    Form& form() const { return form_; }

    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);
    bool visible() const { return visible_; }
    void setVisible(bool visible);
    const std::string& tooltip() const { return tooltip_; }
    void setTooltip(const std::string& tooltip);
    Colour background() const { return background_; }
    void setBackground(Colour colour);
    Colour foreground() const { return foreground_; }
    void setForeground(Colour colour);
    // Shorthand for the "black on yellow" pairs the windows use.
    void setColours(Colour foreground, Colour background);

    // Reactions. A double-click is only ever a user gesture, but tests and
    // the view deliver it through here.
    Signal<> onDoubleClick;
    void doubleClick();

protected:
    void changed();

private:
    Form& form_;
    std::string name_;
    Kind kind_;
    bool enabled_ = true;
    bool visible_ = true;
    std::string tooltip_;
    Colour background_ = colours::windowBackground;
    Colour foreground_ = colours::black;
};

}  // namespace syncward
