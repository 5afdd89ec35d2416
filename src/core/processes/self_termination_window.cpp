#include "core/processes/self_termination_window.h"

#include "core/processes/own_process_name.h"
#include "core/state/app_context.h"

namespace syncward {

namespace {

constexpr WindowPlacement windowPlacement{"SELF_TERMINATION_WINDOW-", 6480, 2715};

}  // namespace

SelfTerminationWindow::SelfTerminationWindow(AppContext& app) : Form(formName, app.platform.loop), app_(app) {
    setCaption("SYNCWARD - SELF TERMINATION");
    HA_HA_MESSAGE_TEXTBOX.setLocked(true);
    SELF_TERMINATE_BUTTON.onClick.connect([this] { app_.platform.processes.terminate(ownProcessName(app_)); });
    ONLY_JOKING_BUTTON.onClick.connect([this] { close(); });
    onClose.connect([this] { app_.settings.savePosition(*this, windowPlacement); });
}

void SelfTerminationWindow::load() { app_.settings.loadPlacement(*this, windowPlacement); }

}  // namespace syncward
