#pragma once

#include "gui/shell/form_view.h"

namespace syncward {

class HelpWindow;

// The help window: where the settings live and the notes.
class HelpView : public FormView {
public:
    HelpView(HelpWindow& model, QWidget* parent);
};

}  // namespace syncward
