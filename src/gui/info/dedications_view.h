#pragma once

#include "gui/shell/form_view.h"

namespace syncward {

class DedicationsWindow;

// The dedications page and OK.
class DedicationsView : public FormView {
public:
    DedicationsView(DedicationsWindow& model, QWidget* parent);
};

}  // namespace syncward
