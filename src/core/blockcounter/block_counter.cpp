#include "core/blockcounter/block_counter.h"

namespace syncward {

void installBlockCounter(AppContext& app) {
    installReadingChain(app);
    installCompletionChecks(app);
    installCompletionHandover(app);
    installOverrideTimer(app);
    installTooltipRefresh(app);
    installNodeCheck(app);
}

}  // namespace syncward
