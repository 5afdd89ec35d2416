#pragma once

#include "core/form/controls.h"

namespace syncward {

// Holds a control's reactions back for as long as the blocker lives, so code
// can put the control back (a window reloaded from its built state) without
// running what a user's change would run; in the manner of QSignalBlocker.
class ReactionBlocker {
public:
    explicit ReactionBlocker(TextBox& box) : ReactionBlocker(box.onChange) {}
    explicit ReactionBlocker(TickBox& box) : ReactionBlocker(box.onClick) {}
    ~ReactionBlocker() { signal_.unblock(); }
    ReactionBlocker(const ReactionBlocker&) = delete;
    ReactionBlocker& operator=(const ReactionBlocker&) = delete;

private:
    explicit ReactionBlocker(Signal<>& signal) : signal_(signal) { signal_.block(); }

    Signal<>& signal_;
};

}  // namespace syncward
