#include "core/keepawake/lock_key_lights.h"

#include <array>
#include <string>

#include "core/keepawake/keep_awake_notice.h"
#include "core/state/app_context.h"

namespace syncward {

namespace {

struct LockKeyLight {
    LockKey key;
    Label MainWindow::*light;
    const char* caption;
    // Where the keys cannot be reached (a Wayland session, offscreen) the
    // row reads "NO LOCK KEYS" rather than showing three dead lamps.
    const char* unavailableCaption;
    const char* name;  // as the tooltips say it
};

constexpr std::array<LockKeyLight, 3> lights = {{
    {LockKey::Num, &MainWindow::VERT_NUM_LIGHT_LABEL, "N", "NO", "NUM LOCK"},
    {LockKey::Caps, &MainWindow::VERT_CAPS_LIGHT_LABEL, "C", "LOCK", "CAPS LOCK"},
    {LockKey::Scroll, &MainWindow::VERT_SCROLL_LIGHT_LABEL, "S", "KEYS", "SCROLL LOCK"},
}};

void refresh(AppContext& app) {
    MainWindow& w = app.main;
    const auto states = app.platform.lockKeys.states();
    for (const LockKeyLight& entry : lights) {
        Label& light = w.*entry.light;
        const std::optional<bool> on = states[static_cast<std::size_t>(entry.key)];
        if (!on) {
            light.setBackground(colours::windowBackground);
            light.setTooltip(std::string(entry.name) + " = NOT AVAILABLE - " +
                             app.profile().inOwnWords("NO X11 SESSION", "NO VISIBLE DESKTOP") + " TO READ IT FROM");
        } else {
            light.setBackground(*on ? colours::green : colours::red);
            light.setTooltip(std::string(entry.name) + (*on ? " = ON" : " = OFF"));
        }
    }
}

}  // namespace

void installLockKeyLights(AppContext& app) {
    MainWindow& w = app.main;
    const bool available = app.platform.lockKeys.available();
    for (const LockKeyLight& entry : lights) {
        Label& light = w.*entry.light;
        light.setCaption(available ? entry.caption : entry.unavailableCaption);
        light.setTooltip(std::string(entry.name) + " STATUS - DOUBLE-CLICK TO TURN ON / OFF");
        const LockKey key = entry.key;
        light.onDoubleClick.connect([&app, key] {
            if (!app.platform.lockKeys.available()) {
                noticeKeepAwake(app, false);
                return;
            }
            app.platform.lockKeys.press(key);
        });
    }
    // The first tick reads the keys as found. Where the system tells of
    // every change, the lights follow those and the timer rests from then
    // on, so an idle window is not woken ten times a second for nothing.
    const bool told = app.platform.lockKeys.followChanges([&app] { refresh(app); });
    w.NCS_TIMER.onTick.connect([&app, told] {
        refresh(app);
        if (told) app.main.NCS_TIMER.stop();
    });
}

}  // namespace syncward
