#include "core/app/always_on_top.h"

#include "core/state/app_context.h"

namespace syncward {

void installAlwaysOnTop(AppContext& app) {
    MainWindow& w = app.main;
    WindowHost& windows = app.platform.windows;
    w.AlwaysOnTopTimer.onTick = [&w, &windows] {
        // While the main window is itself in front there is nothing to do.
        if (!windows.isForeground(w)) windows.makeTopmost(w);
    };
    // Unticking only stops the timer: a topmost state already applied stays.
    w.ALWAYS_ON_TOP_TICKBOX.onClick = [&app, &w] {
        w.AlwaysOnTopTimer.setEnabled(w.ALWAYS_ON_TOP_TICKBOX.ticked());
        app.settings.saveTick(w.ALWAYS_ON_TOP_TICKBOX);
    };
}

}  // namespace syncward
