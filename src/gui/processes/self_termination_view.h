#pragma once

#include "gui/shell/form_view.h"

namespace syncward {

class SelfTerminationWindow;

// The question before the program ends itself, and the two answers.
class SelfTerminationView : public FormView {
public:
    SelfTerminationView(SelfTerminationWindow& model, QWidget* parent);
};

}  // namespace syncward
