#include "core/blockcounter/block_boxes.h"

#include "core/state/main_window.h"

namespace syncward {

void paintBlockBoxes(MainWindow& w, Colour text, Colour background) {
    w.CURRENT_BLOCK_TEXTBOX.setColours(text, background);
    w.LAST_BLOCKCOUNT_TEXTBOX.setColours(text, background);
}

}  // namespace syncward
