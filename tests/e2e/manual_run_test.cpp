#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <thread>

#include "core/processes/manual_run_window.h"
#include "core/processes/process_windows.h"
#include "e2e/program_run.h"
#include "e2e/standin_node.h"
#include "platform/posix/posix_file_system.h"
#include "platform/posix/posix_launcher.h"
#include "platform/posix/proc_process_table.h"
#include "support/app_harness.h"

namespace syncward::testing {
namespace {

// Advances the program's virtual seconds while real time lets the started
// programs come and go, until the condition holds; the limit only keeps a
// broken test from hanging.
bool eventually(VirtualLoop& loop, const std::function<bool()>& condition, int limitSeconds = 20) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(limitSeconds);
    while (std::chrono::steady_clock::now() < end) {
        loop.advance(250);
        if (condition()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return condition();
}

// The manual run window of a copy set up like the unattended run's, with
// the real launcher, files and process list: its buttons start and stop the
// stand-in daemon through the command files the crypto settings wrote.
TEST(ManualRun, StartDaemonTurnsItsBoxGreenAndTheStopRequestRedAgain) {
    TempDir dir;
    StandinNode node(dir.path(), 0);
    ProgramRun copy(dir, "E2EMANUAL");
    NodeCommandFields fields = node.commandFields(copy.configFile(), dir / "chain");
    fields.qtName = "fakecoin-qt";
    copy.nodeCommandFiles(fields);

    FakePlatform fake(PlatformProfile::posix(dir.path()));
    fake.environment.exeName = copy.name();
    for (const auto& [key, value] : std::map<std::string, std::string>{{"SYNCWARD_HOME_TEXTBOX", copy.home()},
                                                                        {"ALWAYS_ON_TOP_TICKBOX", "0"},
                                                                        {"DAEMOND_NAME_TEXTBOX", node.daemonName},
                                                                        {"DAEMONCLI_NAME_SETTINGS_TEXTBOX", node.cliName},
                                                                        {"QT_NAME_TEXTBOX", "fakecoin-qt"}})
        fake.store.put(copy.name(), key, value);
    ProcProcessTable processes;
    PosixLauncher launcher;
    PosixFileSystem files;
    Platform platform = fake.with({.processes = &processes, .launcher = &launcher, .files = &files});
    Application app(platform);
    app.start();
    struct DaemonKiller {
        std::string name;
        ~DaemonKiller() { std::system(("pkill -KILL -x " + name + " 2>/dev/null").c_str()); }
    } killer{node.daemonName};

    app.main().MANUAL_RUN_BUTTON.click();
    ManualRunWindow& win = app.processWindows().manualRun();
    fake.loop.advance(1000);
    ASSERT_EQ(win.PROCESS_TEXTBOX_2.background(), colours::red);
    ASSERT_TRUE(win.DAEMON_START_BUTTON.enabled());

    win.DAEMON_START_BUTTON.click();
    EXPECT_EQ(win.MANUAL_RUN_STATUS_LABEL.caption(), "");
    ASSERT_TRUE(eventually(fake.loop, [&] { return win.PROCESS_TEXTBOX_2.background() == colours::green; }))
        << "the daemon did not start";
    EXPECT_FALSE(win.DAEMON_START_BUTTON.enabled());
    EXPECT_FALSE(win.QT_START_BUTTON.enabled());
    ASSERT_TRUE(win.CLI_STOP_BUTTON.enabled());

    win.CLI_STOP_BUTTON.click();
    EXPECT_TRUE(eventually(fake.loop, [&] { return win.PROCESS_TEXTBOX_2.background() == colours::red; }))
        << "the stop request did not end the daemon";
    EXPECT_TRUE(win.DAEMON_START_BUTTON.enabled());
    EXPECT_FALSE(readWholeFile(node.exitTimeFile).empty()) << "the daemon was asked, not killed";
}

}  // namespace
}  // namespace syncward::testing
