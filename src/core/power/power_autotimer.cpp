#include "core/power/power_autotimer.h"

#include "core/power/power_autotimer_settings.h"
#include "core/power/power_autotimer_window.h"
#include "core/state/app_context.h"

namespace syncward {

PowerAutotimer::PowerAutotimer(AppContext& app)
    : app_(app),
      countdown_(std::make_unique<PowerAutotimerWindow>(app)),
      settings_(std::make_unique<PowerAutotimerSettings>(app)) {}

PowerAutotimer::~PowerAutotimer() = default;

void PowerAutotimer::showCountdownWindow() {
    if (!countdown_->isOpen()) countdown_->load();
    app_.platform.windows.showModeless(*countdown_);
}

void PowerAutotimer::openSettingsWindow(Form& owner) {
    settings_->load();
    app_.platform.windows.showModal(*settings_, owner);
}

}  // namespace syncward
