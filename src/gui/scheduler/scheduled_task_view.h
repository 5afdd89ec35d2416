#pragma once

#include "gui/shell/form_view.h"

namespace syncward {

class ScheduledTaskWindow;

// The weekly scheduled task window: name and time, the day options, the
// enable, view-only and delete switches, the command shown, the scheduler's
// own usage text and the buttons.
class ScheduledTaskView : public FormView {
public:
    ScheduledTaskView(ScheduledTaskWindow& model, QWidget* parent);
};

}  // namespace syncward
