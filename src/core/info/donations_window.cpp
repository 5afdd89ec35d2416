#include "core/info/donations_window.h"

#include "core/info/info_texts.h"
#include "core/state/app_context.h"

namespace syncward {

namespace {

constexpr WindowPlacement windowPlacement{"DONATIONS_WINDOW-", 8880, 6330};
constexpr const char* copyHint = "!!! DOUBLE-CLICK = COPY TO CLIPBOARD !!!";

}  // namespace

DonationsWindow::DonationsWindow(AppContext& app)
    : Form(formName, app.platform.loop),
      app_(app),
      cycle_({&DONATION_TEXT_1_TIMER, &DONATION_TEXT_2_TIMER, &DONATION_TEXT_3_TIMER, &DONATION_TEXT_4_TIMER,
              &DONATION_TEXT_5_TIMER},
             [this](Colour colour) { THANKS_DONATIONS_MESSAGE_TEXTBOX.setForeground(colour); }) {
    setCaption("!!! DONATIONS ALWAYS APPRECIATED - Mirvolk - Quorvel !!! :)");
    for (const Address& address : addresses()) {
        TextBox& box = *address.box;
        box.setLocked(true);
        box.setText(info_texts::donationAddressPlaceholder(address.coin));
        box.setTooltip(copyHint);
        box.setColours(colours::black, lightYellow);
        // The hint promises the copy; the colours show which one was taken.
        box.onDoubleClick.connect([this, &box] {
            box.setColours(colours::black, colours::pink);
            app_.platform.clipboard.setText(box.text());
        });
    }
    THANKS_DONATIONS_MESSAGE_TEXTBOX.setLocked(true);
    THANKS_DONATIONS_MESSAGE_TEXTBOX.onDoubleClick.connect([this] { messageDoubleClicked(); });
    WEB_ADDRESS_LABEL.setCaption(info_texts::webAddress);
    CREATOR_LABEL.onDoubleClick.connect([this] { CREATOR_LABEL.setCaption(info_texts::contactAddress); });
    OK_BUTTON.onClick.connect([this] { close(); });
    onClose.connect([this] {
        cycle_.stop();
        app_.settings.savePosition(*this, windowPlacement);
    });
}

void DonationsWindow::load() {
    app_.settings.loadPlacement(*this, windowPlacement);
    CREATOR_LABEL.setCaption(info_texts::creatorLine);
    for (const Address& address : addresses()) address.box->setColours(colours::black, lightYellow);
    cycle_.restart();
}

void DonationsWindow::addressLeft(TextBox& address) { address.setColours(colours::black, lightYellow); }

void DonationsWindow::messageDoubleClicked() {
    // Black means held: a double-click lets the colours run again from green.
    if (THANKS_DONATIONS_MESSAGE_TEXTBOX.foreground() == colours::black) {
        DONATION_TEXT_1_TIMER.start();
        return;
    }
    cycle_.stop();
    THANKS_DONATIONS_MESSAGE_TEXTBOX.setForeground(colours::black);
}

}  // namespace syncward
