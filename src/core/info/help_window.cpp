#include "core/info/help_window.h"

#include "core/info/info_texts.h"
#include "core/state/app_context.h"

namespace syncward {

namespace {

constexpr WindowPlacement windowPlacement{"HELP_WINDOW-", 12480, 5550};

}  // namespace

HelpWindow::HelpWindow(AppContext& app) : Form(formName, app.platform.loop), app_(app) {
    setCaption("SYNCWARD - BASIC HELP");
    REGISTRY_LOCATION_TEXTBOX.setLocked(true);
    REGISTRY_LOCATION_LABEL.setCaption(info_texts::settingsLocationLabel(app.profile()));
    const auto texts = info_texts::helpNotes(app.profile());
    const auto labels = notes();
    for (std::size_t i = 0; i < labels.size() && i < texts.size(); ++i) labels[i]->setCaption(texts[i]);
    OK_BUTTON.onClick.connect([this] { close(); });
    onClose.connect([this] { app_.settings.savePosition(*this, windowPlacement); });
}

void HelpWindow::load() {
    app_.settings.loadPlacement(*this, windowPlacement);
    REGISTRY_LOCATION_TEXTBOX.setText(app_.platform.store.locationOf(app_.settings.section()));
}

}  // namespace syncward
