#pragma once

#include "gui/shell/form_view.h"

namespace syncward {

class BoxInfoWindow;

// The computer's and the user's names, and OK.
class BoxInfoView : public FormView {
public:
    BoxInfoView(BoxInfoWindow& model, QWidget* parent);
};

}  // namespace syncward
