#include <algorithm>
#include <string>
#include <vector>

#include "core/power/power_actions.h"
#include "core/setupcheck/setup_check_texts.h"
#include "core/setupcheck/setup_checks.h"

namespace syncward {

namespace texts = setup_check_texts;

namespace {

// Names what holds the computer awake in this session: green when the
// desktop's own inhibitor is among them, yellow when only the login
// manager's is (GNOME's automatic suspend does not ask it).
void checkInhibitors(const std::vector<HeldInhibitor>& holding, CheckLines& out) {
    const std::string names = namesOf(holding);
    if (std::any_of(holding.begin(), holding.end(), [](const HeldInhibitor& held) { return held.desktopHonours; }))
        out.push_back({CheckLevel::Fine, texts::inhibitorsHeld + names, {}});
    else
        out.push_back({CheckLevel::Doubtful, texts::inhibitorsHeld + names + texts::noDesktopInhibitor,
                       texts::fixNoDesktopInhibitor});
}

void checkKeepAwake(Platform& platform, CheckLines& out) {
    const PlatformProfile& profile = platform.profile;
    const bool keys = platform.lockKeys.available();
    if (!keys)
        out.push_back({CheckLevel::Doubtful, profile.inOwnWords(texts::noLockKeys, texts::noLockKeysWindows),
                       texts::fixNoLockKeys});
    // Held for a moment only, unless the program already holds it.
    SleepInhibitor& inhibitor = platform.sleepInhibitor;
    const bool heldBefore = inhibitor.held();
    if (!heldBefore && !inhibitor.hold()) {
        out.push_back({CheckLevel::Doubtful, texts::noInhibitor,
                       profile.inOwnWords(texts::fixNoInhibitor, texts::fixNoInhibitorWindows)});
        return;
    }
    const std::vector<HeldInhibitor> holding = inhibitor.holding();
    if (!heldBefore) inhibitor.release();
    if (!holding.empty())
        checkInhibitors(holding, out);
    else if (keys)
        out.push_back({CheckLevel::Fine, texts::keepAwakeFine, {}});
}

// What the night's power action will go through when the weekly start
// runs it, outside this session, and whether the system will allow it.
void checkPowerAction(const SetupFacts& facts, Platform& platform, CheckLines& out) {
    const PowerActionEntry* action = findPowerAction(facts.powerActionText);
    if (!action) {
        out.push_back({CheckLevel::Doubtful, texts::noPowerAction, texts::fixNoPowerAction});
        return;
    }
    const PowerForecast forecast = platform.powerSwitch.forecast(action->action);
    const std::string said = std::string(action->text) + " THROUGH " + forecast.route + ": " + forecast.basis;
    switch (forecast.verdict) {
        case PowerForecast::Verdict::allowed: out.push_back({CheckLevel::Fine, said, {}}); break;
        case PowerForecast::Verdict::unknown: out.push_back({CheckLevel::Doubtful, said, forecast.fix}); break;
        case PowerForecast::Verdict::refused:
            out.push_back({CheckLevel::Failing, said + texts::powerActionWouldBeRefused, forecast.fix});
            break;
    }
}

}  // namespace

void checkKeepAwakeAndPower(const SetupFacts& facts, Platform& platform, CheckLines& out) {
    if (facts.heartbeat) checkKeepAwake(platform, out);
    if (facts.powerStep) checkPowerAction(facts, platform, out);
}

}  // namespace syncward
