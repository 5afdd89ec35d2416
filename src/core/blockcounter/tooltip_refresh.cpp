// Every second the block counter's values are repeated in their tooltips,
// so they can be read in full even where a box is too narrow.
#include <array>
#include <utility>

#include "core/blockcounter/block_counter.h"
#include "core/state/app_context.h"

namespace syncward {

namespace {

void refreshTooltips(MainWindow& w) {
    const std::array<std::pair<TextBox*, const char*>, 11> boxes = {{
        {&w.CURRENT_BLOCK_TEXTBOX, "Current Block = "},
        {&w.LAST_BLOCKCOUNT_TEXTBOX, "Last Block = "},
        {&w.USER_COUNT_TIME_TEXTBOX, "GETBLOCKCOUNT Runs Every: "},
        {&w.BLOCKCOUNT_TIMER_TEXTBOX, "Next GETBLOCKCOUNT Check In : "},
        {&w.USER_OVERRIDE_TIME_TEXTBOX, "Override Timer Set To: "},
        {&w.OVERRIDE_TIMER_TEXTBOX,
         w.PHASE_LIMIT ? "Run Limit - Blockcounter Finishes In: " : "Override Timer Activates In: "},
        {&w.BC_FOLDER_SIZE_BEFORE, "Blockchain Folder Size BEFORE Update: "},
        {&w.BC_FOLDER_SIZE_AFTER, "Blockchain Folder Size AFTER Update: "},
        {&w.START_TIME_TEXTBOX, "SYNCWARD Started Running At: "},
        {&w.END_TIME_TEXTBOX, "SYNCWARD Finished Running At: "},
        {&w.BLOCKCOUNT_LOG_START_TEXTBOX, "BlockCount Number At Start: "},
    }};
    for (const auto& [box, prefix] : boxes) box->setTooltip(prefix + box->text());
    w.BLOCKCOUNT_LOG_END_TEXTBOX.setTooltip("BlockCount Number At End: " + w.BLOCKCOUNT_LOG_END_TEXTBOX.text());
    w.RUNTIME_LABEL.setTooltip("SYNCWARD Has Been Running For: " + w.RUNTIME_LABEL.caption());
}

}  // namespace

void installTooltipRefresh(AppContext& app) {
    app.main.TOOLTIP_TIMER.onTick.connect([&app] { refreshTooltips(app.main); });
}

}  // namespace syncward
