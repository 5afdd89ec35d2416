#pragma once

#include "gui/shell/form_view.h"

namespace syncward {

class BlockTimesWindow;

// One row per coin: its block time and the recommended block counter
// interval, each with its "Use" button.
class BlockTimesView : public FormView {
public:
    BlockTimesView(BlockTimesWindow& model, QWidget* parent);
};

}  // namespace syncward
