#pragma once

#include <memory>
#include <string>

#include "core/platform/platform.h"

namespace syncward {

class CloseRequests;
class QtWindowHost;
struct DisplayEnvironment;

// This copy's claim to run: one running copy per executable name and user,
// the name as the copy's settings have it, so that every start that shares
// a copy's settings shares its claim.
class CopyLock {
public:
    explicit CopyLock(const std::string& argv0);
    ~CopyLock();
    CopyLock(const CopyLock&) = delete;
    CopyLock& operator=(const CopyLock&) = delete;
    const std::string& name() const { return name_; }
    // Why the claim cannot be made at all, in a sentence; empty when it was
    // made or the same copy already runs. Such a start must end: another
    // start that met the same obstacle would run beside it.
    std::string problem() const;
    // False when the same copy already runs, or the claim cannot be made.
    bool first() const;
    // Asks the copy that runs to give way (it closes when it has no run
    // under way); true once this copy may run.
    bool takeOver();
    // This copy now hands requests to give way on to requests (on Linux
    // they reach it as a signal by themselves).
    void acceptGiveWayRequests(CloseRequests& requests);

private:
    struct Lock;
    std::string name_;
    std::unique_ptr<Lock> lock_;
};

// The display the environment names, asked whether it can show a window
// (a few seconds at most). On Linux what was opened to ask is held while
// this lives: an X server whose last client leaves resets itself, and the
// toolkit's own connection must not meet that reset. Let it go once the
// QApplication exists. A Windows session always has its desktop.
class DisplayHold {
public:
    DisplayHold();
    ~DisplayHold();
    DisplayHold(const DisplayHold&) = delete;
    DisplayHold& operator=(const DisplayHold&) = delete;
    bool opens() const;

private:
    struct Probe;
    std::unique_ptr<Probe> probe_;
};

// The real platform of this system (a Linux desktop or Windows), assembled
// once in main().
class SystemPlatform {
public:
    explicit SystemPlatform(const std::string& argv0);
    ~SystemPlatform();

    // Command files, reports and the settings may hold passwords: whatever
    // the program creates is readable by its owner only, while the programs
    // it starts get the user's own mask back. Call before anything is created.
    static void keepCreatedFilesPrivate();
    // The programs a run starts stay known as its own whatever they do to
    // themselves (a node that forks into the background, a mailer that
    // rewrites its title): call before anything is started.
    static void keepStartedProgramsInTheFamily();
    // A window program on Windows has no console of its own: started from
    // one, its answers to --help, --version and --check go there. Only for
    // those short answers: a program attached to a console ends when the
    // console is closed, which a run must not. Nothing to do on Linux.
    static void answerOnCallersConsole();
    // Fills in where windows would go, as far as the environment tells
    // without opening anything (a Windows session always has its desktop).
    static void describeDisplay(DisplayEnvironment& display);

    Platform& platform() { return *platform_; }
    QtWindowHost& windowHost() { return *windowHost_; }

private:
    struct Parts;
    std::unique_ptr<Parts> parts_;
    std::unique_ptr<QtWindowHost> windowHost_;
    std::unique_ptr<Platform> platform_;
};

}  // namespace syncward
