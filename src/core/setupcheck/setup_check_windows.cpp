#include "core/setupcheck/setup_check_windows.h"

#include "core/setupcheck/setup_check_window.h"
#include "core/setupcheck/setup_checks.h"
#include "core/state/app_context.h"

namespace syncward {

SetupCheckWindows::SetupCheckWindows(AppContext& app, SettingsWindows& settings)
    : app_(app),
      settings_(settings),
      window_(std::make_unique<SetupCheckWindow>(app, [this] { return gatherSetupFacts(app_, settings_); })) {}

SetupCheckWindows::~SetupCheckWindows() = default;

void SetupCheckWindows::open(Form& owner) {
    if (window_->isOpen()) return;
    window_->runCheck();
    app_.platform.windows.showModal(*window_, owner);
}

CheckLines SetupCheckWindows::checkNow() { return checkSetup(gatherSetupFacts(app_, settings_), app_.platform); }

}  // namespace syncward
