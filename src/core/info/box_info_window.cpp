#include "core/info/box_info_window.h"

#include "core/state/app_context.h"

namespace syncward {

namespace {

constexpr WindowPlacement windowPlacement{"BOX_INFO-", 4800, 2880};

}  // namespace

BoxInfoWindow::BoxInfoWindow(AppContext& app) : Form(formName, app.platform.loop), app_(app) {
    setCaption("SYNCWARD - BOX INFO");
    PC_NAME_TEXTBOX.setLocked(true);
    USERNAME_TEXTBOX.setLocked(true);
    OK_BUTTON.onClick.connect([this] { close(); });
    onClose.connect([this] { app_.settings.savePosition(*this, windowPlacement); });
}

void BoxInfoWindow::load() {
    app_.settings.loadPlacement(*this, windowPlacement);
    Environment& environment = app_.platform.environment;
    PC_NAME_TEXTBOX.setText("PC NAME = " + environment.computerName());
    USERNAME_TEXTBOX.setText("USERNAME = " + environment.userName());
}

}  // namespace syncward
