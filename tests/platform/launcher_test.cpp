#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "launch_support.h"
#include "platform/posix/posix_launcher.h"
#include "platform/posix/proc_process_table.h"
#include "support/temp_dir.h"

namespace syncward::testing {
namespace {

// A long-running program under a name of its own, so the process table
// finds exactly it.
struct Sleeper {
    explicit Sleeper(const TempDir& dir) : name("sw-sleep-" + std::to_string(::getpid())), path(dir / name) {
        std::filesystem::copy_file("/bin/sleep", path);
        ::chmod(path.c_str(), 0755);
    }
    ~Sleeper() { ProcProcessTable().terminate(name); }
    bool running() { return ProcProcessTable().running({name}).value_or(std::vector<bool>{false})[0]; }

    std::string name;
    std::string path;
};

int readPid(const std::string& file) {
    int pid = 0;
    eventually([&] { return std::istringstream(slurp(file).value_or("")) >> pid && pid > 0; });
    return pid;
}

TEST(PosixLauncher, StartsTheProgramAndReturnsWhileItStillRuns) {
    TempDir dir;
    Sleeper sleeper(dir);
    const std::string file = dir / "RUN-QT.sh";
    writeFile(file, "exec " + shellQuoted(sleeper.path) + " 30\n");
    PosixLauncher launcher;
    ASSERT_TRUE(launcher.runCommandFile(file));
    // Had the call waited for the program, the program would be over by now.
    EXPECT_TRUE(eventually([&] { return sleeper.running(); }));
}

TEST(PosixLauncher, TheProgramRunsInItsOwnSessionWithACleanStart) {
    TempDir dir;
    Sleeper sleeper(dir);
    const std::string pidFile = dir / "pid";
    const std::string file = dir / "RUN-DAEMON.sh";
    writeFile(file, "echo $$ > " + shellQuoted(pidFile) + "; exec " + shellQuoted(sleeper.path) + " 30\n");

    // What the program must not inherit: a descriptor without close-on-exec,
    // a blocked signal and an ignored one.
    const int leaked = ::open(file.c_str(), O_RDONLY);
    ASSERT_GE(leaked, 3);
    sigset_t blocked, previous;
    sigemptyset(&blocked);
    sigaddset(&blocked, SIGUSR1);
    ::pthread_sigmask(SIG_BLOCK, &blocked, &previous);
    struct sigaction ignore {}, before {};
    ignore.sa_handler = SIG_IGN;
    ::sigaction(SIGUSR2, &ignore, &before);
    const bool started = PosixLauncher().runCommandFile(file);
    ::sigaction(SIGUSR2, &before, nullptr);
    ::pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    ::close(leaked);
    ASSERT_TRUE(started);

    const int pid = readPid(pidFile);
    ASSERT_GT(pid, 0);
    ASSERT_TRUE(eventually([&] { return sleeper.running(); }));
    const std::string proc = "/proc/" + std::to_string(pid);
    EXPECT_EQ(statField(pid, 3), std::to_string(pid));  // the session it leads
    EXPECT_EQ(std::filesystem::read_symlink(proc + "/fd/0"), "/dev/null");
    EXPECT_EQ(std::filesystem::read_symlink(proc + "/fd/1"), "/dev/null");
    std::vector<std::string> descriptors;
    for (const auto& fd : std::filesystem::directory_iterator(proc + "/fd")) descriptors.push_back(fd.path().filename());
    std::sort(descriptors.begin(), descriptors.end());
    EXPECT_EQ(descriptors, (std::vector<std::string>{"0", "1", "2"}));
    const std::string status = slurp(proc + "/status").value_or("");
    EXPECT_NE(status.find("SigBlk:\t0000000000000000"), std::string::npos) << status;
    EXPECT_NE(status.find("SigIgn:\t0000000000000000"), std::string::npos) << status;
}

TEST(PosixLauncher, EndedProgramsLeaveNoZombieBehind) {
    // Orphans come to this process instead of the system's first process,
    // which does not reap them: a launcher that leaves its programs to
    // someone else's reaping leaves zombies here.
    ASSERT_EQ(::prctl(PR_SET_CHILD_SUBREAPER, 1), 0);
    struct NoLongerReaper {
        ~NoLongerReaper() { ::prctl(PR_SET_CHILD_SUBREAPER, 0); }
    } restore;
    TempDir dir;
    Sleeper sleeper(dir);
    const std::string pids = dir / "pids";
    const std::string quick = dir / "quick.sh";
    writeFile(quick, "echo $$ >> " + shellQuoted(pids) + "\n");
    const std::string slow = dir / "slow.sh";
    writeFile(slow, "echo $$ >> " + shellQuoted(pids) + "; exec " + shellQuoted(sleeper.path) + " 30\n");

    PosixLauncher launcher;
    for (int i = 0; i < 10; ++i) ASSERT_TRUE(launcher.runCommandFile(quick));
    ASSERT_TRUE(launcher.runCommandFile(slow));
    std::vector<int> started;
    ASSERT_TRUE(eventually([&] {
        started.clear();
        std::istringstream in(slurp(pids).value_or(""));
        for (int pid; in >> pid;) started.push_back(pid);
        return started.size() == 11;
    }));
    ASSERT_TRUE(eventually([&] { return sleeper.running(); }));
    ProcProcessTable().terminate(sleeper.name);

    // Gone entirely, not left as the system's zombies nor as ours.
    for (int pid : started) EXPECT_TRUE(eventually([&] { return processGone(pid); })) << pid;
    EXPECT_EQ(zombieChildren(), 0);
}

// A command file's redirection may create a file (the block count file,
// after someone deleted it); it must come out as private as the files the
// program writes itself. Other programs keep the user's own mask.
TEST(PosixLauncher, FilesACommandFileCreatesAreTheOwnersOnly) {
    PosixLauncher::rememberUserMask(022);  // a usual user's mask
    TempDir dir;
    const std::string created = dir / "LATEST-BLOCKCOUNT.LOG";
    const std::string file = dir / "RUN-BLOCKCOUNTER-GBC.sh";
    writeFile(file, "echo 871234 > " + shellQuoted(created) + "\n");
    ASSERT_TRUE(PosixLauncher().runCommandFile(file));
    ASSERT_TRUE(eventually([&] { return slurp(created) == "871234\n"; }));
    struct stat info {};
    ASSERT_EQ(::stat(created.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);

    const std::string viewerFile = dir / "viewer-output";
    ASSERT_TRUE(PosixLauncher().runProgram({"/bin/sh", "-c", "echo x > " + shellQuoted(viewerFile)}));
    ASSERT_TRUE(eventually([&] { return slurp(viewerFile) == "x\n"; }));
    ASSERT_EQ(::stat(viewerFile.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0644u);
}

TEST(PosixLauncher, WhatCannotBeStartedIsReportedAsNotStarted) {
    TempDir dir;
    PosixLauncher launcher;
    EXPECT_FALSE(launcher.runCommandFile(dir / "BATS/BTC1-RUN-QT.sh"));
    EXPECT_FALSE(launcher.runCommandFile(""));
    EXPECT_FALSE(launcher.runCommandFile(dir.path()));  // a folder
    EXPECT_FALSE(PosixLauncher::startDetached({dir / "no-such-program"}));
    EXPECT_FALSE(PosixLauncher::startDetached({}));
    EXPECT_EQ(zombieChildren(), 0);
}

// A viewer that starts and then cannot open the file tells it by its exit
// status (xdg-open ends with 4), which the reports window shows.
TEST(PosixLauncher, AWatchedProgramTellsHowItEnded) {
    PosixLauncher launcher;
    const auto fails = launcher.runProgramWatched({"/bin/sh", "-c", "exit 4"});
    const auto works = launcher.runProgramWatched({"/bin/sh", "-c", "exit 0"});
    const auto killed = launcher.runProgramWatched({"/bin/sh", "-c", "kill -KILL $$"});
    ASSERT_TRUE(fails && works && killed);
    EXPECT_TRUE(eventually([&] { return fails->status() == 4; })) << fails->status();
    EXPECT_TRUE(eventually([&] { return works->status() == 0; })) << works->status();
    EXPECT_TRUE(eventually([&] { return killed->status() == ProgramExit::unknown; })) << killed->status();
    EXPECT_EQ(launcher.runProgramWatched({"/nonexistent/viewer", "x"}), nullptr);
    EXPECT_EQ(zombieChildren(), 0);
}

}  // namespace
}  // namespace syncward::testing
