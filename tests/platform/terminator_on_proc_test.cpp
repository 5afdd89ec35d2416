#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "core/processes/process_windows.h"
#include "core/processes/self_termination_window.h"
#include "core/processes/terminator_window.h"
#include "platform/launch_support.h"
#include "platform/posix/proc_process_table.h"
#include "support/app_harness.h"
#include "support/temp_dir.h"

namespace syncward::testing {
namespace {

namespace fs = std::filesystem;

// The real process list, whose terminate only records when the test could
// otherwise end itself.
class GuardedTable : public ProcessTable {
public:
    explicit GuardedTable(bool endForReal) : endForReal_(endForReal) {}
    std::optional<std::vector<NamedProcesses>> look(const std::vector<std::string>& names) override {
        return real_.look(names);
    }
    void terminate(const std::string& name) override {
        terminated.push_back(name);
        if (endForReal_) real_.terminate(name);
    }
    void terminateOurs(const std::string& name) override {
        terminated.push_back(name);
        if (endForReal_) real_.terminateOurs(name);
    }
    void askOursToShutDown(const std::string& name) override { real_.askOursToShutDown(name); }
    bool namesThisProgram(const std::string& name) override { return real_.namesThisProgram(name); }

    std::vector<std::string> terminated;

private:
    ProcProcessTable real_;
    bool endForReal_;
};

// The program on the fake platform but with the real process list, on
// virtual time: the terminator's seconds pass at once, the processes are real.
struct RealProcessesApp {
    explicit RealProcessesApp(bool endForReal = true)
        : fake(PlatformProfile::posix("/root")),
          table(endForReal),
          platform(fake.with({.processes = &table})) {
        fake.environment.exeName = "LTC1";
        app = std::make_unique<Application>(platform);
        app->start();
    }
    TerminatorWindow& armedTerminator() {
        app->main().TERMINATOR_BUTTON.click();
        TerminatorWindow& win = app->processWindows().terminator();
        win.ENABLE_TERMINATOR_TICKBOX.setValue(1);
        return win;
    }
    // Lets the terminator look once more.
    void second() { fake.loop.advance(1000); }
    FakePlatform fake;
    GuardedTable table;
    Platform platform;
    std::unique_ptr<Application> app;
};

// A copy of /bin/sleep under a name no other process has, readable by all.
struct SleepCopy {
    SleepCopy() {
        ::chmod(dir.path().c_str(), 0755);
        fs::copy_file(fs::canonical("/bin/sleep"), path);
        ::chmod(path.c_str(), 0755);
    }
    // Runs it, as the given user when uid is set; the child's pid.
    pid_t start(std::optional<uid_t> uid = std::nullopt, gid_t gid = 0) const {
        const pid_t pid = ::fork();
        if (pid == 0) {
            if (uid && (::setresgid(gid, gid, gid) != 0 || ::setresuid(*uid, *uid, *uid) != 0)) ::_exit(126);
            ::execl(path.c_str(), path.c_str(), "60", static_cast<char*>(nullptr));
            ::_exit(127);
        }
        return pid;
    }

    TempDir dir;
    std::string name = "swTerm" + std::to_string(::getpid());
    std::string path = dir / name;
};

bool endedBySigkill(pid_t pid) {
    int status = 0;
    return ::waitpid(pid, &status, 0) == pid && WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
}

bool stillRunning(pid_t pid) { return ::waitpid(pid, nullptr, WNOHANG) == 0 && ::kill(pid, 0) == 0; }

void endAndReap(pid_t pid) {
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
}

TEST(TerminatorOnProc, ACustomNamedProgramTurnsGreenAndTerminateKillsIt) {
    SleepCopy sleeper;
    RealProcessesApp r;
    TerminatorWindow& win = r.armedTerminator();
    win.CUSTOM_PROCESS_NAME_TEXTBOX.setText(sleeper.name);
    r.second();
    EXPECT_EQ(win.CUSTOM_PROCESS_NAME_TEXTBOX.background(), colours::red);
    EXPECT_FALSE(win.CUSTOM_TERMINATE_BUTTON.enabled());

    const pid_t pid = sleeper.start();
    ASSERT_TRUE(eventually([&] {
        r.second();
        return win.CUSTOM_PROCESS_NAME_TEXTBOX.background() == colours::green;
    }));
    ASSERT_TRUE(win.CUSTOM_TERMINATE_BUTTON.enabled());
    win.CUSTOM_TERMINATE_BUTTON.click();
    EXPECT_TRUE(endedBySigkill(pid)) << "ended at once, without being asked";
    r.second();
    EXPECT_EQ(win.CUSTOM_PROCESS_NAME_TEXTBOX.background(), colours::red);
}

// Another user's program of the same name is neither shown as running nor
// ended; a scratch user made for the test runs it.
TEST(TerminatorOnProc, AnotherUsersProcessOfTheSameNameIsNeverTouched) {
    if (::geteuid() != 0) GTEST_SKIP() << "only root can create a user and run a process as it";
    const std::string user = "swscratch" + std::to_string(::getpid() % 100000);
    ASSERT_EQ(std::system(("useradd --no-create-home --shell /usr/sbin/nologin " + user).c_str()), 0);
    struct UserRemover {
        std::string name;
        ~UserRemover() { std::system(("userdel " + name + " 2>/dev/null").c_str()); }
    } remover{user};
    const passwd* entry = ::getpwnam(user.c_str());
    ASSERT_NE(entry, nullptr);
    const uid_t uid = entry->pw_uid;
    const gid_t gid = entry->pw_gid;

    SleepCopy sleeper;
    RealProcessesApp r;
    TerminatorWindow& win = r.armedTerminator();
    win.CUSTOM_PROCESS_NAME_TEXTBOX.setText(sleeper.name);
    const pid_t foreign = sleeper.start(uid, gid);
    ASSERT_TRUE(eventually([&] {
        return slurp("/proc/" + std::to_string(foreign) + "/comm").value_or("").starts_with(sleeper.name.substr(0, 15));
    })) << "the scratch user's copy did not start";
    r.second();
    EXPECT_EQ(win.CUSTOM_PROCESS_NAME_TEXTBOX.background(), colours::red) << "not ours, not running for us";
    EXPECT_FALSE(win.CUSTOM_TERMINATE_BUTTON.enabled());

    // With a copy of our own running too, TERMINATE ends ours alone.
    const pid_t own = sleeper.start();
    ASSERT_TRUE(eventually([&] {
        r.second();
        return win.CUSTOM_TERMINATE_BUTTON.enabled();
    }));
    win.CUSTOM_TERMINATE_BUTTON.click();
    EXPECT_TRUE(endedBySigkill(own));
    EXPECT_TRUE(stillRunning(foreign)) << "another user's process was ended";
    endAndReap(foreign);
}

// This program answers to its executable name in any letter case and to
// the names the process list finds it under (here the test program's own
// file name): each would end it, so each asks first.
TEST(TerminatorOnProc, NamesThatWouldEndThisProgramOpenTheSelfTerminationWindow) {
    RealProcessesApp r(false);  // were a name let through, the test would end itself
    TerminatorWindow& win = r.armedTerminator();
    char self[PATH_MAX] = {};
    ASSERT_GT(::readlink("/proc/self/exe", self, sizeof self - 1), 0);
    const std::string fileName = fs::path(self).filename().string();
    std::string shouted = fileName;
    for (char& c : shouted) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));

    Form* selfWindow = &r.app->processWindows().selfTermination();
    for (const std::string& name : {std::string("ltc1"), fileName, shouted}) {
        const std::size_t shown = r.fake.windows.shown.size();
        win.CUSTOM_PROCESS_NAME_TEXTBOX.setText(name);
        win.CUSTOM_TERMINATE_BUTTON.click();
        ASSERT_EQ(r.fake.windows.shown.size(), shown + 1) << name;
        EXPECT_EQ(r.fake.windows.shown.back().first, selfWindow) << name;
        r.app->processWindows().selfTermination().ONLY_JOKING_BUTTON.click();
    }
    EXPECT_EQ(r.table.terminated, std::vector<std::string>{});

    win.CUSTOM_PROCESS_NAME_TEXTBOX.setText("ltc2");
    win.CUSTOM_TERMINATE_BUTTON.click();
    EXPECT_EQ(r.table.terminated, std::vector<std::string>{"ltc2"}) << "another copy's name is not ours";
}

}  // namespace
}  // namespace syncward::testing
