#include "core/blockcounter/info_only_readings.h"

#include "core/state/app_context.h"

namespace syncward {

void saveInfoOnlyReadings(AppContext& app) {
    MainWindow& w = app.main;
    app.settings.save("INFO_ONLY_CURRENT_BLOCK_TEXTBOX", w.CURRENT_BLOCK_TEXTBOX.text());
    app.settings.save("INFO_ONLY_LAST_BLOCKCOUNT_TEXTBOX", w.LAST_BLOCKCOUNT_TEXTBOX.text());
    app.settings.save("INFO_ONLY_BLOCK_VERIFIER_TEXTBOX", w.BLOCK_VERIFIER_TEXTBOX.text());
    app.settings.save("INFO_ONLY_BLOCK_TRIPLE_CHECK_TEXTBOX", w.BLOCK_TRIPLE_CHECK_TEXTBOX.text());
}

}  // namespace syncward
