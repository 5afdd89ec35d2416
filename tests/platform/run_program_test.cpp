#include <sys/stat.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

#include "platform/posix/posix_launcher.h"
#include "support/temp_dir.h"

namespace syncward::testing {
namespace {

// Only harmless stand-ins are started here: a script in a temporary folder
// that writes down its arguments. No real power command is ever run.
std::string writeRecorder(const TempDir& dir, const std::string& name) {
    const std::string path = dir / name;
    std::ofstream(path) << "#!/bin/sh\nprintf '%s|' \"$@\" > \"" << dir.path() << "/args.tmp\"\n"
                        << "mv \"" << dir.path() << "/args.tmp\" \"" << dir.path() << "/args\"\n";
    std::filesystem::permissions(path, std::filesystem::perms::owner_all);
    return path;
}

// The program runs detached; wait a bounded time for what it writes.
std::string waitForArgs(const TempDir& dir) {
    for (int i = 0; i < 500; ++i) {
        std::ifstream in(dir / "args");
        if (in) return std::string(std::istreambuf_iterator<char>(in), {});
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return "<nothing written>";
}

TEST(PosixLauncherRunProgram, PassesEveryArgumentLiterally) {
    TempDir dir;
    const std::string recorder = writeRecorder(dir, "recorder");
    PosixLauncher launcher;
    ASSERT_TRUE(launcher.runProgram({recorder, "terminate-user", "a b", "$HOME;`x`"}));
    EXPECT_EQ(waitForArgs(dir), "terminate-user|a b|$HOME;`x`|");
}

TEST(PosixLauncherRunProgram, FindsABareNameOnThePath) {
    TempDir dir;
    writeRecorder(dir, "syncward-test-power-recorder");
    const std::string oldPath = std::getenv("PATH") ? std::getenv("PATH") : "";
    ::setenv("PATH", (dir.path() + ":" + oldPath).c_str(), 1);
    PosixLauncher launcher;
    const bool started = launcher.runProgram({"syncward-test-power-recorder", "poweroff"});
    ::setenv("PATH", oldPath.c_str(), 1);
    ASSERT_TRUE(started);
    EXPECT_EQ(waitForArgs(dir), "poweroff|");
}

TEST(PosixLauncherRunProgram, ReportsAProgramThatCannotStart) {
    TempDir dir;
    PosixLauncher launcher;
    EXPECT_FALSE(launcher.runProgram({dir / "no-such-program"}));
    EXPECT_FALSE(launcher.runProgram({}));
}

}  // namespace
}  // namespace syncward::testing
