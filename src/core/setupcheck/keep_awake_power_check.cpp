#include "core/power/power_actions.h"
#include "core/setupcheck/setup_check_texts.h"
#include "core/setupcheck/setup_checks.h"

namespace syncward {

namespace texts = setup_check_texts;

namespace {

void checkKeepAwake(Platform& platform, CheckLines& out) {
    const std::size_t before = out.size();
    if (!platform.lockKeys.available()) out.push_back({CheckLevel::Doubtful, texts::noLockKeys, texts::fixNoLockKeys});
    // Held for a moment only, unless the program already holds it.
    SleepInhibitor& inhibitor = platform.sleepInhibitor;
    if (!inhibitor.held()) {
        if (inhibitor.hold())
            inhibitor.release();
        else
            out.push_back({CheckLevel::Doubtful, texts::noInhibitor, texts::fixNoInhibitor});
    }
    if (out.size() == before) out.push_back({CheckLevel::Fine, texts::keepAwakeFine, {}});
}

void checkPowerCommand(const SetupFacts& facts, Platform& platform, CheckLines& out) {
    const PowerActionEntry* action = findPowerAction(facts.powerActionText);
    if (!action) {
        out.push_back({CheckLevel::Doubtful, texts::noPowerAction, texts::fixNoPowerAction});
        return;
    }
    const std::vector<std::string> command =
        platform.profile.powerCommand(action->action, platform.environment.userName());
    const std::string& program = command.front();
    const std::string named = std::string(action->text) + ": " + program;
    if (findProgram(platform, program))
        out.push_back({CheckLevel::Fine, named + " FOUND", {}});
    else
        out.push_back({CheckLevel::Failing, named + " NOT FOUND", "THE RUN WOULD END WITHOUT ITS POWER ACTION"});
}

}  // namespace

void checkKeepAwakeAndPower(const SetupFacts& facts, Platform& platform, CheckLines& out) {
    if (facts.heartbeat) checkKeepAwake(platform, out);
    if (facts.powerStep) checkPowerCommand(facts, platform, out);
}

}  // namespace syncward
