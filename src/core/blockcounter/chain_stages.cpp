#include "core/blockcounter/chain_stages.h"

#include "core/state/main_window.h"

namespace syncward {

std::array<Timer*, 11> chainStageTimers(MainWindow& w) {
    return {&w.BLOCKCOUNTER_COUNTDOWN_TIMER,     &w.GETBLOCKCOUNT_TIMER,     &w.CLI_PROCESS_WATCHER_TIMER,
            &w.BLOCKCOUNT_TEXTBOX_UPDATER_TIMER, &w.ZERO_EMPTY_TEXTBOX_CHECKER_TIMER, &w.IDENTICAL_CHECKER_TIMER,
            &w.CHECKER_TIMER,                    &w.VERIFY_TIMER,            &w.TRIPLE_CHECK_TIMER,
            &w.NODE_CHECK_TIMER,                 &w.NODE_CHECK_WATCHER_TIMER};
}

bool readingUnderWay(MainWindow& w) {
    if (w.COMPLETED_TIMER.enabled()) return true;
    for (Timer* stage : chainStageTimers(w))
        if (stage != &w.BLOCKCOUNTER_COUNTDOWN_TIMER && stage->enabled()) return true;
    return false;
}

}  // namespace syncward
