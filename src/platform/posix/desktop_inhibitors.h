#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/platform/sleep_inhibitor.h"

namespace syncward {

// The desktop's own inhibitors, taken over the session bus from whichever
// of these the session runs: GNOME's session manager, the freedesktop
// power management and screensaver services (KDE Plasma, XFCE) and the
// desktop portal. GNOME's automatic suspend asks only the first, so the
// login manager's lock alone does not keep a GNOME laptop awake.
//
// Each inhibitor belongs to our bus connection, which stays open while
// they are held: a desktop drops them when the connection closes, so they
// also end with a killed program.
class DesktopInhibitors : public SleepInhibitor {
public:
    // DBUS_SESSION_BUS_ADDRESS, else the user's bus socket where there is
    // one; empty when the session has no bus.
    static std::string sessionBusAddress();

    // The copy's name goes into each inhibitor's application and reason;
    // windowId gives the main window's X11 id, or 0 where it has none.
    DesktopInhibitors(std::string busAddress, std::string copyName, std::function<std::uint32_t()> windowId);
    ~DesktopInhibitors() override { release(); }
    DesktopInhibitors(const DesktopInhibitors&) = delete;
    DesktopInhibitors& operator=(const DesktopInhibitors&) = delete;

    bool hold() override;
    void release() override;
    bool held() const override { return !taken_.empty(); }
    std::vector<HeldInhibitor> holding() const override;

    struct Service;

private:

    std::string busAddress_;
    std::string copyName_;
    std::function<std::uint32_t()> windowId_;
    std::string connectionName_;
    std::vector<const Service*> taken_;
    int connections_ = 0;
};

}  // namespace syncward
