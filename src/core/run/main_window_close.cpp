#include "core/run/main_window_close.h"

#include "core/foldersize/folder_sizer.h"
#include "core/state/app_context.h"
#include "core/state/main_window_settings.h"

namespace syncward {

void installMainWindowClose(AppContext& app) {
    // Place first, then the run's switches. The node is not stopped: the
    // programs the run started keep running, but for a client call still
    // under way (a stop request its node never answers), which is ended:
    // with the program gone, nobody would end it after its two minutes.
    // The last-run text, always-on-top and the node program ticks are
    // stored only by EXIT and autoclose.
    // A closed main window stops its own timers: while another window (the
    // power countdown) keeps the program alive, an always-on-top tick or
    // the watch would otherwise bring it back or work for nobody. All this
    // comes after whoever else acts on the close has seen the window as it
    // stood (a key press under way, a run under way).
    app.main.onClose.connectAfter([&app] {
        app.settings.savePosition(app.main, mainWindowPlacement);
        saveOnClose(app.main, app.settings, ClosedBy::closeBox);
        for (Timer* timer : app.main.timers()) timer->stop();
        if (const std::string& client = app.main.CLI_NAME_TEXTBOX.text(); !client.empty())
            app.platform.processes.terminateOurs(client);
        // A walk still under way would measure for nobody.
        if (app.folderSizer) app.folderSizer->abandon();
    });
}

}  // namespace syncward
