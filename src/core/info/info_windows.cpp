#include "core/info/info_windows.h"

#include "core/info/about_window.h"
#include "core/info/box_info_window.h"
#include "core/info/dedications_window.h"
#include "core/info/donations_window.h"
#include "core/info/help_window.h"
#include "core/state/app_context.h"

namespace syncward {

InfoWindows::InfoWindows(AppContext& app)
    : app_(app),
      about_(std::make_unique<AboutWindow>(app)),
      dedications_(std::make_unique<DedicationsWindow>(app)),
      donations_(std::make_unique<DonationsWindow>(app)),
      help_(std::make_unique<HelpWindow>(app)),
      boxInfo_(std::make_unique<BoxInfoWindow>(app)) {
    about_->DEDICATIONS_BUTTON.onClick.connect([this] { openDedications(); });
    about_->DONATIONS_BUTTON.onClick.connect([this] { openDonations(); });
}

InfoWindows::~InfoWindows() = default;

void InfoWindows::openAbout() {
    about_->load();
    app_.platform.windows.showModal(*about_, app_.main);
}

void InfoWindows::openDedications() {
    dedications_->load();
    app_.platform.windows.showModal(*dedications_, *about_);
}

void InfoWindows::openDonations() {
    donations_->load();
    app_.platform.windows.showModal(*donations_, *about_);
}

void InfoWindows::openHelp() {
    help_->load();
    app_.platform.windows.showModal(*help_, app_.main);
}

void InfoWindows::openBoxInfo() {
    boxInfo_->load();
    app_.platform.windows.showModal(*boxInfo_, app_.main);
}

}  // namespace syncward
