#include "core/info/dedications_window.h"

#include "core/info/info_texts.h"
#include "core/state/app_context.h"

namespace syncward {

namespace {

constexpr WindowPlacement windowPlacement{"DEDICATIONS_WINDOW-", 15720, 7650};

}  // namespace

DedicationsWindow::DedicationsWindow(AppContext& app) : Form(formName, app.platform.loop), app_(app) {
    setCaption("SYNCWARD - DEDICATIONS");
    DEDICATIONS_TEXTBOX.setLocked(true);
    DEDICATIONS_TEXTBOX.setText(info_texts::dedications(app.profile()));
    OK_BUTTON.onClick.connect([this] { close(); });
    onClose.connect([this] { app_.settings.savePosition(*this, windowPlacement); });
}

void DedicationsWindow::load() { app_.settings.loadPlacement(*this, windowPlacement); }

}  // namespace syncward
