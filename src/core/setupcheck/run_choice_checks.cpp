#include "core/setupcheck/setup_check_texts.h"
#include "core/setupcheck/setup_checks.h"

namespace syncward {

namespace texts = setup_check_texts;

// Choices that leave a run waiting for somebody: rarely what a user who
// sleeps through it wants. A run that starts by itself and can never end
// by itself fails, though: nobody is there to finish it.
void checkRunChoices(const SetupFacts& facts, CheckLines& out) {
    const std::size_t before = out.size();
    if (!facts.finishWhenIdentical)
        out.push_back({facts.autostart ? CheckLevel::Failing : CheckLevel::Doubtful, texts::finishUnticked,
                       texts::fixFinishUnticked});
    if (!facts.overrideTimer) out.push_back({CheckLevel::Doubtful, texts::overrideUnticked, texts::fixOverrideUnticked});
    if (!facts.autostart) out.push_back({CheckLevel::Doubtful, texts::autostartUnticked, texts::fixAutostartUnticked});
    if (!facts.autoclose && !facts.powerStep) out.push_back({CheckLevel::Doubtful, texts::noEndAction, texts::fixNoEndAction});
    if (out.size() == before) out.push_back({CheckLevel::Fine, texts::runChoicesFine, {}});
}

}  // namespace syncward
