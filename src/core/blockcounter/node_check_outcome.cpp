// The texts a block-counting phase and a run end with, when the node was
// asked to confirm the chain.
#include "core/blockcounter/node_check.h"
#include "core/state/main_window.h"

namespace syncward {

namespace {
constexpr const char* partialSuccess = "!!! COMPLETED SUCCESSFULLY - PARTIAL NODE CHECK, NOT CHECKED: ";
}  // namespace

void forgetNodeCheck(MainWindow& w) {
    w.NODE_CHECK_FAILURE.clear();
    w.NODE_CHECK_PARTIAL.clear();
    w.NODE_CHECK_WAIT_TICKS = 0;
    w.NODE_CHECK_UNANSWERED = 0;
    w.RUN_FAILURE.clear();
    w.READING_SEEN = false;
}

std::string overrideOutcome(const MainWindow& w) {
    if (w.NODE_CHECK_FAILURE.empty()) return "!!! OVERRIDE TIMER ACTIVATED !!!";
    return "!!! OVERRIDE TIMER ACTIVATED - CHAIN NOT CONFIRMED - " + w.NODE_CHECK_FAILURE + " !!!";
}

std::string runOutcome(const MainWindow& w) {
    if (!w.RUN_FAILURE.empty()) return "!!! FINISHED - " + w.RUN_FAILURE + " !!!";
    if (w.NODE_CHECK_FAILURE.empty()) return main_texts::completedSuccessfully;
    return "!!! FINISHED - CHAIN NOT CONFIRMED - " + w.NODE_CHECK_FAILURE + " !!!";
}

std::string completedOutcome(const MainWindow& w) {
    if (!w.RUN_FAILURE.empty()) return "!!! FINISHED - " + w.RUN_FAILURE + " !!!";
    if (!w.NODE_CHECK_FAILURE.empty()) return "!!! CHAIN NOT CONFIRMED - " + w.NODE_CHECK_FAILURE + " !!!";
    if (!w.NODE_CHECK_PARTIAL.empty())
        return partialSuccess + w.NODE_CHECK_PARTIAL + " !!!";
    return main_texts::completedSuccessfully;
}

bool isSuccessOutcome(const std::string& lastRunText) {
    return lastRunText == main_texts::completedSuccessfully || lastRunText.starts_with(partialSuccess);
}

}  // namespace syncward
