#include <gtest/gtest.h>

#include "core/platform/platform_profile.h"
#include "core/processes/command_file_writer.h"
#include "core/processes/node_command_lines.h"
#include "core/state/home_layout.h"
#include "launch_support.h"
#include "platform/posix/posix_file_system.h"
#include "platform/posix/posix_launcher.h"
#include "support/temp_dir.h"

namespace syncward::testing {
namespace {

// Command files as the crypto settings write them, run by the real shell
// through the real launcher, with fields that a shell would love to
// interpret: blanks, "$HOME", both quotes, a backtick, ";" and "\".
struct ShellHarness {
    ShellHarness() : profile(PlatformProfile::posix("/home/nobody")), home(dir / "home dir") {
        std::filesystem::create_directories(home + "/BATS");
        std::filesystem::create_directories(home + "/BLOCKCOUNTS");
        programs = dir / "prog dir $HOME \"dq\" 'sq' `touch " + marker() + "` ; \\ end";
        std::filesystem::create_directories(programs);
        fields.qtFolder = programs;
        fields.daemonCliFolder = programs;
        fields.qtName = "coin-qt $USER's \"x\"";
        fields.daemonName = "coind";
        fields.cliName = "coin-cli;$(id) `id` &x";  // a file name: anything but "/"
        fields.confFile = "/conf dir/$HOME/`touch " + marker() + "`/it's \"q\";touch " + marker() + ";\\n.conf";
        fields.dataFolder = "$(touch " + marker() + ") & | > < * ? ~ \\ end";
        fields.blockCountFile = home_layout::blockCountFile(profile, home, "BTC1");
    }

    std::string marker() const { return dir / "INJECTED"; }
    bool injected() const { return std::filesystem::exists(marker()); }

    // Writes the command file and runs it as the program would.
    void run(CommandFile file, const std::string& commandText) {
        ASSERT_TRUE(writeCommandFile(files, profile, home, "BTC1", file, commandText));
        ASSERT_TRUE(launcher.runCommandFile(commandFilePath(profile, home, "BTC1", file)));
    }

    TempDir dir;
    PlatformProfile profile;
    std::string home;
    std::string programs;
    NodeCommandFields fields;
    PosixFileSystem files;
    PosixLauncher launcher;
};

TEST(CommandFilesInTheShell, TheNodeProgramsReceiveEveryFieldExactlyAsTyped) {
    ShellHarness h;
    const std::string output = h.dir / "qt-args";
    writeArgumentRecorder(h.programs + "/" + h.fields.qtName, output);
    h.fields.qtOption = "-disablewallet=1";
    h.run(CommandFile::RunQt, qtRunCommand(h.profile, h.fields));
    ASSERT_TRUE(eventually([&] { return slurp(output).has_value(); }));
    EXPECT_EQ(slurp(output), recorded({"-conf=" + h.fields.confFile, "-datadir=" + h.fields.dataFolder,
                                       "-disablewallet=1"}));

    // An empty option stays a blank: no empty argument reaches the daemon.
    const std::string daemonOutput = h.dir / "daemon-args";
    writeArgumentRecorder(h.programs + "/coind", daemonOutput);
    h.run(CommandFile::RunDaemon, daemonRunCommand(h.profile, h.fields));
    ASSERT_TRUE(eventually([&] { return slurp(daemonOutput).has_value(); }));
    EXPECT_EQ(slurp(daemonOutput), recorded({"-conf=" + h.fields.confFile, "-datadir=" + h.fields.dataFolder}));

    const std::string cliOutput = h.dir / "cli-args";
    writeArgumentRecorder(h.programs + "/" + h.fields.cliName, cliOutput);
    h.run(CommandFile::CliStop, cliStopCommand(h.profile, h.fields));
    ASSERT_TRUE(eventually([&] { return slurp(cliOutput).has_value(); }));
    // The client is told the data folder, where the node keeps its login cookie.
    EXPECT_EQ(slurp(cliOutput), recorded({"-conf=" + h.fields.confFile, "-datadir=" + h.fields.dataFolder, "stop"}));
    EXPECT_FALSE(h.injected());
}

TEST(CommandFilesInTheShell, TheBlockCountLineSendsOnlyStandardOutputIntoTheLatestFile) {
    ShellHarness h;
    const std::string done = h.dir / "client-done";
    const std::string client = h.programs + "/" + h.fields.cliName;
    ASSERT_TRUE(resetBlockCountFile(h.files, h.profile, h.home, "BTC1"));
    EXPECT_EQ(slurp(h.fields.blockCountFile), "\n");

    // The client sees "-conf=...", "-datadir=..." and "getblockcount" and nothing else.
    writeFile(client,
              "#!/bin/sh\n"
              "[ \"$#\" = 3 ] && [ \"$3\" = getblockcount ] || { echo \"$#\" > " + shellQuoted(done) + "; exit 2; }\n"
              "echo 871234\n"
              "echo 'error: this goes elsewhere' >&2\n"
              "touch " + shellQuoted(done) + "\n",
              0755);
    h.run(CommandFile::BlockCounter, blockCountCommand(h.profile, h.fields));
    ASSERT_TRUE(eventually([&] { return slurp(done).has_value(); }));
    EXPECT_EQ(slurp(done), "");
    EXPECT_EQ(slurp(h.fields.blockCountFile), "871234\n");

    // A failing client leaves the file empty.
    std::filesystem::remove(done);
    writeFile(client, "#!/bin/sh\necho 'error: no connection' >&2\ntouch " + shellQuoted(done) + "\nexit 1\n", 0755);
    h.run(CommandFile::BlockCounter, blockCountCommand(h.profile, h.fields));
    ASSERT_TRUE(eventually([&] { return slurp(done).has_value(); }));
    EXPECT_EQ(slurp(h.fields.blockCountFile), "");
    EXPECT_FALSE(h.injected());
}

}  // namespace
}  // namespace syncward::testing
