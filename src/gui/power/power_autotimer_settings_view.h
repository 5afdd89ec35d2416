#pragma once

#include "gui/shell/form_view.h"

namespace syncward {

class PowerAutotimerSettings;

// The power autotimer settings: the action, the countdown start, the four
// action tick boxes and OK.
class PowerAutotimerSettingsView : public FormView {
public:
    PowerAutotimerSettingsView(PowerAutotimerSettings& model, QWidget* parent);
};

}  // namespace syncward
