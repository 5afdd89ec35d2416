#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>

#include "platform/posix/own_descendants.h"
#include "platform/posix/proc_census.h"
#include "platform/posix/posix_launcher.h"
#include "platform/posix/proc_process_table.h"
#include "platform/posix/started_here.h"
#include "platform/own_process_check.h"
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
        for (pid_t pid : strangers_) ::kill(pid, SIGKILL);
    }

    // Runs program with the given argv[0] and arguments, marked as the
    // program's launcher marks what it starts. setup runs in the child
    // before exec (only async-signal-safe work).
    pid_t start(const std::string& program, std::vector<std::string> argv, const std::function<void()>& setup = {}) {
        return run(program, std::move(argv), environmentForStart(), setup);
    }
    // A program of the user's that this one did not start: without the
    // mark, and not our descendant (started through a child that ends at
    // once, so the system's reaper adopts it). Not ours to reap.
    pid_t startBystander(const std::string& program, std::vector<std::string> argv) {
        std::vector<std::string> environment;
        for (const std::string& entry : environmentForStart())
            if (entry != startedHereMark()) environment.push_back(entry);
        int pipe[2];
        if (::pipe(pipe) != 0) return -1;
        const pid_t middle = ::fork();
        if (middle == 0) {
            ::close(pipe[0]);
            Children grandchildren;
            const pid_t pid = grandchildren.run(program, std::move(argv), environment, {});
            (void)!::write(pipe[1], &pid, sizeof pid);
            ::_exit(0);  // the destructor does not run: the bystander lives on
        }
        ::close(pipe[1]);
        pid_t pid = -1;
        if (::read(pipe[0], &pid, sizeof pid) != sizeof pid) pid = -1;
        ::close(pipe[0]);
        ::waitpid(middle, nullptr, 0);
        if (pid > 0) strangers_.push_back(pid);
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
    pid_t run(const std::string& program, std::vector<std::string> argv, std::vector<std::string> environment,
              const std::function<void()>& setup) {
        std::vector<char*> args, envp;
        for (std::string& arg : argv) args.push_back(arg.data());
        args.push_back(nullptr);
        for (std::string& entry : environment) envp.push_back(entry.data());
        envp.push_back(nullptr);
        const pid_t pid = ::fork();
        if (pid == 0) {
            if (setup) setup();
            ::execve(program.c_str(), args.data(), envp.data());
            ::_exit(127);
        }
        pids_.push_back(pid);
        return pid;
    }

    std::vector<pid_t> pids_;
    std::vector<pid_t> strangers_;  // not our children: signalled, never reaped
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

// Whether a process that is not our child still runs (the system's
// reaper may be slow to collect it, or not reap at all).
bool alive(pid_t pid) {
    const char state = stateOf(pid);
    return state != '?' && state != 'Z' && state != 'X';
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
    // Both must have become the program: one still between fork and exec
    // would look ended once the other is.
    ASSERT_TRUE(eventually([&] { return commOf(first) == name && commOf(second) == name; }));

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
    // Its executable gives its whole name, so a long name that shares only
    // the first fifteen characters is another program.
    EXPECT_FALSE(isRunning(table, "synclongprogramXYZ"));
    EXPECT_FALSE(isRunning(table, "SyncLongProgra"));
    EXPECT_TRUE(isRunning(table, "unrelated-argv0"));
}

// A /proc of our own making, for processes the system will not show us:
// one whose executable and command line cannot be read.
class FakeProc {
public:
    // A process with these names; an empty executable or argv[0] is one
    // that cannot be read.
    void add(int pid, const std::string& comm, const std::string& executable, const std::string& argv0,
             uid_t realUid = ::getuid(), char state = 'S') {
        const std::string folder = dir_ / std::to_string(pid);
        fs::create_directories(folder);
        std::ofstream(folder + "/comm") << comm << "\n";
        std::ofstream(folder + "/cmdline") << argv0 << (argv0.empty() ? "" : std::string("\0-daemon\0", 9));
        std::ofstream(folder + "/status") << "Name:\t" << comm << "\nUmask:\t0022\nState:\t" << state
                                          << " (whatever)\nTgid:\t" << pid << "\nUid:\t" << realUid
                                          << "\t0\t0\t0\nGid:\t0\t0\t0\t0\n";
        std::ofstream(folder + "/stat") << pid << " (" << comm << ") " << state << " 1 " << pid << " " << pid << "\n";
        if (!executable.empty()) fs::create_symlink(executable, folder + "/exe");
    }
    void remove(int pid) { fs::remove_all(dir_ / std::to_string(pid)); }
    // The same process under another real user, as after setuid().
    void changeUser(int pid, uid_t realUid) {
        const std::string status = dir_ / (std::to_string(pid) + "/status");
        std::ifstream in(status);
        std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        const auto at = text.find("Uid:\t");
        text.replace(at, text.find('\t', at + 5) - at, "Uid:\t" + std::to_string(realUid));
        std::ofstream(status, std::ios::trunc) << text;
    }
    const std::string& root() const { return dir_.path(); }

private:
    TempDir dir_;
};

TEST(ProcProcessTable, ALongNameMatchesTheCutThreadNameOnlyWhenNoWholeNameCanBeRead) {
    FakeProc proc;
    ProcProcessTable table(proc.root());
    // Both cut to the same thread name; the executable tells them apart.
    proc.add(4101, "victimproc-long", "/opt/coin/victimproc-longOTHER", "victimproc-longOTHER");
    EXPECT_FALSE(isRunning(table, "victimproc-long-name"));
    EXPECT_TRUE(isRunning(table, "VICTIMPROC-LONGOTHER"));
    EXPECT_FALSE(isRunning(table, "victimproc-long")) << "a name of fifteen characters is cut from a longer one too";

    // Nothing but the thread name to go by: the cut name is all there is.
    proc.remove(4101);
    proc.add(4102, "victimproc-long", "", "");
    EXPECT_TRUE(isRunning(table, "victimproc-long-name"));
    EXPECT_FALSE(isRunning(table, "victimproc-lon")) << "a shorter name is another name";

    // Either whole name is enough to decide.
    proc.remove(4102);
    proc.add(4103, "victimproc-long", "", "/usr/bin/victimproc-longOTHER");
    EXPECT_FALSE(isRunning(table, "victimproc-long-name"));
    proc.remove(4103);
    proc.add(4104, "victimproc-long", "/usr/bin/victimproc-longOTHER", "");
    EXPECT_FALSE(isRunning(table, "victimproc-long-name"));
}

// The kernel cuts every name of 15 characters or more to 15: a wanted
// name of exactly 15 is told from its longer namesakes by the executable
// and argv[0], and neither reported running for them nor ending them.
TEST(ProcProcessTable, ANameOfFifteenCharactersIsNeitherFoundInNorEndsLongerNames) {
    TempDir dir;
    fs::permissions(dir.path(), fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec);
    std::string fifteen = "pbnode" + std::to_string(::getpid());
    fifteen.resize(15, 'm');
    const std::string longer = copyOf("/bin/sleep", dir, fifteen + "2");
    const std::string other = copyOf("/bin/sleep", dir, fifteen + "X");
    Children children;
    ProcProcessTable table;
    const pid_t a = children.start(longer, {longer, "60"});
    const pid_t b = children.start(other, {other, "60"});
    ASSERT_TRUE(eventually([&] { return commOf(a) == fifteen && commOf(b) == fifteen; }));
    ASSERT_TRUE(isRunning(table, fifteen + "2"));
    EXPECT_FALSE(isRunning(table, fifteen));
    table.terminate(fifteen);
    table.askOursToShutDown(fifteen);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_NE(stateOf(a), 'Z');
    EXPECT_NE(stateOf(b), 'Z');
    EXPECT_TRUE(isRunning(table, fifteen + "2"));
    EXPECT_TRUE(isRunning(table, fifteen + "x"));

    // The program of that very name is found and ended.
    const std::string exact = copyOf("/bin/sleep", dir, fifteen);
    const pid_t c = children.start(exact, {exact, "60"});
    ASSERT_TRUE(eventually([&] { return isRunning(table, fifteen); }));
    table.terminate(fifteen);
    EXPECT_TRUE(eventually([&] { return stateOf(c) == 'Z'; }));
    EXPECT_NE(stateOf(a), 'Z');
}

NamedProcesses lookAt(ProcProcessTable& table, const std::string& name) {
    const auto answer = table.look({name});
    return answer ? answer->front() : NamedProcesses{};
}

// A second node of the same coin, or the user's own client in a terminal,
// has the name the run watches but was not started by this program: the
// boxes show it, the run neither waits for it nor ends it, and only the
// user's explicit request by name reaches it.
TEST(ProcProcessTable, TellsWhatThisProgramStartedFromABystanderOfTheSameName) {
    TempDir dir;
    const std::string name = uniqueName("coind");
    const std::string program = copyOf("/bin/sleep", dir, name);
    Children children;
    ProcProcessTable table;
    const pid_t bystander = children.startBystander(program, {program, "60"});
    ASSERT_TRUE(eventually([&] { return lookAt(table, name).running; }));
    EXPECT_FALSE(lookAt(table, name).ours);

    const pid_t ours = children.start(program, {program, "60"});
    ASSERT_TRUE(eventually([&] { return lookAt(table, name).ours; }));
    table.askOursToShutDown(name);
    int status = 0;
    ASSERT_EQ(::waitpid(ours, &status, 0), ours);
    children.reaped(ours);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM);
    EXPECT_TRUE(eventually([&] { return !lookAt(table, name).ours; }));

    const pid_t again = children.start(program, {program, "60"});
    ASSERT_TRUE(eventually([&] { return lookAt(table, name).ours; }));
    table.terminateOurs(name);
    ASSERT_EQ(::waitpid(again, &status, 0), again);
    children.reaped(again);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_TRUE(alive(bystander)) << "the bystander was signalled";
    const NamedProcesses left = lookAt(table, name);
    EXPECT_TRUE(left.running);
    EXPECT_FALSE(left.ours);

    table.terminate(name);
    EXPECT_TRUE(eventually([&] { return !alive(bystander); }));
}

// A node that puts itself in the background leaves the command file's
// session and gets a new parent; it is still the one this program started.
TEST(ProcProcessTable, ANodeThatLeavesTheCommandFilesSessionIsStillOurs) {
    TempDir dir;
    const std::string name = uniqueName("coind");
    const std::string program = copyOf("/bin/sleep", dir, name);
    const std::string commandFile = dir / "run.sh";
    std::ofstream(commandFile) << "setsid -f '" << program << "' 60\n";
    ProcProcessTable table;
    ASSERT_TRUE(PosixLauncher().runCommandFile(commandFile));
    ASSERT_TRUE(eventually([&] { return lookAt(table, name).ours; }));
    table.terminateOurs(name);
    EXPECT_TRUE(eventually([&] { return !lookAt(table, name).running; }));
}

// This process's children that have ended and wait to be collected.
int zombieChildren() {
    int zombies = 0;
    for (const auto& task : fs::directory_iterator("/proc/self/task")) {
        std::ifstream in(task.path() / "children");
        for (pid_t child; in >> child;) zombies += stateOf(child) == 'Z';
    }
    return zombies;
}

// The process with that name whose parent is this one.
pid_t childNamed(const std::string& name) {
    for (const auto& task : fs::directory_iterator("/proc/self/task")) {
        std::ifstream in(task.path() / "children");
        for (pid_t child; in >> child;)
            if (commOf(child) == name.substr(0, 15)) return child;
    }
    return 0;
}

// A node forks into the background in a session of its own and wipes its
// environment (the mailer's new title overwrites it): it is still ours,
// adopted by the program when its parent ends, asked to stop as ours and
// collected once it has ended. A stranger of the same name is left alone.
TEST(ProcProcessTable, WhatTheProgramStartedStaysOursWhateverItDoesToItself) {
    TempDir dir;
    const std::string name = uniqueName("coind");
    const std::string program = copyOf("/bin/sleep", dir, name);
    Children children;
    const pid_t stranger = children.startBystander(program, {program, "60"});
    const std::string commandFile = dir / "run.sh";
    std::ofstream(commandFile) << "( setsid env -i '" << program << "' 60 & )\n";
    const std::string failure = inOwnProcess([&]() -> std::string {
        if (!adoptOrphanedDescendants()) return "the system refused a child reaper";
        ProcProcessTable table;
        if (!PosixLauncher().runCommandFile(commandFile)) return "the command file did not start";
        if (!eventually([&] { return lookAt(table, name).ours; })) return "the node that forked away is not ours";
        const pid_t node = childNamed(name);
        if (node == 0) return "the node was not adopted by the program";
        std::ifstream environment("/proc/" + std::to_string(node) + "/environ");
        if (std::string(std::istreambuf_iterator<char>(environment), {}).find("SYNCWARD") != std::string::npos)
            return "the node still carries the mark: nothing was tested";
        table.askOursToShutDown(name);
        if (!eventually([&] { return !lookAt(table, name).ours; })) return "the node did not end";
        if (!eventually([&] {
                table.look({name});
                return zombieChildren() == 0;
            }))
            return "the ended node was left a zombie";
        return alive(stranger) ? "" : "the stranger was signalled";
    });
    EXPECT_EQ(failure, "");
    EXPECT_TRUE(alive(stranger));
}

// Whether the process has the file open.
bool holdsOpen(pid_t pid, const fs::path& file) {
    std::error_code error;
    for (const auto& fd : fs::directory_iterator("/proc/" + std::to_string(pid) + "/fd", error))
        if (fs::read_symlink(fd.path(), error) == fs::canonical(file, error)) return true;
    return false;
}

// A node left running on the copy's data folder (an earlier run's, cut
// short) is the run's own once that folder is claimed, named through a
// link as the settings may name it; a node of the same name on another
// folder stays a stranger.
TEST(ProcProcessTable, TheNodeOnTheClaimedDataFolderIsOursWhoeverStartedIt) {
    if (!fs::exists("/usr/bin/python3")) GTEST_SKIP() << "python3 is not installed";
    TempDir dir;
    const std::string name = uniqueName("coind");
    const std::string node = copyOf("/usr/bin/python3", dir, name);
    fs::create_directories(dir / "chain/regtest");
    fs::create_directories(dir / "other");
    fs::create_directory_symlink(dir / "chain", dir / "chain-link");
    const std::string holdLock = "import fcntl,sys,time\nf=open(sys.argv[1],'a')\nfcntl.lockf(f,fcntl.LOCK_EX)\ntime.sleep(60)\n";
    Children children;
    const pid_t left = children.startBystander(node, {node, "-c", holdLock, dir / "chain/regtest/.lock"});
    const pid_t other = children.startBystander(node, {node, "-c", holdLock, dir / "other/.lock"});
    ASSERT_TRUE(eventually([&] { return holdsOpen(left, dir / "chain/regtest/.lock") && holdsOpen(other, dir / "other/.lock"); }));

    ProcProcessTable table;
    EXPECT_FALSE(lookAt(table, name).ours) << "no folder claimed: both are strangers";
    table.claimNodesOnDataFolder(dir / "chain-link");
    const NamedProcesses claimed = lookAt(table, name);
    EXPECT_TRUE(claimed.ours);
    EXPECT_TRUE(claimed.foundOnDataFolder);
    table.askOursToShutDown(name);
    EXPECT_TRUE(eventually([&] { return !alive(left); }));
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_TRUE(alive(other)) << "the node on another folder was signalled";
    const NamedProcesses after = lookAt(table, name);
    EXPECT_TRUE(after.running);
    EXPECT_FALSE(after.ours);
    EXPECT_FALSE(after.foundOnDataFolder);

    table.claimNodesOnDataFolder("");
    table.terminateOurs(name);
    EXPECT_TRUE(alive(other));
}

TEST(ProcProcessTable, OnlyProcessesWhoseRealUserIsOursCount) {
    FakeProc proc;
    ProcProcessTable table(proc.root());
    proc.add(4201, "coind", "/usr/bin/coind", "coind", ::getuid() + 1);
    EXPECT_FALSE(isRunning(table, "coind"));
    proc.add(4202, "coind", "/usr/bin/coind", "coind", ::getuid(), 'Z');
    EXPECT_FALSE(isRunning(table, "coind"));
    proc.add(4203, "coind", "/usr/bin/coind", "coind");
    EXPECT_TRUE(isRunning(table, "coind"));
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
    ASSERT_TRUE(eventually([&] {
        auto a = table.running({victim, bystander});
        return a && (*a)[0] && (*a)[1];
    }));

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
}

// Copies of this program are links to one file, each started under its
// own name. Ending the file's name by hand (SELF-TERMINATE in the copy
// started under that name) ends that copy alone; each link's name ends
// its own copy.
TEST(ProcProcessTable, EndingByNameTakesOnlyWhatWasStartedUnderThatName) {
    TempDir dir;
    const std::string file = uniqueName("syncprog");
    const std::string program = copyOf("/bin/sleep", dir, file);
    const std::string link = uniqueName("LTC");
    fs::create_symlink(program, dir / link);
    Children children;
    ProcProcessTable table;
    const pid_t plain = children.start(program, {program, "60"});
    const pid_t linked = children.start(dir / link, {dir / link, "60"});
    ASSERT_TRUE(eventually([&] { return commOf(plain) == file.substr(0, 15) && commOf(linked) == link.substr(0, 15); }));
    EXPECT_TRUE(isRunning(table, file)) << "the box still shows what runs the file";

    table.terminate(file);
    int status = 0;
    ASSERT_EQ(::waitpid(plain, &status, 0), plain);
    children.reaped(plain);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(::waitpid(linked, nullptr, WNOHANG), 0) << "the copy started under the link's name was ended";

    table.terminate(link);
    ASSERT_EQ(::waitpid(linked, &status, 0), linked);
    children.reaped(linked);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
}

// The program starts and stops its node as its own user. Another user's
// node of the same coin neither keeps the watch green nor gets killed, and
// what decides is the real user, not who owns the /proc folder.
TEST(ProcProcessTable, AnotherUsersProcessOfTheSameNameIsNeitherCountedNorSignalled) {
    if (::geteuid() != 0) GTEST_SKIP() << "only root can start a process as another user";
    TempDir dir;
    fs::permissions(dir.path(), fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec);
    const std::string name = uniqueName("SyncOwnNode");
    const std::string program = copyOf("/bin/sleep", dir, name);
    Children children;
    ProcProcessTable table;

    const pid_t foreign = children.start(program, {program, "60"}, [] {
        if (::setresgid(65534, 65534, 65534) != 0 || ::setresuid(65534, 65534, 65534) != 0) ::_exit(126);
    });
    // Real user nobody, effective user ours: its /proc folder belongs to
    // root (a process with mixed ids cannot be inspected by its real user).
    const pid_t mixed = children.start(program, {program, "60"}, [] {
        if (::setresuid(65534, 0, 0) != 0) ::_exit(126);
    });
    ASSERT_TRUE(eventually([&] {
        return commOf(foreign) == name.substr(0, 15) && commOf(mixed) == name.substr(0, 15);
    }));
    struct stat folder {};
    ASSERT_EQ(::stat(("/proc/" + std::to_string(mixed)).c_str(), &folder), 0);
    ASSERT_EQ(folder.st_uid, ::getuid()) << "the folder's owner alone would call it ours";

    EXPECT_FALSE(isRunning(table, name));
    table.askOursToShutDown(name);
    table.terminate(name);
    EXPECT_EQ(::waitpid(foreign, nullptr, WNOHANG), 0) << "another user's process is untouched";
    EXPECT_EQ(::waitpid(mixed, nullptr, WNOHANG), 0) << "another real user's process is untouched";

    // This user's own copy counts, is asked to shut down, and is ended.
    for (const int signal : {SIGTERM, SIGKILL}) {
        const pid_t own = children.start(program, {program, "60"});
        ASSERT_TRUE(eventually([&] { return commOf(own) == name.substr(0, 15); }));
        EXPECT_TRUE(isRunning(table, name));
        if (signal == SIGTERM)
            table.askOursToShutDown(name);
        else
            table.terminate(name);
        int status = 0;
        ASSERT_EQ(::waitpid(own, &status, 0), own);
        children.reaped(own);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << strsignal(signal);
    }
    EXPECT_FALSE(isRunning(table, name));
    EXPECT_EQ(::waitpid(foreign, nullptr, WNOHANG), 0);
    EXPECT_EQ(::waitpid(mixed, nullptr, WNOHANG), 0);
}

TEST(ProcProcessTable, AnUnreadableProcessListIsReportedNotGuessed) {
    ProcProcessTable table("/nonexistent-proc-root");
    EXPECT_FALSE(table.running({"sleep"}).has_value());
    table.terminate("sleep");  // nothing to end, and no crash
}

// A linked copy (LTC1 -> /usr/bin/syncward) is ended by its link's name
// alone: that is the name that would end this program.
TEST(ProcProcessTable, ThisProgramAnswersToTheNameItWasStartedUnder) {
    FakeProc proc;
    ProcProcessTable table(proc.root());
    proc.add(::getpid(), "LTC1", "/usr/bin/syncward", "/home/satoshi/.local/bin/LTC1");
    proc.add(4301, "BTC1", "/usr/bin/syncward", "/home/satoshi/.local/bin/BTC1");
    for (const char* name : {"LTC1", "ltc1"}) EXPECT_TRUE(table.namesThisProgram(name)) << name;
    // Ending the file's name ends the copies started under it, not LTC1.
    for (const char* name : {"BTC1", "LTC", "", "/usr/bin/syncward", "syncward"})
        EXPECT_FALSE(table.namesThisProgram(name)) << name;
    EXPECT_FALSE(ProcProcessTable(proc.root() + "/missing").namesThisProgram("LTC1"));
}

// What the watch learnt of a process stays with that process while it
// lives, and goes with it; a process started after the census's first look
// is found by its number alone, without a listing.
TEST(ProcCensus, RemembersWhatWasLearntOfANewProcessUntilItEnds) {
    ProcCensus census("/proc");
    ASSERT_TRUE(census.look());
    Children children;
    const pid_t pid = children.start("/bin/sleep", {"sleep", "60"});
    ASSERT_TRUE(eventually([&] { return commOf(pid) == "sleep"; }));
    ASSERT_TRUE(census.look());
    auto& processes = census.processes();
    ASSERT_EQ(processes.count(pid), 1u);
    EXPECT_EQ(processes.at(pid).comm, "sleep");
    EXPECT_TRUE(processes.at(pid).own);
    processes.at(pid).names.argv0 = "learnt";
    ASSERT_TRUE(census.look());
    EXPECT_EQ(processes.at(pid).names.argv0, "learnt");
    children.end(pid);
    ASSERT_TRUE(census.look());
    EXPECT_EQ(processes.count(pid), 0u) << "a young process is read on every look";
}

// A /proc of our own making that also says which number the kernel handed
// out last, as /proc/loadavg does.
class CountedProc : public FakeProc {
public:
    void handedOut(int newest) { std::ofstream(root() + "/loadavg") << "0.00 0.00 0.00 1/99 " << newest << "\n"; }
    void rename(int pid, const std::string& comm, const std::string& executable, const std::string& argv0) {
        remove(pid);
        add(pid, comm, executable, argv0);
    }
    // A number that belongs to a thread of process group: not listed.
    void addThread(int tid, int group) {
        add(tid, "worker", "/usr/bin/coind", "coind");
        const std::string status = root() + "/" + std::to_string(tid) + "/status";
        std::ofstream(status) << "Name:\tcoind\nState:\tS (sleeping)\nTgid:\t" << group << "\nUid:\t" << ::getuid()
                              << "\t0\t0\t0\n";
    }
};

// Hundreds of long-lived processes cost the watch next to nothing: a look
// reads what is new, what it counts and a share of the rest, so that an
// old process that runs another program is still seen within a share's
// span.
TEST(ProcCensus, ALookReadsWhatChangedNotEveryProcess) {
    CountedProc proc;
    constexpr int many = 400;
    for (int pid = 1000; pid < 1000 + many; ++pid) proc.add(pid, "idle", "/usr/bin/idle", "idle");
    proc.handedOut(1000 + many - 1);
    ProcCensus census(proc.root());
    ASSERT_TRUE(census.look());
    EXPECT_EQ(census.processes().size(), static_cast<std::size_t>(many));
    census.takeChanged();
    ASSERT_TRUE(census.look());
    EXPECT_LE(census.filesRead(), 1u + many / ProcCensus::shareLooks + 1) << "the newest number and a share";
    EXPECT_TRUE(census.takeChanged().empty());

    // Handed out since: read at once, a thread passed over.
    proc.add(2001, "sh", "/bin/sh", "sh");
    proc.addThread(2002, 2001);
    proc.handedOut(2002);
    ASSERT_TRUE(census.look());
    EXPECT_EQ(census.takeChanged(), std::vector<int>{2001});
    EXPECT_EQ(census.processes().count(2002), 0u);

    // The young shell runs its program: seen on the very next look.
    proc.rename(2001, "coind", "/usr/bin/coind", "coind");
    ASSERT_TRUE(census.look());
    EXPECT_EQ(census.takeChanged(), std::vector<int>{2001});

    // An old process does the same: seen within one share's span.
    proc.rename(1200, "coind", "/usr/bin/coind", "coind");
    int looks = 0;
    for (bool seen = false; !seen && looks <= static_cast<int>(ProcCensus::shareLooks); ++looks) {
        ASSERT_TRUE(census.look());
        seen = census.takeChanged() == std::vector<int>{1200};
    }
    EXPECT_LE(looks, static_cast<int>(ProcCensus::shareLooks));

    // A number that was not yet listed when its range was read is found by
    // the next listing; one that ended is forgotten by it.
    proc.add(2100, "late", "/usr/bin/late", "late");
    proc.remove(1300);
    for (unsigned i = 0; i < ProcCensus::listingLooks; ++i) ASSERT_TRUE(census.look());
    EXPECT_EQ(census.processes().count(2100), 1u);
    EXPECT_EQ(census.processes().count(1300), 0u);
}

// A node started through su, or by a service manager, can be seen before
// it takes on this user: it counts from the look that finds it ours, young
// or old, within the census's share span.
TEST(ProcProcessTable, CountsAProcessFromTheLookThatFindsItOurs) {
    CountedProc proc;
    for (int pid = 100; pid < 140; ++pid) proc.add(pid, "idle", "/usr/bin/idle", "idle");
    proc.add(140, "coind", "/usr/bin/coind", "coind", ::getuid() + 1);
    proc.handedOut(149);
    ProcProcessTable table(proc.root());
    EXPECT_FALSE(isRunning(table, "coind"));

    proc.add(300, "coind", "/usr/bin/coind", "coind", ::getuid() + 1);
    proc.handedOut(300);
    EXPECT_FALSE(isRunning(table, "coind"));
    proc.changeUser(300, ::getuid());
    EXPECT_TRUE(isRunning(table, "coind")) << "a young process: on the next look";
    proc.remove(300);
    ASSERT_FALSE(isRunning(table, "coind"));

    proc.changeUser(140, ::getuid());
    int looks = 0;
    while (!isRunning(table, "coind") && looks <= static_cast<int>(ProcCensus::shareLooks)) ++looks;
    EXPECT_LE(looks, static_cast<int>(ProcCensus::shareLooks)) << "an old process: within a share's span";
}

// The watch's cases through the table on a counted /proc: the node a shell
// becomes, the node that ends, a number given to a new process.
TEST(ProcProcessTable, SeesAShellBecomeTheNodeAndTheNodeEndOnTheNextLook) {
    CountedProc proc;
    for (int pid = 100; pid < 150; ++pid) proc.add(pid, "idle", "/usr/bin/idle", "idle");
    proc.handedOut(149);
    ProcProcessTable table(proc.root());
    const std::vector<std::string> names = {"coind", "mailer"};
    EXPECT_EQ(table.running(names), (std::vector<bool>{false, false}));

    proc.add(300, "sh", "/bin/sh", "/bin/sh");
    proc.handedOut(300);
    EXPECT_EQ(table.running(names), (std::vector<bool>{false, false}));
    proc.rename(300, "coind", "/usr/bin/coind", "/usr/bin/coind");
    EXPECT_EQ(table.running(names), (std::vector<bool>{true, false}));

    // It becomes a zombie, then its number is gone.
    proc.remove(300);
    proc.add(300, "coind", "/usr/bin/coind", "/usr/bin/coind", ::getuid(), 'Z');
    EXPECT_EQ(table.running(names), (std::vector<bool>{false, false}));
    proc.remove(300);
    EXPECT_EQ(table.running(names), (std::vector<bool>{false, false}));

    // The numbers run over the top and start again: a number known as an
    // idle process now belongs to the mailer.
    proc.remove(120);
    proc.add(120, "mailer", "/usr/bin/perl", "mailer -f a@b");
    proc.handedOut(120);
    EXPECT_EQ(table.running(names), (std::vector<bool>{false, true}));
    EXPECT_EQ(table.running({"MAILER", "idle"}), (std::vector<bool>{true, true})) << "other names: judged again";
}

}  // namespace
}  // namespace syncward::testing
