#pragma once

#include <memory>

namespace syncward {

struct AppContext;
class AboutWindow;
class BoxInfoWindow;
class DedicationsWindow;
class DonationsWindow;
class HelpWindow;

// The five information windows, loaded afresh on every open: about, help
// and box information over the main window, dedications and donations over
// the about window.
class InfoWindows {
public:
    explicit InfoWindows(AppContext& app);
    ~InfoWindows();

    AboutWindow& about() { return *about_; }
    DedicationsWindow& dedications() { return *dedications_; }
    DonationsWindow& donations() { return *donations_; }
    HelpWindow& help() { return *help_; }
    BoxInfoWindow& boxInfo() { return *boxInfo_; }

    void openAbout();
    void openDedications();
    void openDonations();
    void openHelp();
    void openBoxInfo();

private:
    AppContext& app_;
    std::unique_ptr<AboutWindow> about_;
    std::unique_ptr<DedicationsWindow> dedications_;
    std::unique_ptr<DonationsWindow> donations_;
    std::unique_ptr<HelpWindow> help_;
    std::unique_ptr<BoxInfoWindow> boxInfo_;
};

}  // namespace syncward
