#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "e2e/program_run.h"
#include "e2e/standin_node.h"

namespace syncward::testing {
namespace {

bool processNamed(const std::string& name) {
    return std::system(("pgrep -x " + name + " >/dev/null").c_str()) == 0;
}

// The built program with autostart and autoclose against a stand-in daemon
// and client whose shutdown takes three seconds.
TEST(UnattendedRun, CatchesUpStopsTheNodeReportsAndClosesItself) {
    TempDir dir;
    StandinNode node(dir.path(), 3);
    ProgramRun program(dir, "E2ERUN");
    std::filesystem::create_directories(dir / "chain/blocks");
    std::ofstream(dir / "chain/blocks/blk00000.dat") << std::string(1024, 'b');
    NodeCommandFields fields = node.commandFields(program.configFile(), dir / "chain");
    fields.qtName = "fakecoin-qt";
    program.nodeCommandFiles(fields, "0\n");  // the count a first poll left: the chain starts empty
    program.unattendedRunSwitches("Fakecoin", "00:00:02");

    ASSERT_EQ(program.run(240), 0) << "the program did not close itself within 240 s";
    std::system(("pkill -KILL -x " + node.daemonName + " 2>/dev/null").c_str());

    const std::string report = readWholeFile(program.homeFile("REPORTS", "-END-REPORT.LOG"));
    ASSERT_FALSE(report.empty()) << "no end report in " << program.home() << "/REPORTS";
    EXPECT_NE(report.find("Last Know Block Number AFTER Update:\n120\n\n"), std::string::npos) << report;
    EXPECT_NE(report.find("Number Of Blocks Downloaded:\n120\n"), std::string::npos) << report;
    EXPECT_NE(report.find("BLOCKCHAIN UPDATED USING: DAEMON --- " + node.daemonName + " --- \n"), std::string::npos)
        << report;
    EXPECT_NE(report.find("SYNCWARD Filename: \nE2ERUN\n"), std::string::npos) << report;
    EXPECT_EQ(program.storedSetting("MULTILOADER_LAST_RUN_TEXTBOX"), "!!! COMPLETED SUCCESSFULLY !!!");
    EXPECT_EQ(program.storedSetting("BLOCKCOUNTER_LAST_RUN"), "!!! COMPLETED SUCCESSFULLY !!!");

    // The daemon took three seconds to flush; the run waited for its exit:
    // after it come steps 13 to 19 and the eleven-second autoclose.
    const std::string exited = readWholeFile(node.exitTimeFile);
    ASSERT_FALSE(exited.empty()) << "the stand-in daemon never exited";
    const long long daemonExitMs = std::stoll(exited);
    EXPECT_GT(daemonExitMs, program.startedAtMs);
    EXPECT_LT(daemonExitMs, program.endedAtMs - 11000) << "the run went on before the node had exited";
    EXPECT_FALSE(processNamed(node.daemonName));
}

}  // namespace
}  // namespace syncward::testing
