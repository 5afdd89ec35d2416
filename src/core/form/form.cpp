#include "core/form/form.h"

#include <stdexcept>

namespace syncward {

Form::Form(std::string name, EventLoop& loop) : name_(std::move(name)), loop_(loop) {}

void Form::setCaption(const std::string& caption) {
    if (caption_ == caption) return;
    caption_ = caption;
    if (formObserver) formObserver(*this);
}

void Form::setPlacement(const Placement& placement) {
    placement_ = placement;
    if (formObserver) formObserver(*this);
}

void Form::setPosition(int leftTwips, int topTwips) {
    placement_.left = leftTwips;
    placement_.top = topTwips;
}

Control* Form::control(const std::string& name) const {
    auto it = controlsByName_.find(name);
    return it == controlsByName_.end() ? nullptr : it->second;
}

Timer* Form::timer(const std::string& name) const {
    auto it = timersByName_.find(name);
    return it == timersByName_.end() ? nullptr : it->second;
}

void Form::close() {
    if (closing_) return;
    closing_ = true;
    onClose.notify();
    open_ = false;
    if (onClosed) onClosed(*this);
    closing_ = false;
}

void Form::registerControl(Control& control) {
    if (!controlsByName_.emplace(control.name(), &control).second)
        throw std::logic_error("two controls named " + control.name() + " on " + name_);
    controls_.push_back(&control);
}

void Form::registerTimer(Timer& timer) {
    if (!timersByName_.emplace(timer.name(), &timer).second)
        throw std::logic_error("two timers named " + timer.name() + " on " + name_);
    timers_.push_back(&timer);
}

void Form::notifyChanged(Control& control) {
    if (controlObserver) controlObserver(control);
}

void Form::declareModelOnly(std::initializer_list<const Control*> controls) { modelOnly_.insert(controls); }

}  // namespace syncward
