#include "core/app/application.h"

#include "core/app/always_on_top.h"
#include "core/app/main_window_close.h"
#include "core/app/run_choices.h"
#include "core/app/run_sequence.h"
#include "core/app/start_close_timers.h"
#include "core/app/startup.h"
#include "core/blockcounter/block_counter.h"
#include "core/keepawake/folder_sizer.h"
#include "core/power/power_autotimer.h"
#include "core/processes/process_watch.h"
#include "core/settings/settings_windows.h"

namespace syncward {

Application::Application(Platform& platform)
    : platform_(platform),
      main_(platform.loop, platform.profile),
      context_(platform, main_),
      powerAutotimer_(std::make_unique<PowerAutotimer>(context_)) {
    context_.powerAutotimer = powerAutotimer_.get();
    installAlwaysOnTop(context_);
    installRunChoices(context_);
    installMainWindowClose(context_);
    installRunSequence(context_);
    installStartCloseTimers(context_);
    folderSizer_ = std::make_unique<FolderSizer>(context_);
    context_.folderSizer = folderSizer_.get();
    installProcessWatch(context_);
    installBlockCounter(context_);

    settingsWindows_ = std::make_unique<SettingsWindows>(context_);
    main_.SETTINGS_BUTTON.onClick = [this] { settingsWindows_->openMainSettings(); };

    // Buttons whose windows the program does not have yet.
    for (Button* button : {&main_.ABOUT_BUTTON, &main_.HELP_BUTTON, &main_.BOX_INFO_BUTTON,
                           &main_.TERMINATOR_BUTTON, &main_.BLOCK_TIMES_WINDOW_BUTTON, &main_.MANUAL_RUN_BUTTON})
        button->setEnabled(false);
}

Application::~Application() = default;

void Application::start() {
    runStartUp(context_);
    platform_.windows.showModeless(main_);
}

}  // namespace syncward
