// The copy's lock as the built program takes it: one running copy per
// name, whatever stands at the lock's path and however the name is spelt.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "program_run.h"

namespace syncward::testing {
namespace {

namespace fs = std::filesystem;

// The user's runtime folder of the test's own, where the locks go.
struct RuntimeFolder {
    TempDir dir;
    std::string path = dir / "run";
    RuntimeFolder() {
        fs::create_directory(path);
        fs::permissions(path, fs::perms::owner_all);
    }
    ProgramRun::Environment environment() const { return {{"XDG_RUNTIME_DIR", path}}; }
    std::string lockOf(const std::string& name) const {
        return path + "/syncward-" + std::to_string(::getuid()) + "-" + name + ".lock";
    }
    // The lock file that holds this process id, once one does.
    bool holds(int pid) const {
        for (const auto& entry : fs::directory_iterator(path))
            if (readWholeFile(entry.path()) == std::to_string(pid) + "\n") return true;
        return false;
    }
};

bool eventually(const std::function<bool()>& condition, int limitSeconds) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(limitSeconds);
    while (std::chrono::steady_clock::now() < end) {
        if (condition()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return condition();
}

// A link or a folder at the lock's path: the start ends at once with its
// own status and says why, instead of running without a lock beside a
// start that met the same.
TEST(CopyLock, AStartThatCannotTakeItsLockEndsAndSaysWhy) {
    RuntimeFolder runtime;
    const std::string name = "LOCKLINK" + std::to_string(::getpid());
    ProgramRun program(runtime.dir, name);
    const std::string lock = runtime.lockOf(name);
    const std::string target = runtime.dir / "made-by-the-lock";
    const std::string errors = runtime.dir / "stderr";
    for (const std::string what : {"symbolic link", "folder"}) {
        SCOPED_TRACE(what);
        if (what == "folder")
            fs::create_directory(lock);
        else
            fs::create_symlink(target, lock);
        const int status = program.wait(program.start(runtime.environment(), errors), 30);
        EXPECT_EQ(status, 4) << readWholeFile(errors);
        EXPECT_NE(readWholeFile(errors).find("SYNCWARD - " + name + " cannot take its lock: " + lock + " is a " + what +
                                             ". Without it a second start of this copy could run beside this one; "
                                             "this start ends."),
                  std::string::npos)
            << readWholeFile(errors);
        EXPECT_FALSE(fs::exists(fs::symlink_status(target)));
        fs::remove(lock);
    }
}

// Two names that differ only in bytes that are not UTF-8 have one settings
// section and one home: the second start finds the first holding the lock
// and has it give way, as a second start of the same name would.
TEST(CopyLock, NamesThatShareTheSettingsShareTheLock) {
    RuntimeFolder runtime;
    const std::string suffix = std::to_string(::getpid());
    ProgramRun one(runtime.dir, "L\xff\xfeQ" + suffix);
    ProgramRun two(runtime.dir, "L\xfe\xffQ" + suffix);
    const int first = one.start(runtime.environment());
    ASSERT_TRUE(eventually([&] { return runtime.holds(first); }, 60)) << "the first copy never took requests";
    const int second = two.start(runtime.environment());
    EXPECT_EQ(one.wait(first, 30), 0) << "the first copy did not give way: the two ran side by side";
    EXPECT_TRUE(eventually([&] { return runtime.holds(second); }, 60));
    ::kill(second, SIGTERM);
    EXPECT_EQ(two.wait(second, 30), 0);
}

}  // namespace
}  // namespace syncward::testing
