#include "core/app/main_window_close.h"

#include "core/app/app_context.h"

namespace syncward {

void saveRunSwitches(AppContext& app, NodeProgramTicks nodePrograms) {
    MainWindow& w = app.main;
    const SectionSettings& s = app.settings;
    s.saveTick(w.AUTOSTART_TICKBOX);
    s.saveTick(w.FINISH_WHEN_IDENTICAL_TICKBOX);
    s.saveText(w.USER_COUNT_TIME_TEXTBOX);
    s.saveText(w.USER_OVERRIDE_TIME_TEXTBOX);
    s.saveTick(w.OVERRIDE_TIMER_ENABLE_TICKBOX);
    s.saveTick(w.AUTOSTART_OVERRIDE_TIMER_TICKBOX);
    for (TickBox* box : w.stepSwitches()) s.saveTick(*box);
    if (nodePrograms == NodeProgramTicks::Store) {
        s.saveTick(w.RUN_QT_TICKBOX);
        s.saveTick(w.RUN_DAEMON_TICKBOX);
    }
    s.saveText(w.EMAIL_OUTPUT_START_COMMAND_TEXTBOX);
    s.saveText(w.EMAIL_OUTPUT_END_COMMAND_TEXTBOX);
    s.saveText(w.RUN_QT_OR_D_TEXTBOX);
}

void installMainWindowClose(AppContext& app) {
    // Place first, then the run's switches. Nothing is stopped: programs the
    // run started keep running. The last-run text, always-on-top and the
    // node program ticks are stored only by EXIT and autoclose.
    app.main.onClose = [&app] {
        app.settings.savePosition(app.main, "MAIN-");
        saveRunSwitches(app, NodeProgramTicks::Skip);
    };
}

}  // namespace syncward
