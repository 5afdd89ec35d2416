#pragma once

#include <functional>
#include <string>

#include "core/platform/platform.h"
#include "core/state/main_window.h"
#include "core/state/section_settings.h"

namespace syncward {

class PowerAutotimer;
class FolderSizer;

// What every subsystem of the program works with: the platform, the main
// window (the shared state), the settings section of this copy of the
// program and its executable name.
struct AppContext {
    AppContext(Platform& platform, MainWindow& main)
        : platform(platform),
          main(main),
          executableName(platform.environment.executableName()),
          settings(platform.store, executableName) {}

    Platform& platform;
    MainWindow& main;
    std::string executableName;
    SectionSettings settings;
    // The end-of-run power action's windows, owned by the application.
    PowerAutotimer* powerAutotimer = nullptr;
    // What keeping awake cannot do on this system has been said once.
    bool lockKeysNoticed = false;
    bool inhibitorNoticed = false;
    // The inhibitors last named in the status line: only a change is said again.
    std::string keepAwakeSaid;
    // The blockchain folder's measurements, owned by the application.
    FolderSizer* folderSizer = nullptr;
    // Writes the node-check command file from the stored crypto settings;
    // installed by the application, which owns the settings windows.
    std::function<bool()> writeStoredNodeCheckFile;

    const PlatformProfile& profile() const { return platform.profile; }
    void status(const std::string& text) const { main.CURRENT_STATUS_LABEL.setCaption(text); }
};

}  // namespace syncward
