#include "core/keepawake/keep_awake_notice.h"

#include "core/keepawake/heartbeat.h"
#include "core/state/app_context.h"

namespace syncward {

void noticeKeepAwake(AppContext& app, bool inhibitorFailed) {
    const bool noKeys = !app.platform.lockKeys.available() && !app.lockKeysNoticed;
    const bool noBus = inhibitorFailed && !app.inhibitorNoticed;
    if (noKeys) app.lockKeysNoticed = true;
    if (noBus) app.inhibitorNoticed = true;
    const auto words = [&app](const char* posixText, const char* windowsText) {
        return app.profile().inOwnWords(posixText, windowsText);
    };
    const std::string names = namesOf(app.platform.sleepInhibitor.holding());
    if (!names.empty()) {
        if (names == app.keepAwakeSaid && !noKeys) return;
        app.keepAwakeSaid = names;
        app.status(heartbeat_texts::keepAwakeBy + names + (noKeys ? heartbeat_texts::keepAwakeNoLockKeys : ""));
    } else if (noKeys && noBus) {
        app.status(words(heartbeat_texts::noLockKeysNoInhibitor, heartbeat_texts::noLockKeysNoInhibitorWindows));
    } else if (noKeys) {
        app.status(words(heartbeat_texts::noLockKeys, heartbeat_texts::noLockKeysWindows));
    } else if (noBus) {
        app.status(words(heartbeat_texts::noInhibitor, heartbeat_texts::noInhibitorWindows));
    }
}

}  // namespace syncward
