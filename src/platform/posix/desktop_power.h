#pragma once

#include <optional>
#include <string>

#include "core/platform/power_switch.h"

namespace syncward {

// The desktop session's own manager, asked over the session bus for a
// power action: it runs inside the user's active session, which the system
// lets power off without a password, and it closes the user's programs
// properly first. Only a manager that runs now is asked; none is started.
//
// GNOME (org.gnome.SessionManager): Shutdown and Reboot, and Logout with
// mode 1 (no confirmation). Shutdown and Reboot have no such mode: GNOME
// Shell shows its end-session dialog, which goes ahead by itself when its
// minute has run out, and the call is answered only then; the user's
// "logout-prompt" setting turned off skips it. No hibernation.
// KDE Plasma (org.kde.Shutdown; older: org.kde.ksmserver's logout with
// "no confirmation, now"): no dialog; no hibernation.
// XFCE (org.xfce.SessionManager): Shutdown, Restart, Hibernate and Logout
// without its dialog.
class DesktopPower {
public:
    // callLimitMs bounds the questions; actionLimitMs the action, which
    // GNOME answers only after its dialog's minute.
    DesktopPower(const std::string& busAddress, int callLimitMs, int actionLimitMs);
    ~DesktopPower();
    DesktopPower(const DesktopPower&) = delete;
    DesktopPower& operator=(const DesktopPower&) = delete;

    // The route of the desktop manager that runs now ("GNOME SESSION"),
    // empty when none does.
    std::string running();
    // The running manager's answer; nullopt when none runs or it has no
    // call for this action.
    std::optional<PowerAnswer> act(PowerAction action);

    struct Manager;

private:
    const Manager* find();

    std::string connection_;
    int callLimitMs_;
    int actionLimitMs_;
    bool connected_ = false;
};

}  // namespace syncward
