#pragma once

#include <functional>
#include <utility>

#include "core/form/controls.h"

namespace syncward {

// Sets a control's reaction aside for as long as the blocker lives, so code
// can put the control back (a window reloaded from its built state) without
// running what a user's change would run; in the manner of QSignalBlocker.
class ReactionBlocker {
public:
    explicit ReactionBlocker(TextBox& box) : ReactionBlocker(box.onChange) {}
    explicit ReactionBlocker(TickBox& box) : ReactionBlocker(box.onClick) {}
    ~ReactionBlocker() { slot_ = std::move(saved_); }
    ReactionBlocker(const ReactionBlocker&) = delete;
    ReactionBlocker& operator=(const ReactionBlocker&) = delete;

private:
    explicit ReactionBlocker(std::function<void()>& slot) : slot_(slot), saved_(std::exchange(slot, nullptr)) {}

    std::function<void()>& slot_;
    std::function<void()> saved_;
};

}  // namespace syncward
