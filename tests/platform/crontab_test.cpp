#include <gtest/gtest.h>

#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>

#include <cstdlib>
#include <memory>

#include "core/run/application.h"
#include "core/scheduler/crontab_table.h"
#include "core/scheduler/scheduled_task_window.h"
#include "core/scheduler/schtasks_lines.h"
#include "core/settings/main_settings_window.h"
#include "core/settings/settings_windows.h"
#include "launch_support.h"
#include "platform/posix/posix_crontab.h"
#include "platform/posix/xdg_autostart.h"
#include "support/fake_platform.h"
#include "support/temp_dir.h"

namespace syncward::testing {
namespace {

constexpr const char* spool = "/var/spool/cron/crontabs";

bool sameFolder(const std::string& a, const std::string& b) {
    struct stat sa{}, sb{};
    return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

// The real crontab command, on a throw-away spool: this test's thread gets
// a mount namespace of its own (not shared back to the system) with a
// temporary folder bound over the crontab spool, and nothing runs unless
// the spool is seen to be that folder. The user's real crontab is never
// read or written.
class RealCrontab : public ::testing::Test {
protected:
    void SetUp() override {
        if (::access("/usr/bin/crontab", X_OK) != 0) GTEST_SKIP() << "crontab is not installed (package cron)";
        if (::access(spool, F_OK) != 0) GTEST_SKIP() << spool << " does not exist: no cron spool to stand in for";
        if (::unshare(CLONE_NEWNS) != 0)
            GTEST_SKIP() << "no private mount namespace here (needs root with CAP_SYS_ADMIN): crontab not tested";
        if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
            GTEST_SKIP() << "mounts cannot be made private: crontab not tested";
        struct stat real{};
        ::stat(spool, &real);
        ::chmod(scratch_.path().c_str(), real.st_mode & 07777);
        if (::chown(scratch_.path().c_str(), real.st_uid, real.st_gid) != 0 ||
            ::mount(scratch_.path().c_str(), spool, nullptr, MS_BIND, nullptr) != 0)
            GTEST_SKIP() << "a scratch spool cannot be bound over " << spool << ": crontab not tested";
        mounted_ = true;
        ASSERT_TRUE(sameFolder(spool, scratch_.path())) << "the spool is not the scratch folder: stopping";
    }
    void TearDown() override {
        if (mounted_) ::umount2(spool, MNT_DETACH);
    }

    // The program on the fake platform, but with the real crontab.
    Application& start(PosixCrontab& crontab, Autostart* autostart = nullptr) {
        fake_.environment.exeName = "LTC9";
        platform_ = std::make_unique<Platform>(fake_.with({.crontab = &crontab, .autostart = autostart}));
        app_ = std::make_unique<Application>(*platform_);
        app_->start();
        return *app_;
    }
    ScheduledTaskWindow& openScheduler() {
        app_->settingsWindows().mainSettings().SCHEDULER_BUTTON.click();
        return app_->settingsWindows().scheduledTask();
    }

    TempDir scratch_;
    bool mounted_ = false;
    FakePlatform fake_{PlatformProfile::posix("/home/satoshi")};
    std::unique_ptr<Platform> platform_;
    std::unique_ptr<Application> app_;
};

TEST_F(RealCrontab, CreateEnableDisableDeleteKeepTheUsersOtherLines) {
    PosixCrontab crontab({"/opt/nodes/LTC9", {{"DISPLAY", ":5"}}});
    ASSERT_EQ(crontab.read().outcome, Crontab::Read::Outcome::NoTable);
    const std::string others = "MAILTO=\"\"\n# keep me  \n17 3 * * 1 /usr/bin/true  # SYNCWARD - LTC\n";
    ASSERT_TRUE(crontab.write(others).ok);

    start(crontab);
    ScheduledTaskWindow& w = openScheduler();
    EXPECT_EQ(w.TASK_STATUS_TEXTBOX.text(), "TASK-DELETED");
    w.CATCH_UP_TICKBOX.setTicked(false);  // the weekly line alone
    w.TUE_TICKBOX.setTicked(true);
    w.TASK_RUN_TIME_TEXTBOX.setText("04:30");
    w.CREATE_TASK_BUTTON.click();
    const std::string line = "30 4 * * 2 DISPLAY=':5' '/opt/nodes/LTC9' # SYNCWARD - LTC9";
    EXPECT_EQ(crontab.read().text, others + line + "\n");
    EXPECT_EQ(w.TASK_STATUS_TEXTBOX.text(), "TASK-CREATED");
    EXPECT_TRUE(w.ENABLE_SCHED_TASK_TICKBOX.ticked());

    w.ENABLE_SCHED_TASK_TICKBOX.setTicked(false);
    EXPECT_EQ(crontab.read().text, others + "#" + line + "\n");
    w.close();
    EXPECT_FALSE(openScheduler().ENABLE_SCHED_TASK_TICKBOX.ticked());  // the crontab's word
    w.ENABLE_SCHED_TASK_TICKBOX.setTicked(true);
    EXPECT_EQ(crontab.read().text, others + line + "\n");

    w.ENABLE_DELETE_BUTTON_TICKBOX.setTicked(true);
    w.DELETE_TASK_BUTTON.click();
    EXPECT_EQ(crontab.read().text, others);
    EXPECT_EQ(w.TASK_STATUS_TEXTBOX.text(), "TASK-DELETED");
    EXPECT_EQ(w.SCHEDULER_STATUS_LABEL.caption(), "!!! TASK DELETED !!!");
}

// The catch-up line and the autostart entry come and go with the weekly
// line; the entry is a valid desktop entry, readable by its owner only.
TEST_F(RealCrontab, CatchUpLineAndAutostartEntryFollowTheTask) {
    if (::access("/usr/bin/desktop-file-validate", X_OK) != 0)
        GTEST_SKIP() << "desktop-file-validate is not installed (package desktop-file-utils)";
    TempDir config;
    ::setenv("XDG_CONFIG_HOME", config.path().c_str(), 1);
    XdgAutostart autostart(XdgAutostart::defaultFolder());
    ::unsetenv("XDG_CONFIG_HOME");
    ASSERT_EQ(autostart.folder(), config / "autostart");
    const std::string entry = config / "autostart/syncward-LTC9-catch-up.desktop";

    PosixCrontab crontab({"/opt/my nodes/LTC9", {{"DISPLAY", ":5"}}});
    const std::string others = "# keep me\n@reboot /usr/bin/true # SYNCWARD - LTC99\n";
    ASSERT_TRUE(crontab.write(others).ok);
    start(crontab, &autostart);
    ScheduledTaskWindow& w = openScheduler();
    w.SELECT_ALL_DAYS_TICKBOX.setTicked(true);
    w.TASK_RUN_TIME_TEXTBOX.setText("23:05");
    w.CREATE_TASK_BUTTON.click();
    const std::string weekly = "5 23 * * * DISPLAY=':5' '/opt/my nodes/LTC9' # SYNCWARD - LTC9\n";
    // No display on the boot line: at boot there is none, and the program
    // then runs offscreen.
    const std::string reboot = "@reboot '/opt/my nodes/LTC9' --catch-up # SYNCWARD - LTC9\n";
    EXPECT_EQ(crontab.read().text, others + weekly + reboot);
    struct stat st{};
    ASSERT_EQ(::stat(entry.c_str(), &st), 0) << "no autostart entry";
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    EXPECT_EQ(std::system(("desktop-file-validate " + shellQuoted(entry)).c_str()), 0) << *slurp(entry);
    EXPECT_NE(slurp(entry)->find("Exec=\"/opt/my nodes/LTC9\" --catch-up\n"), std::string::npos);

    w.ENABLE_SCHED_TASK_TICKBOX.setTicked(false);
    EXPECT_EQ(crontab.read().text, others + "#" + weekly + "#" + reboot);
    w.ENABLE_SCHED_TASK_TICKBOX.setTicked(true);
    EXPECT_EQ(crontab.read().text, others + weekly + reboot);
    w.close();
    EXPECT_TRUE(openScheduler().CATCH_UP_TICKBOX.ticked());  // the crontab's word

    w.ENABLE_DELETE_BUTTON_TICKBOX.setTicked(true);
    w.DELETE_TASK_BUTTON.click();
    EXPECT_EQ(crontab.read().text, others);
    EXPECT_FALSE(slurp(entry)) << "the autostart entry is still there";
}

TEST_F(RealCrontab, ACrontabThatFailsToReadIsNeverWrittenOver) {
    PosixCrontab real({"/opt/nodes/LTC9", {}});
    ASSERT_TRUE(real.write("5 5 * * * keep-me\n").ok);
    // A stand-in first on the PATH that cannot read and logs every call.
    TempDir bin;
    writeFile(bin / "crontab",
              "#!/bin/sh\necho \"$@\" >> " + shellQuoted(bin / "calls") +
                  "\necho 'crontab: cannot open the table: Permission denied' >&2\nexit 1\n",
              0755);
    const std::string path = std::getenv("PATH");
    ::setenv("PATH", (bin.path() + ":" + path).c_str(), 1);
    PosixCrontab failing({"/opt/nodes/LTC9", {}});
    const Crontab::Read read = failing.read();
    start(failing);
    ScheduledTaskWindow& w = openScheduler();
    w.SELECT_ALL_DAYS_TICKBOX.setTicked(true);
    w.CREATE_TASK_BUTTON.click();
    ::setenv("PATH", path.c_str(), 1);

    EXPECT_EQ(read.outcome, Crontab::Read::Outcome::Failed);
    EXPECT_EQ(read.error, "crontab: cannot open the table: Permission denied");
    EXPECT_EQ(slurp(bin / "calls"), "-l\n-l\n-l\n");  // opening and Create read; nothing was written
    EXPECT_NE(w.SCHEDULER_STATUS_LABEL.caption().find("CRONTAB NOT READ"), std::string::npos);
    EXPECT_EQ(w.TASK_STATUS_TEXTBOX.text(), "TASK-DELETED");
    EXPECT_EQ(real.read().text, "5 5 * * * keep-me\n");
}

// A copy whose link name cron cannot carry: the program's path as the
// system gives it (a line break in it, bytes that are not UTF-8) is never
// written; one it can carry ("%", quotes, blanks) is written, read back
// exactly and found again by its tag.
TEST_F(RealCrontab, APathCronCannotCarryIsNeverWrittenAndOneItCanIsWrittenExactly) {
    TempDir dir;
    const std::string others = "5 5 * * * keep-me\n";
    PosixCrontab real({"/opt/nodes/LTC9", {}});
    ASSERT_TRUE(real.write(others).ok);
    for (const std::string& name : {std::string("LTC9\n* * * * * touch MARKER #"), std::string("LTC\xff")}) {
        ASSERT_EQ(::symlink("/bin/true", (dir / name).c_str()), 0);
        PosixCrontab crontab(PosixCrontab::programOf(dir / name, false));
        start(crontab);
        ScheduledTaskWindow& w = openScheduler();
        w.SELECT_ALL_DAYS_TICKBOX.setTicked(true);
        w.CREATE_TASK_BUTTON.click();
        EXPECT_TRUE(w.SCHEDULER_STATUS_LABEL.caption().starts_with("!!! CRONTAB NOT CHANGED - THE PROGRAM PATH "))
            << w.SCHEDULER_STATUS_LABEL.caption();
        EXPECT_EQ(w.TASK_STATUS_TEXTBOX.text(), "TASK-DELETED");
        EXPECT_EQ(real.read().text, others);
    }
    const std::string name = "LTC 9%'x'";
    ASSERT_EQ(::symlink("/bin/true", (dir / name).c_str()), 0);
    PosixCrontab crontab(PosixCrontab::programOf(dir / name, false));
    start(crontab);
    ScheduledTaskWindow& w = openScheduler();
    w.SELECT_ALL_DAYS_TICKBOX.setTicked(true);
    w.CATCH_UP_TICKBOX.setTicked(false);  // the weekly line alone
    w.CREATE_TASK_BUTTON.click();
    EXPECT_EQ(w.SCHEDULER_STATUS_LABEL.caption(), "!!! TASK CREATED !!!");
    const std::string quoted = "'" + dir.path() + "/LTC 9\\%'\\''x'\\'''";
    EXPECT_EQ(real.read().text, others + "0 0 * * * " + quoted + " # SYNCWARD - LTC9\n");
}

// Copy "X # SYNCWARD - LTC9" has a task: its lines end in LTC9's whole
// tag, inside its own. LTC9 sees no task of its own there, and its Create,
// Disable and Delete touch its own lines alone.
TEST_F(RealCrontab, ACopyNamedWithAnotherCopysTagKeepsItsLinesFromThatCopy) {
    const std::string x = "X # SYNCWARD - LTC9";
    const std::string xLines = crontab_table::line({2, 30, 0}, "/opt/nodes/" + x, {}, weeklyTaskName(x)) + "\n" +
                               crontab_table::catchUpLine("/opt/nodes/" + x, weeklyTaskName(x)) + "\n";
    ASSERT_EQ(xLines, "30 2 * * 0 '/opt/nodes/X # SYNCWARD - LTC9' # SYNCWARD - X # SYNCWARD - LTC9\n"
                      "@reboot '/opt/nodes/X # SYNCWARD - LTC9' --catch-up # SYNCWARD - X # SYNCWARD - LTC9\n");
    PosixCrontab crontab({"/opt/nodes/LTC9", {}});
    ASSERT_TRUE(crontab.write(xLines).ok);

    start(crontab);
    ScheduledTaskWindow& w = openScheduler();
    EXPECT_EQ(w.TASK_STATUS_TEXTBOX.text(), "TASK-DELETED");
    EXPECT_FALSE(w.ENABLE_SCHED_TASK_TICKBOX.ticked());
    w.SELECT_ALL_DAYS_TICKBOX.setTicked(true);
    w.TASK_RUN_TIME_TEXTBOX.setText("04:30");
    w.CREATE_TASK_BUTTON.click();
    const std::string own = "30 4 * * * '/opt/nodes/LTC9' # SYNCWARD - LTC9\n"
                            "@reboot '/opt/nodes/LTC9' --catch-up # SYNCWARD - LTC9\n";
    EXPECT_EQ(crontab.read().text, xLines + own);
    w.ENABLE_SCHED_TASK_TICKBOX.setTicked(false);
    EXPECT_EQ(crontab.read().text, xLines + "#30 4 * * * '/opt/nodes/LTC9' # SYNCWARD - LTC9\n"
                                            "#@reboot '/opt/nodes/LTC9' --catch-up # SYNCWARD - LTC9\n");
    w.ENABLE_DELETE_BUTTON_TICKBOX.setTicked(true);
    w.DELETE_TASK_BUTTON.click();
    EXPECT_EQ(crontab.read().text, xLines);
    EXPECT_EQ(w.SCHEDULER_STATUS_LABEL.caption(), "!!! TASK DELETED !!!");
}

TEST(CrontabProgram, IsTheCopyAsStartedWithItsDisplay) {
    TempDir dir;
    ASSERT_EQ(::symlink("/bin/true", (dir / "LTC7").c_str()), 0);
    ::setenv("DISPLAY", ":7", 1);
    const Crontab::Program onDisplay = PosixCrontab::programOf(dir / "LTC7", true);
    EXPECT_EQ(onDisplay.path, dir / "LTC7");  // the link, not what it points to
    EXPECT_NE(std::find(onDisplay.environment.begin(), onDisplay.environment.end(),
                        std::pair<std::string, std::string>{"DISPLAY", ":7"}),
              onDisplay.environment.end());
    EXPECT_TRUE(PosixCrontab::programOf(dir / "LTC7", false).environment.empty());
    ::unsetenv("DISPLAY");
}

}  // namespace
}  // namespace syncward::testing
