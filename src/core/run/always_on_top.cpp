#include "core/run/always_on_top.h"

#include "core/state/app_context.h"

namespace syncward {

void installAlwaysOnTop(AppContext& app) {
    MainWindow& w = app.main;
    WindowHost& windows = app.platform.windows;
    w.AlwaysOnTopTimer.onTick.connect([&w, &windows] {
        // While the main window, or a window opened over it, is in front
        // there is nothing to do: raising the main window then would hide
        // the settings window the user is working in.
        if (!windows.isForeground(w)) windows.setTopmost(w, true);
    });
    // Unticking lets the window go at once, not only at the next start.
    w.ALWAYS_ON_TOP_TICKBOX.onClick.connect([&app, &w, &windows] {
        const bool onTop = w.ALWAYS_ON_TOP_TICKBOX.ticked();
        w.AlwaysOnTopTimer.setEnabled(onTop);
        if (!onTop) windows.setTopmost(w, false);
        app.settings.saveTick(w.ALWAYS_ON_TOP_TICKBOX);
    });
}

}  // namespace syncward
