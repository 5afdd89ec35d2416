#include "core/app/application.h"

#include "core/app/always_on_top.h"
#include "core/app/main_window_close.h"
#include "core/app/run_choices.h"
#include "core/app/startup.h"
#include "core/blockcounter/block_counter.h"
#include "core/processes/process_watch.h"

namespace syncward {

Application::Application(Platform& platform)
    : platform_(platform), main_(platform.loop, platform.profile), context_(platform, main_) {
    installAlwaysOnTop(context_);
    installRunChoices(context_);
    installMainWindowClose(context_);
    installProcessWatch(context_);
    installBlockCounter(context_);

    // Buttons whose windows the program does not have yet.
    for (Button* button : {&main_.SETTINGS_BUTTON, &main_.ABOUT_BUTTON, &main_.HELP_BUTTON, &main_.BOX_INFO_BUTTON,
                           &main_.TERMINATOR_BUTTON, &main_.BLOCK_TIMES_WINDOW_BUTTON, &main_.MANUAL_RUN_BUTTON})
        button->setEnabled(false);
}

Application::~Application() = default;

void Application::start() {
    runStartUp(context_);
    platform_.windows.showModeless(main_);
}

}  // namespace syncward
