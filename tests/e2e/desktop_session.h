#pragma once

#include <memory>
#include <optional>
#include <ostream>
#include <string>

#include "e2e/program_run.h"
#include "support/temp_dir.h"

namespace syncward::testing {

class BackgroundProcess;

// A desktop's power services on buses of the test's own, never the
// machine's: an X server, a system bus with a stand-in login manager, a
// session bus, and on it a real GNOME session manager, a real XFCE power
// manager, or no desktop service at all.
class DesktopSession {
public:
    enum class Desktop { None, Gnome, Xfce };

    explicit DesktopSession(Desktop desktop);
    ~DesktopSession();

    // Empty when everything came up; else what did not.
    const std::string& problem() const { return problem_; }

    // For a program that is to live in this session.
    ProgramRun::Environment environment() const;
    const std::string& sessionBus() const { return sessionBus_; }
    const std::string& systemBus() const { return systemBus_; }

    // What the desktop says of its inhibitors: GNOME's IsInhibited(suspend
    // and idle), XFCE's HasInhibit; nullopt when it did not answer.
    std::optional<bool> desktopInhibited() const;
    // Whether the stand-in login manager handed out a lock, and saw it
    // closed, since the session began.
    bool loginLockTaken() const;
    bool loginLockReleased() const;

    // True when every program the session needs is installed.
    static bool installed(Desktop desktop);

private:
    bool startBus(const std::string& name, std::unique_ptr<BackgroundProcess>& bus, std::string& address);

    Desktop desktop_;
    TempDir dir_;
    std::string problem_;
    std::string display_, systemBus_, sessionBus_;
    std::unique_ptr<BackgroundProcess> xserver_, systemBusDaemon_, sessionBusDaemon_, login_, desktopService_;
};

inline void PrintTo(DesktopSession::Desktop desktop, std::ostream* out) {
    *out << (desktop == DesktopSession::Desktop::Gnome  ? "GNOME"
             : desktop == DesktopSession::Desktop::Xfce ? "XFCE"
                                                        : "no desktop");
}

}  // namespace syncward::testing
