#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>

#include "platform/posix/proc_process_table.h"
#include "support/temp_dir.h"

namespace syncward::testing {
namespace {

namespace fs = std::filesystem;

// Children started under chosen names; every one is killed and reaped when
// the test ends, whatever it asserted.
class Children {
public:
    ~Children() {
        for (pid_t pid : pids_) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, nullptr, 0);
        }
    }

    // Runs program with the given argv[0] and arguments. setup runs in the
    // child before exec (only async-signal-safe work).
    pid_t start(const std::string& program, std::vector<std::string> argv, const std::function<void()>& setup = {}) {
        std::vector<char*> args;
        for (std::string& arg : argv) args.push_back(arg.data());
        args.push_back(nullptr);
        const pid_t pid = ::fork();
        if (pid == 0) {
            if (setup) setup();
            ::execv(program.c_str(), args.data());
            ::_exit(127);
        }
        pids_.push_back(pid);
        return pid;
    }

    // Ends one child. reap=false leaves it a zombie until the destructor.
    void end(pid_t pid, bool reap = true) {
        ::kill(pid, SIGKILL);
        if (!reap) return;
        ::waitpid(pid, nullptr, 0);
        reaped(pid);
    }

    // The test reaped it itself: never signal that number again.
    void reaped(pid_t pid) { pids_.erase(std::remove(pids_.begin(), pids_.end(), pid), pids_.end()); }

private:
    std::vector<pid_t> pids_;
};

std::string commOf(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/comm");
    std::string line;
    std::getline(in, line);
    return line;
}

// The state letter of /proc/PID/stat.
char stateOf(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const auto close = text.rfind(')');
    return close == std::string::npos || close + 2 >= text.size() ? '?' : text[close + 2];
}

bool eventually(const std::function<bool()>& condition) {
    for (int i = 0; i < 500; ++i) {
        if (condition()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

// A private copy of a system program under another name.
std::string copyOf(const std::string& program, const TempDir& dir, const std::string& name) {
    const std::string path = dir / name;
    fs::copy_file(fs::canonical(program), path);
    fs::permissions(path, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                              fs::perms::others_read | fs::perms::others_exec);
    return path;
}

// A name no other process on this machine has.
std::string uniqueName(const std::string& stem) { return stem + "-" + std::to_string(::getpid()); }

bool isRunning(ProcProcessTable& table, const std::string& name) {
    auto answer = table.running({name});
    return answer && (*answer)[0];
}

TEST(ProcProcessTable, AnswersEveryNameOfOneQueryIgnoringCaseAndCountsCopiesUntilTheLastEnds) {
    TempDir dir;
    const std::string name = uniqueName("SyncCli");
    const std::string program = copyOf("/bin/sleep", dir, name);
    Children children;
    ProcProcessTable table;

    auto before = table.running({name, ""});
    ASSERT_TRUE(before.has_value());
    EXPECT_EQ(*before, (std::vector<bool>{false, false}));

    const pid_t first = children.start(program, {program, "60"});
    const pid_t second = children.start(program, {program, "60"});
    ASSERT_TRUE(eventually([&] { return isRunning(table, name); }));

    std::string upper = name, lower = name;
    std::transform(upper.begin(), upper.end(), upper.begin(), ::toupper);
    std::transform(lower.begin(), lower.end(), lower.begin(), ::tolower);
    auto answer = table.running({upper, "no-such-program-" + name, lower, ""});
    ASSERT_TRUE(answer.has_value());
    EXPECT_EQ(*answer, (std::vector<bool>{true, false, true, false}));

    children.end(first);
    EXPECT_TRUE(isRunning(table, name)) << "one copy still runs";
    children.end(second);
    EXPECT_FALSE(isRunning(table, name));
}

TEST(ProcProcessTable, AZombieHasExitedAndDoesNotCount) {
    TempDir dir;
    const std::string name = uniqueName("SyncZombie");
    const std::string program = copyOf("/bin/sleep", dir, name);
    Children children;
    ProcProcessTable table;

    const pid_t pid = children.start(program, {program, "60"});
    ASSERT_TRUE(eventually([&] { return isRunning(table, name); }));
    children.end(pid, /*reap=*/false);
    ASSERT_TRUE(eventually([&] { return stateOf(pid) == 'Z'; }));
    EXPECT_FALSE(isRunning(table, name));
}

// A node renames its main thread while it shuts down; it must still count
// as running under its executable's name and under its argv[0].
TEST(ProcProcessTable, AProcessThatRenamedItsThreadIsFoundByExecutableAndByArgv0) {
    const std::string python = "/usr/bin/python3";
    if (!fs::exists(python)) GTEST_SKIP() << "python3 is not installed";
    TempDir dir;
    fs::permissions(dir.path(), fs::perms::owner_all);
    const std::string exeName = uniqueName("SyncNodeExecutable");  // longer than 15 characters
    const std::string program = copyOf(python, dir, exeName);
    const std::string argv0 = uniqueName("sync-argv0");
    const std::string threadName = "shutdown-" + std::to_string(::getpid() % 100000);
    const std::string script =
        "import ctypes, time\n"
        "ctypes.CDLL(None).prctl(15, b'" + threadName + "', 0, 0, 0)\n"
        "time.sleep(60)\n";
    Children children;
    ProcProcessTable table;

    // The copied interpreter finds its library through PYTHONHOME.
    const pid_t pid = children.start(program, {argv0, "-c", script}, [] { ::setenv("PYTHONHOME", "/usr", 1); });
    ASSERT_TRUE(eventually([&] { return isRunning(table, threadName); })) << "the script renamed its thread";

    auto answer = table.running({exeName, argv0, "SyncNodeExecutable", threadName});
    ASSERT_TRUE(answer.has_value());
    EXPECT_TRUE((*answer)[0]) << "executable name";
    EXPECT_TRUE((*answer)[1]) << "argv[0]";
    EXPECT_FALSE((*answer)[2]) << "a prefix of the name is another name";
    EXPECT_TRUE((*answer)[3]) << "thread name";

    // A program replaced on disk while it runs still runs under its name.
    fs::remove(program);
    EXPECT_TRUE(isRunning(table, exeName));

    children.end(pid);
    EXPECT_FALSE(isRunning(table, exeName));
    EXPECT_FALSE(isRunning(table, argv0));
}

TEST(ProcProcessTable, TheThreadNameCountsOnItsFirstFifteenCharacters) {
    TempDir dir;
    // The kernel cuts the thread name of this program to "SyncLongProgram".
    const std::string name = "SyncLongProgramName-" + std::to_string(::getpid());
    const std::string program = copyOf("/bin/sleep", dir, name);
    Children children;
    ProcProcessTable table;

    children.start(program, {"unrelated-argv0", "60"});
    ASSERT_TRUE(eventually([&] { return isRunning(table, name); }));
    // Only the thread name can answer for this one: another name with the
    // same first fifteen characters matches it, as the rule says.
    EXPECT_TRUE(isRunning(table, "synclongprogramXYZ"));
    EXPECT_FALSE(isRunning(table, "SyncLongProgra"));
}

// A command file's shell replaces itself with the program (exec): same
// process, new names, and a table that has seen the shell must notice.
TEST(ProcProcessTable, AProcessThatRunsAnotherProgramIsSeenUnderItsNewName) {
    TempDir dir;
    const std::string name = uniqueName("SyncExecTarget");
    const std::string program = copyOf("/bin/sleep", dir, name);
    const std::string shell = copyOf("/bin/sh", dir, uniqueName("SyncShell"));
    Children children;
    ProcProcessTable table;

    const pid_t pid = children.start(shell, {shell, "-c", "sleep 0.5; exec '" + program + "' 60"});
    ASSERT_TRUE(eventually([&] { return isRunning(table, uniqueName("SyncShell")); }));
    EXPECT_FALSE(isRunning(table, name));
    ASSERT_TRUE(eventually([&] { return isRunning(table, name); }));
    EXPECT_FALSE(isRunning(table, uniqueName("SyncShell")));
    children.end(pid);
    EXPECT_FALSE(isRunning(table, name));
}

TEST(ProcProcessTable, TerminateEndsEveryCopyOfThatNameAndNothingElse) {
    TempDir dir;
    fs::permissions(dir.path(), fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec);
    const std::string victim = uniqueName("SyncVictim");
    const std::string bystander = uniqueName("SyncBystander");
    const std::string victimProgram = copyOf("/bin/sleep", dir, victim);
    const std::string bystanderProgram = copyOf("/bin/sleep", dir, bystander);
    Children children;
    ProcProcessTable table;

    const pid_t one = children.start(victimProgram, {victimProgram, "60"});
    const pid_t two = children.start(victimProgram, {victimProgram, "60"});
    const pid_t other = children.start(bystanderProgram, {bystanderProgram, "60"});
    // The same name under another user must survive; only root can start one.
    const bool asRoot = ::geteuid() == 0;
    pid_t foreign = -1;
    if (asRoot) foreign = children.start(victimProgram, {victimProgram, "60"}, [] {
            if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(126);
        });
    ASSERT_TRUE(eventually([&] {
        auto a = table.running({victim, bystander});
        return a && (*a)[0] && (*a)[1];
    }));
    if (asRoot) {
        ASSERT_TRUE(eventually([&] { return commOf(foreign) == victim.substr(0, 15); }));
    }

    std::string shouted = victim;
    std::transform(shouted.begin(), shouted.end(), shouted.begin(), ::toupper);
    table.terminate(shouted);
    for (pid_t pid : {one, two}) {
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        children.reaped(pid);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
    }
    EXPECT_EQ(::waitpid(other, nullptr, WNOHANG), 0) << "another name is untouched";
    if (asRoot) {
        EXPECT_EQ(::waitpid(foreign, nullptr, WNOHANG), 0) << "another user's process is untouched";
    }
}

TEST(ProcProcessTable, AnUnreadableProcessListIsReportedNotGuessed) {
    ProcProcessTable table("/nonexistent-proc-root");
    EXPECT_FALSE(table.running({"sleep"}).has_value());
    table.terminate("sleep");  // nothing to end, and no crash
}

}  // namespace
}  // namespace syncward::testing
