#include "core/info/about_window.h"

#include "core/info/info_texts.h"
#include "core/state/app_context.h"

namespace syncward {

#ifndef SYNCWARD_VERSION
#define SYNCWARD_VERSION "(not set by the build)"
#endif

namespace {

constexpr WindowPlacement windowPlacement{"ABOUT-", 9930, 6450};

}  // namespace

AboutWindow::AboutWindow(AppContext& app)
    : Form(formName, app.platform.loop),
      app_(app),
      cycle_({&DONATION_BUTTON_1_TIMER, &DONATION_BUTTON_2_TIMER, &DONATION_BUTTON_3_TIMER, &DONATION_BUTTON_4_TIMER,
              &DONATION_BUTTON_5_TIMER},
             [this](Colour colour) { DONATIONS_BACK_TEXTBOX.setBackground(colour); }) {
    setCaption("SYNCWARD - ABOUT");
    for (TextBox* box : {&QUORVEL_TITLE_TEXTBOX, &SYNCWARD_TITLE_TEXTBOX, &FAMILY_TOOLS_TEXTBOX, &DONATIONS_BACK_TEXTBOX})
        box->setLocked(true);
    FAMILY_TOOLS_TEXTBOX.setText(info_texts::familyTools());
    WEB_ADDRESS_LABEL.setCaption(info_texts::webAddress);
    VERSION_LABEL.setCaption(std::string("VERSION ") + SYNCWARD_VERSION);
    CREATOR_LABEL.onDoubleClick.connect([this] { CREATOR_LABEL.setCaption(info_texts::contactAddress); });
    OK_BUTTON.onClick.connect([this] { close(); });
    onClose.connect([this] {
        // A closed window's timers would go on painting a box nobody sees.
        cycle_.stop();
        app_.settings.savePosition(*this, windowPlacement);
    });
}

void AboutWindow::load() {
    app_.settings.loadPlacement(*this, windowPlacement);
    CREATOR_LABEL.setCaption(info_texts::creatorLine);
    cycle_.restart();
}

}  // namespace syncward
