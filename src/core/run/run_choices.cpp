#include "core/run/run_choices.h"

#include "core/state/app_context.h"

namespace syncward {

namespace {

// Ticking one box of a pair greys out and clears the other; clearing it
// frees the other again. The shared text names what is chosen.
void excludeEachOther(TickBox& box, TickBox& other, TextBox& choice, const std::string& chosenText) {
    if (box.ticked()) {
        other.setEnabled(false);
        other.setValue(0);
        choice.setText(chosenText);
    } else {
        other.setEnabled(true);
        choice.setText("");
    }
}

}  // namespace

void installRunChoices(AppContext& app) {
    MainWindow& w = app.main;
    // The node program ticks are saved when the program exits, not on click.
    w.RUN_QT_TICKBOX.onClick.connect([&w] {
        excludeEachOther(w.RUN_QT_TICKBOX, w.RUN_DAEMON_TICKBOX, w.RUN_QT_OR_D_TEXTBOX, "QT");
    });
    w.RUN_DAEMON_TICKBOX.onClick.connect([&w] {
        excludeEachOther(w.RUN_DAEMON_TICKBOX, w.RUN_QT_TICKBOX, w.RUN_QT_OR_D_TEXTBOX, "DAEMON");
    });
    // The final action is saved at once.
    w.TASK_19_ENABLE_TICKBOX.onClick.connect([&app, &w] {
        excludeEachOther(w.TASK_19_ENABLE_TICKBOX, w.TASK_20_ENABLE_TICKBOX, w.AUTOCLOSE_OR_POWER_AUTOTIMER_TEXTBOX,
                         "AUTOCLOSE");
        app.settings.saveText(w.AUTOCLOSE_OR_POWER_AUTOTIMER_TEXTBOX);
    });
    w.TASK_20_ENABLE_TICKBOX.onClick.connect([&app, &w] {
        excludeEachOther(w.TASK_20_ENABLE_TICKBOX, w.TASK_19_ENABLE_TICKBOX, w.AUTOCLOSE_OR_POWER_AUTOTIMER_TEXTBOX,
                         "POWER AUTOTIMER");
        if (!w.TASK_20_ENABLE_TICKBOX.ticked()) w.AUTOTIMER_ACTION_TEXTBOX.setText("");
        app.settings.saveText(w.AUTOCLOSE_OR_POWER_AUTOTIMER_TEXTBOX);
    });
}

}  // namespace syncward
