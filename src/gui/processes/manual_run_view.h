#pragma once

#include "gui/shell/form_view.h"

namespace syncward {

class ManualRunWindow;

// The manual run window: the four mirrored states, the two starts, the
// stop request, a status line and OK.
class ManualRunView : public FormView {
public:
    ManualRunView(ManualRunWindow& model, QWidget* parent);
};

}  // namespace syncward
