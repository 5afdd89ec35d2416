#include "core/app/main_window_close.h"

#include "core/app/app_context.h"

namespace syncward {

void installMainWindowClose(AppContext& app) {
    MainWindow& w = app.main;
    // Place first, then the run's switches. Nothing is stopped: programs the
    // run started keep running. The last-run text, always-on-top and the
    // node program ticks are stored only by EXIT and autoclose.
    w.onClose = [&app, &w] {
        const SectionSettings& s = app.settings;
        s.savePosition(w, "MAIN-");
        s.saveTick(w.AUTOSTART_TICKBOX);
        s.saveTick(w.FINISH_WHEN_IDENTICAL_TICKBOX);
        s.saveText(w.USER_COUNT_TIME_TEXTBOX);
        s.saveText(w.USER_OVERRIDE_TIME_TEXTBOX);
        s.saveTick(w.OVERRIDE_TIMER_ENABLE_TICKBOX);
        s.saveTick(w.AUTOSTART_OVERRIDE_TIMER_TICKBOX);
        for (TickBox* box : {&w.TASK_2_ENABLE_TICKBOX, &w.TASK_4_ENABLE_TICKBOX, &w.TASK_8_ENABLE_TICKBOX,
                             &w.TASK_11_ENABLE_TICKBOX, &w.TASK_17_ENABLE_TICKBOX, &w.TASK_18_ENABLE_TICKBOX,
                             &w.TASK_19_ENABLE_TICKBOX, &w.TASK_20_ENABLE_TICKBOX})
            s.saveTick(*box);
        s.saveText(w.EMAIL_OUTPUT_START_COMMAND_TEXTBOX);
        s.saveText(w.EMAIL_OUTPUT_END_COMMAND_TEXTBOX);
        s.saveText(w.RUN_QT_OR_D_TEXTBOX);
    };
}

}  // namespace syncward
