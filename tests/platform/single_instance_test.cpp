#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <optional>

#include "launch_support.h"
#include "platform/posix/posix_environment.h"
#include "platform/posix/single_instance.h"
#include "support/temp_dir.h"

namespace syncward::testing {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

std::string lockPath(const TempDir& dir, const std::string& name) {
    return dir / ("syncward-" + std::to_string(::getuid()) + "-" + name + ".lock");
}

TEST(SingleInstance, OneRunningCopyPerNameWhileOtherNamesRunBeside) {
    TempDir dir;
    std::optional<SingleInstance> first(std::in_place, dir.path(), "LTC1");
    EXPECT_TRUE(first->first());
    EXPECT_FALSE(SingleInstance(dir.path(), "LTC1").first());
    EXPECT_TRUE(SingleInstance(dir.path(), "BTC1").first());
    first.reset();  // the copy ends: the next start runs
    EXPECT_TRUE(SingleInstance(dir.path(), "LTC1").first());
}

// Whatever stands at the lock's path instead of a plain file of this user's
// own, no start gets past it: every start meets the same obstacle, and one
// that ran without its lock would run beside the next. Nothing is created,
// written or locked where a link points.
TEST(SingleInstance, ALockThatCannotBeTakenStopsEveryStartAndSaysWhy) {
    TempDir dir;
    TempDir elsewhere;
    const std::string path = lockPath(dir, "LTC1");
    const auto expectRefused = [&](const std::string& why) {
        SCOPED_TRACE(why);
        SingleInstance one(dir.path(), "LTC1");
        SingleInstance two(dir.path(), "LTC1");
        EXPECT_FALSE(one.first());
        EXPECT_FALSE(two.first());
        EXPECT_EQ(one.problem(), path + why);
        EXPECT_FALSE(one.askHolderToGiveWay(0ms));
        one.acceptGiveWayRequests();
    };

    writeFile(elsewhere / "notes", "keep\n");
    fs::create_symlink(elsewhere / "notes", path);
    expectRefused(" is a symbolic link");
    EXPECT_EQ(slurp(elsewhere / "notes"), "keep\n");
    fs::remove(path);

    fs::create_symlink(elsewhere / "missing", path);
    expectRefused(" is a symbolic link");
    EXPECT_FALSE(fs::exists(fs::symlink_status(elsewhere / "missing")));
    fs::remove(path);

    // A link to another copy's lock would share that copy's lock.
    SingleInstance other(dir.path(), "BTC1");
    ASSERT_TRUE(other.first());
    fs::create_symlink(lockPath(dir, "BTC1"), path);
    expectRefused(" is a symbolic link");
    fs::remove(path);

    fs::create_directory(path);
    expectRefused(" is a folder");
    fs::remove(path);

    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    expectRefused(" is not a plain file");
    fs::remove(path);

    // The process id is written into the lock file: never into a file
    // that has another name as well.
    writeFile(elsewhere / "history.csv", "rows\n", 0600);
    fs::create_hard_link(elsewhere / "history.csv", path);
    expectRefused(" is a file with other names as well (a hard link)");
    EXPECT_EQ(slurp(elsewhere / "history.csv"), "rows\n");
    fs::remove(path);

    if (::geteuid() == 0) {  // a file of another user, as one may put in a shared /tmp
        writeFile(path, "", 0666);
        ASSERT_EQ(::chown(path.c_str(), 65534, 65534), 0);
        expectRefused(" belongs to another user");
        fs::remove(path);
    }

    const SingleInstance noFolder(dir / "missing-folder", "LTC1");
    EXPECT_FALSE(noFolder.first());
    EXPECT_EQ(noFolder.problem(), dir / ("missing-folder/syncward-" + std::to_string(::getuid()) +
                                         "-LTC1.lock cannot be opened: No such file or directory"));

    // Once the path is free, the lock works as ever.
    EXPECT_TRUE(SingleInstance(dir.path(), "LTC1").first());
}

// A child that takes the lock at path and writes its own process id into
// it, as a copy that takes requests to give way does, then waits. Only
// calls that are safe after a fork in a program with threads.
pid_t forkLockHolder(const std::string& path) {
    const pid_t pid = ::fork();
    if (pid != 0) return pid;
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT, 0600);
    if (fd < 0 || ::flock(fd, LOCK_EX) != 0) ::_exit(1);
    char digits[16];
    char* at = digits + sizeof digits;
    *--at = '\n';
    for (pid_t self = ::getpid(); self > 0; self /= 10) *--at = static_cast<char>('0' + self % 10);
    if (::ftruncate(fd, 0) != 0 || ::write(fd, at, static_cast<std::size_t>(digits + sizeof digits - at)) < 0)
        ::_exit(1);
    for (;;) ::pause();
}

// A bystander: a program started as "/elsewhere/<name>" (exec -a).
pid_t forkBystander(const std::string& argv0) {
    const pid_t pid = ::fork();
    if (pid != 0) return pid;
    const char* const argv[] = {argv0.c_str(), "60", nullptr};
    ::execv("/bin/sleep", const_cast<char* const*>(argv));
    ::_exit(127);
}

bool stillRuns(pid_t pid) { return ::waitpid(pid, nullptr, WNOHANG) == 0; }

void end(pid_t pid) {
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
}

// The process id in the lock file is only a claim: the request goes to a
// process the kernel shows holding this lock, not to one that bears the
// copy's name or holds another copy's lock.
TEST(SingleInstance, TheRequestToGiveWayReachesOnlyTheProcessThatHoldsTheLock) {
    TempDir dir;
    const std::string name = "LTC" + std::to_string(::getpid());
    const std::string path = lockPath(dir, name);
    const pid_t holder = forkLockHolder(path);
    const pid_t otherHolder = forkLockHolder(lockPath(dir, "BTC1"));
    const pid_t bystander = forkBystander("/elsewhere/" + name);
    ASSERT_TRUE(eventually([&] { return slurp(path) == std::to_string(holder) + "\n"; }));
    ASSERT_TRUE(eventually([&] { return slurp(lockPath(dir, "BTC1")) == std::to_string(otherHolder) + "\n"; }));

    SingleInstance second(dir.path(), name);
    ASSERT_FALSE(second.first());
    EXPECT_EQ(second.problem(), "");
    for (const pid_t notHolder : {bystander, otherHolder}) {
        writeFile(path, std::to_string(notHolder) + "\n", 0600);
        EXPECT_FALSE(second.askHolderToGiveWay(300ms));
        EXPECT_TRUE(stillRuns(notHolder)) << "a process that does not hold the lock was signalled";
    }

    writeFile(path, std::to_string(holder) + "\n", 0600);
    EXPECT_TRUE(second.askHolderToGiveWay(10s));
    EXPECT_TRUE(second.first());
    int status = 0;
    ASSERT_EQ(::waitpid(holder, &status, 0), holder);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGUSR1);
    EXPECT_TRUE(stillRuns(bystander));
    end(bystander);
    end(otherHolder);
}

// Names that differ only in bytes that are not UTF-8 are one copy to the
// settings, so they are one copy to the lock too; valid names keep theirs.
TEST(SingleInstance, NamesThatShareTheSettingsShareTheLock) {
    const std::string one = PosixEnvironment::executableNameOf("/opt/L\xff\xfeQ");
    const std::string two = PosixEnvironment::executableNameOf("./L\xfe\xffQ");
    EXPECT_EQ(one, "L\xEF\xBF\xBD\xEF\xBF\xBDQ");
    EXPECT_EQ(one, two);
    EXPECT_EQ(PosixEnvironment("/opt/L\xff\xfeQ").executableName(), one);
    for (const std::string valid : {"LTC1", "Zoë coin", "a b%c"})
        EXPECT_EQ(PosixEnvironment::executableNameOf("/opt/" + valid), valid);
    TempDir dir;
    const SingleInstance first(dir.path(), one);
    EXPECT_TRUE(first.first());
    EXPECT_FALSE(SingleInstance(dir.path(), two).first());
}

}  // namespace
}  // namespace syncward::testing
