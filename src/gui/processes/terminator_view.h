#pragma once

#include "gui/shell/form_view.h"

namespace syncward {

class TerminatorWindow;

// The terminator: the arming tick box, a row per program with its name and
// TERMINATE, the custom name, the three warnings and OK.
class TerminatorView : public FormView {
public:
    TerminatorView(TerminatorWindow& model, QWidget* parent);
};

}  // namespace syncward
