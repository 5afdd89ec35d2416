#pragma once

#include <memory>

namespace syncward {

struct AppContext;
class Form;
class PowerAutotimerSettings;
class PowerAutotimerWindow;

// The power autotimer's two windows, created once and loaded anew on every
// open. The run sequence shows the countdown window at the end of a run;
// the main settings window opens the settings window over itself.
class PowerAutotimer {
public:
    explicit PowerAutotimer(AppContext& app);
    ~PowerAutotimer();
    PowerAutotimer(const PowerAutotimer&) = delete;
    PowerAutotimer& operator=(const PowerAutotimer&) = delete;

    // Shows the countdown window beside the main window, without blocking,
    // and starts its countdown. While it is already open it is only raised:
    // a running countdown is not started again.
    void showCountdownWindow();
    // Loads the settings window and shows it modally over its owner.
    void openSettingsWindow(Form& owner);

    PowerAutotimerWindow& countdownWindow() { return *countdown_; }
    PowerAutotimerSettings& settingsWindow() { return *settings_; }

private:
    AppContext& app_;
    std::unique_ptr<PowerAutotimerWindow> countdown_;
    std::unique_ptr<PowerAutotimerSettings> settings_;
};

}  // namespace syncward
