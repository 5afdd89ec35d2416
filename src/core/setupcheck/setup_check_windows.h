#pragma once

#include <memory>

#include "core/setupcheck/check_line.h"

namespace syncward {

struct AppContext;
class Form;
class SettingsWindows;
class SetupCheckWindow;

// The set-up check: its window, opened over the window that asks for it,
// and the same checks without a window for the command line.
class SetupCheckWindows {
public:
    SetupCheckWindows(AppContext& app, SettingsWindows& settings);
    ~SetupCheckWindows();

    // Checks afresh and shows the lines modally over owner.
    void open(Form& owner);
    CheckLines checkNow();
    SetupCheckWindow& window() { return *window_; }

private:
    AppContext& app_;
    SettingsWindows& settings_;
    std::unique_ptr<SetupCheckWindow> window_;
};

}  // namespace syncward
