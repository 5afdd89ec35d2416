#pragma once

#include <memory>
#include <string>

#include "core/platform/platform.h"

namespace syncward {

class QtWindowHost;
class SingleInstance;

// This copy's claim to run: one running copy per executable name and user.
class CopyLock {
public:
    explicit CopyLock(const std::string& executableName);
    ~CopyLock();
    CopyLock(const CopyLock&) = delete;
    CopyLock& operator=(const CopyLock&) = delete;
    // False when the same copy already runs.
    bool first() const;
    // Asks the copy that runs to give way (it closes when it has no run
    // under way); true once this copy may run.
    bool takeOver();
    // This copy now handles requests to give way.
    void acceptGiveWayRequests();

private:
    std::unique_ptr<SingleInstance> lock_;
};

// The real platform of a Linux desktop, assembled once in main().
class PosixPlatform {
public:
    explicit PosixPlatform(const std::string& argv0);
    ~PosixPlatform();

    // Command files, reports and the settings may hold passwords: whatever
    // the program creates is readable by its owner only, while the programs
    // it starts get the user's own mask back. Call before anything is created.
    static void keepCreatedFilesPrivate();
    // Whether the display the environment names can be opened now.
    static bool displayOpens();

    Platform& platform() { return *platform_; }
    QtWindowHost& windowHost() { return *windowHost_; }

private:
    struct Parts;
    std::unique_ptr<Parts> parts_;
    std::unique_ptr<QtWindowHost> windowHost_;
    std::unique_ptr<Platform> platform_;
};

}  // namespace syncward
