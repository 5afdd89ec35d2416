#pragma once

#include "gui/shell/form_view.h"

namespace syncward {

class PowerAutotimerWindow;

// The power autotimer countdown: the remaining time in large digits, the
// action, the status and START / STOP.
class PowerAutotimerWindowView : public FormView {
public:
    PowerAutotimerWindowView(PowerAutotimerWindow& model, QWidget* parent);
};

}  // namespace syncward
