#pragma once

#include <functional>
#include <memory>
#include <string>

namespace syncward {

struct AppContext;
class CryptoSettingsWindow;
class EmailMainSettingsWindow;
class EmailSharedSettingsWindow;
class Form;
class MainSettingsWindow;
class ScheduledTaskWindow;
class OutputCommandsWindows;

// The settings windows of the program, each created on first use. A
// window that another one needs is loaded without being shown; one that
// closed is loaded afresh the next time it is needed.
class SettingsWindows {
public:
    explicit SettingsWindows(AppContext& app);
    ~SettingsWindows();

    MainSettingsWindow& mainSettings();
    CryptoSettingsWindow& cryptoSettings();
    EmailMainSettingsWindow& emailSettings();
    EmailSharedSettingsWindow& emailSharedSettings();
    OutputCommandsWindows& outputCommands() { return *outputCommands_; }
    // The node-check command file composed from the stored crypto settings,
    // as their Save composes it, into the run's home folder.
    bool writeStoredNodeCheckFile();

    // Modal over the main window, and the crypto settings over the main settings.
    void openMainSettings();
    void openCryptoSettings();
    // Loaded afresh and shown modally over the main settings.
    void openScheduledTask();
    ScheduledTaskWindow& scheduledTask();

    // The configuration generator builds on these windows, so the
    // application hands in how to open it; until then its button stays off.
    std::function<void()> openConfManager;
    // The e-mail settings over the main settings, the shared ones over them.
    void openEmailSettings();
    void openEmailSharedSettings();

    // The main settings' "REPORTS / LOGS": the reports windows are not
    // settings, so whoever owns them says how they open. They show the
    // files of the home folder the main settings show.
    std::function<void(Form& owner, const std::string& home)> openReportsLogs;
    // The main settings' "CHECK SETUP": the check judges these windows'
    // settings, so whoever owns both says how it opens.
    std::function<void(Form& owner)> openSetupCheck;

private:
    AppContext& app_;
    std::unique_ptr<MainSettingsWindow> mainSettings_;
    std::unique_ptr<CryptoSettingsWindow> cryptoSettings_;
    std::unique_ptr<ScheduledTaskWindow> scheduledTask_;
    std::unique_ptr<EmailMainSettingsWindow> emailSettings_;
    std::unique_ptr<EmailSharedSettingsWindow> emailSharedSettings_;
    std::unique_ptr<OutputCommandsWindows> outputCommands_;
};

}  // namespace syncward
