#pragma once

#include <string>
#include <vector>

#include "core/confgen/conf_generator_window.h"
#include "core/confgen/confgen_windows.h"
#include "core/settings/main_settings_window.h"
#include "core/settings/settings_windows.h"
#include "support/app_harness.h"

namespace syncward::testing {

// The program started with a home folder; the generator opened from the
// main settings as a user opens it.
struct ConfGenHarness : AppHarness {
    explicit ConfGenHarness(PlatformProfile profile = PlatformProfile::windows(), std::string home = "D:\\R")
        : AppHarness(std::move(profile)) {
        store("SYNCWARD_HOME_TEXTBOX", home);
    }

    ConfGeneratorWindow& open() {
        if (!app) start();
        main().SETTINGS_BUTTON.click();
        app->settingsWindows().mainSettings().CONF_MANAGER_BUTTON.click();
        return windows().generator();
    }
    ConfGenWindows& windows() { return app->confGenWindows(); }
    // One tick of the preview timer.
    void tick() { fake.loop.advance(1000); }
    std::string file(const std::string& path) const { return fake.files.files.at(path); }
};

// Lines joined by a line end, as the preview joins them.
inline std::string joinLines(const std::vector<std::string>& lines, const std::string& end) {
    std::string text;
    for (std::size_t n = 0; n < lines.size(); ++n) text += (n ? end : "") + lines[n];
    return text;
}

}  // namespace syncward::testing
