#include "core/blockcounter/info_only_readings.h"

#include "core/state/app_context.h"

namespace syncward {

void saveInfoOnlyReadings(AppContext& app) {
    const BlockReadings& readings = app.main.run.readings;
    app.settings.save("INFO_ONLY_CURRENT_BLOCK_TEXTBOX", readings.current);
    app.settings.save("INFO_ONLY_LAST_BLOCKCOUNT_TEXTBOX", readings.lastAccepted);
    app.settings.save("INFO_ONLY_BLOCK_VERIFIER_TEXTBOX", readings.verifierReference);
    app.settings.save("INFO_ONLY_BLOCK_TRIPLE_CHECK_TEXTBOX", readings.tripleCheckReference);
}

}  // namespace syncward
