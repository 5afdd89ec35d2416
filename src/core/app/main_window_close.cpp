#include "core/app/main_window_close.h"

#include "core/foldersize/folder_sizer.h"
#include "core/state/app_context.h"
#include "core/state/main_window_settings.h"

namespace syncward {

void installMainWindowClose(AppContext& app) {
    // Place first, then the run's switches. Nothing is stopped: programs the
    // run started keep running. The last-run text, always-on-top and the
    // node program ticks are stored only by EXIT and autoclose.
    // A closed main window stops its own timers: while another window (the
    // power countdown) keeps the program alive, an always-on-top tick or
    // the watch would otherwise bring it back or work for nobody.
    app.main.onClose = [&app] {
        app.settings.savePosition(app.main, mainWindowPlacement);
        saveOnClose(app.main, app.settings, ClosedBy::closeBox);
        for (Timer* timer : app.main.timers()) timer->stop();
        // A walk still under way would measure for nobody.
        if (app.folderSizer) app.folderSizer->abandon();
    };
}

}  // namespace syncward
