#pragma once

#include <functional>
#include <initializer_list>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/form/controls.h"
#include "core/form/timer.h"

namespace syncward {

class EventLoop;

// A window's place and size in twips (1/1440 inch), as the settings store
// keeps them.
struct Placement {
    int left = 1000;
    int top = 1000;
    int width = 0;
    int height = 0;
};

// A window model: caption, placement, and its controls and timers by name.
// Controls are members of the derived class and register themselves here,
// so a view can pair its widgets with them by name.
class Form {
public:
    Form(std::string name, EventLoop& loop);
    virtual ~Form() = default;
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    const std::string& name() const { return name_; }
    EventLoop& loop() const { return loop_; }

    const std::string& caption() const { return caption_; }
    void setCaption(const std::string& caption);
    const Placement& placement() const { return placement_; }
    void setPlacement(const Placement& placement);
    // The view reports where the user moved the window.
    void setPosition(int leftTwips, int topTwips);

    Control* control(const std::string& name) const;
    // Controls that only hold state for the window's rules (constants,
    // values read by other windows) and have no widget in the view.
    void declareModelOnly(std::initializer_list<const Control*> controls);
    bool isModelOnly(const Control& control) const { return modelOnly_.count(&control) > 0; }
    Timer* timer(const std::string& name) const;
    const std::vector<Control*>& controls() const { return controls_; }
    const std::vector<Timer*>& timers() const { return timers_; }

    // Closing: whoever closes the window (a button, a countdown, the close
    // box in the view) comes through here once, so what the window stores
    // on close runs exactly once and in the model.
    bool isOpen() const { return open_; }
    void markOpen() { open_ = true; }
    void close();
    // The window's own close behaviour and whoever else must act on it. A
    // teardown that ends what the others still look at (the window's
    // timers) connects to the "after" phase.
    Signal<> onClose;
    std::function<void(Form&)> onClosed;  // the host hides the view

    // The one observer of every control and of the form itself (the view).
    std::function<void(Control&)> controlObserver;
    std::function<void(Form&)> formObserver;

    void registerControl(Control& control);
    void registerTimer(Timer& timer);
    void notifyChanged(Control& control);

private:
    std::string name_;
    EventLoop& loop_;
    std::string caption_;
    Placement placement_;
    bool open_ = false;
    bool closing_ = false;
    std::vector<Control*> controls_;
    std::vector<Timer*> timers_;
    std::map<std::string, Control*> controlsByName_;
    std::map<std::string, Timer*> timersByName_;
    std::set<const Control*> modelOnly_;
};

}  // namespace syncward
