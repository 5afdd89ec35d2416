// The texts a block-counting phase and a run end with, when the node was
// asked to confirm the chain.
#include "core/blockcounter/node_check.h"
#include "core/state/main_window.h"

namespace syncward {

namespace {
constexpr const char* partialSuccess = "!!! COMPLETED SUCCESSFULLY - PARTIAL NODE CHECK, NOT CHECKED: ";
}  // namespace

void forgetNodeCheck(MainWindow& w) {
    w.facts.nodeCheck.failure.clear();
    w.facts.nodeCheck.partial.clear();
    w.facts.nodeCheck.seen = {};
    w.NODE_CHECK_WAIT_TICKS = 0;
    w.NODE_CHECK_UNANSWERED = 0;
    w.facts.runFailure.clear();
    w.READING_SEEN = false;
}

std::string overrideOutcome(const MainWindow& w) {
    if (w.facts.nodeCheck.failure.empty()) return "!!! OVERRIDE TIMER ACTIVATED !!!";
    return "!!! OVERRIDE TIMER ACTIVATED - CHAIN NOT CONFIRMED - " + w.facts.nodeCheck.failure + " !!!";
}

std::string runOutcome(const MainWindow& w) {
    if (!w.facts.runFailure.empty()) return "!!! FINISHED - " + w.facts.runFailure + " !!!";
    if (w.facts.nodeCheck.failure.empty()) return main_texts::completedSuccessfully;
    return "!!! FINISHED - CHAIN NOT CONFIRMED - " + w.facts.nodeCheck.failure + " !!!";
}

std::string completedOutcome(const MainWindow& w) {
    if (!w.facts.runFailure.empty()) return "!!! FINISHED - " + w.facts.runFailure + " !!!";
    if (!w.facts.nodeCheck.failure.empty()) return "!!! CHAIN NOT CONFIRMED - " + w.facts.nodeCheck.failure + " !!!";
    if (!w.facts.nodeCheck.partial.empty())
        return partialSuccess + w.facts.nodeCheck.partial + " !!!";
    return main_texts::completedSuccessfully;
}

bool isSuccessOutcome(const std::string& lastRunText) {
    return lastRunText == main_texts::completedSuccessfully || lastRunText.starts_with(partialSuccess);
}

}  // namespace syncward
