#include "core/blockcounter/block_boxes.h"

#include "core/state/main_window.h"

namespace syncward {

void paintBlockBoxes(MainWindow& w, Colour text, Colour background) {
    w.CURRENT_BLOCK_TEXTBOX.setColours(text, background);
    w.LAST_BLOCKCOUNT_TEXTBOX.setColours(text, background);
}

void resetIndicators(MainWindow& w) {
    for (TextBox* indicator : {&w.IDENTICAL_TEXTBOX, &w.VERIFYING_TEXTBOX, &w.TRIPLE_CHECK_TEXTBOX, &w.CONFIRMED_TEXTBOX})
        indicator->setBackground(colours::windowBackground);
}

}  // namespace syncward
