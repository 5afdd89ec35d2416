#pragma once

#include "gui/shell/form_view.h"

namespace syncward {

class SetupCheckWindow;

// The check's lines in a scrolling column, the summary, and TRY THE NODE
// with its stages below.
class SetupCheckView : public FormView {
public:
    SetupCheckView(SetupCheckWindow& model, QWidget* parent);
};

}  // namespace syncward
