#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <fstream>

#include "core/time/civil_date.h"
#include "core/reports/run_history.h"
#include "e2e/program_run.h"
#include "e2e/standin_node.h"

namespace syncward::testing {
namespace {

// "HH:MM" of a moment, in UTC (the program runs with TZ=UTC here).
std::string timeOfDay(long long moment) {
    const std::string iso = isoUtcText(moment);
    return iso.substr(11, 5);
}

// A weekly task as the scheduler window leaves it: every day at runTime,
// with the crontab's line, which the program consults, from a stand-in
// crontab that can only list it.
void dailyTask(ProgramRun& program, const TempDir& dir, const std::string& runTime, long long lastStart) {
    program.setting("TASK_STATUS_TEXTBOX", "TASK-CREATED");
    program.setting("ENABLE_SCHED_TASK_TICKBOX", "1");
    program.setting("SELECT_ALL_DAYS_TICKBOX", "1");
    program.setting("TASK_RUN_TIME_TEXTBOX", runTime);
    program.setting("LAST_RUN_START", isoUtcText(lastStart));
    std::filesystem::create_directories(dir / "bin");
    const std::string crontab = dir / "bin/crontab";
    std::ofstream(crontab) << "#!/bin/sh\n[ \"$1\" = -l ] || exit 1\necho \"0 0 * * * 'x' # SYNCWARD - "
                           << program.name() << "\"\necho \"@reboot 'x' --catch-up # SYNCWARD - " << program.name()
                           << "\"\n";
    std::filesystem::permissions(crontab, std::filesystem::perms::owner_all);
    program.pathFront = dir / "bin";
    program.arguments = {"--catch-up"};
}

// Autostart is off: only the catch-up starts the run.
// A catch-up start may come at a login while the user works: the run
// closes the program where the night's run would power the computer off.
TEST(CatchUpRun, AMissedRunStartsByItselfAndClosesInsteadOfItsPowerAction) {
    TempDir dir;
    StandinNode node(dir.path(), 1);
    ProgramRun program(dir, "E2ECATCHUP");
    NodeCommandFields fields = node.commandFields(program.configFile(), dir / "chain");
    std::filesystem::create_directories(dir / "chain");
    program.nodeCommandFiles(fields, "0\n");
    program.unattendedRunSwitches("Fakecoin", "00:00:02");
    program.setting("TASK_19_ENABLE_TICKBOX", "0");
    program.setting("TASK_20_ENABLE_TICKBOX", "1");
    program.setting("AUTOTIMER_ACTION_TEXTBOX", "SHUTDOWN PC");
    std::filesystem::create_directories(dir / "standins");
    const std::string systemctl = dir / "standins/systemctl";
    std::ofstream(systemctl) << "#!/bin/sh\necho \"$*\" >> '" << std::string(dir / "power-calls") << "'\n";
    std::filesystem::permissions(systemctl, std::filesystem::perms::owner_all);
    program.pathFront = dir / "standins";
    const long long now = std::time(nullptr);
    dailyTask(program, dir, timeOfDay(now - 3600), now - 7200);  // scheduled an hour ago, last run two

    ASSERT_EQ(program.run(240), 0) << "the program did not close itself within 240 s";
    std::system(("pkill -KILL -x " + node.daemonName + " 2>/dev/null").c_str());
    EXPECT_EQ(program.output.rfind("E2ECATCHUP: the run due ", 0), 0u) << program.output;
    EXPECT_NE(program.output.find("was missed; it starts after the countdown\n"), std::string::npos);
    EXPECT_EQ(program.storedSetting("MULTILOADER_LAST_RUN_TEXTBOX"), "!!! COMPLETED SUCCESSFULLY !!!");
    EXPECT_NE(program.storedSetting("MAIN-Left"), "<absent>");  // its window opened and closed
    const auto started = parseIsoUtc(program.storedSetting("LAST_RUN_START"));
    ASSERT_TRUE(started);
    EXPECT_GE(*started, now);
    EXPECT_FALSE(std::filesystem::exists(dir / "power-calls")) << "a catch-up powered the computer off";
    const HistoryRead read = parseHistory(readWholeFile(program.homeFile("REPORTS", "-RUN-HISTORY.csv")));
    ASSERT_EQ(read.rows.size(), 1u);
    EXPECT_EQ(read.rows[0].finalAction, "CAUGHT UP AFTER A MISSED START - CLOSED INSTEAD OF SHUTDOWN PC");
}

TEST(CatchUpRun, WithoutAMissedRunItEndsAtOnceWithoutAWindow) {
    TempDir dir;
    ProgramRun program(dir, "E2ECATCHNO");
    const long long now = std::time(nullptr);
    dailyTask(program, dir, timeOfDay(now - 3 * 3600), now - 3600);  // the last run came after the time

    ASSERT_EQ(program.run(60), 0);
    EXPECT_EQ(program.output.rfind("E2ECATCHNO: no scheduled run was missed; the next run is due ", 0), 0u)
        << program.output;
    EXPECT_EQ(std::count(program.output.begin(), program.output.end(), '\n'), 1);
    // A main window that opened would have stored its place on closing.
    EXPECT_EQ(program.storedSetting("MAIN-Left"), "<absent>");
    EXPECT_EQ(program.storedSetting("LAST_RUN_START"), isoUtcText(now - 3600));
}

}  // namespace
}  // namespace syncward::testing
