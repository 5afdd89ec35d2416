#pragma once

#include "core/form/colour.h"

namespace syncward {

class MainWindow;

// CURRENT_BLOCK_TEXTBOX and LAST_BLOCKCOUNT_TEXTBOX always show the same
// pair of colours, which tells the stage at a glance.
void paintBlockBoxes(MainWindow& w, Colour text, Colour background);

}  // namespace syncward
