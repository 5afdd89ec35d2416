#include <gtest/gtest.h>

#include "core/platform/platform_profile.h"
#include "core/processes/command_file_writer.h"
#include "core/processes/node_command_lines.h"
#include "support/fake_platform.h"

namespace syncward::testing {
namespace {

NodeCommandFields windowsFields() {
    NodeCommandFields f;
    f.qtFolder = "C:\\Program Files\\Bitcoin";
    f.qtName = "bitcoin-qt.exe";
    f.daemonCliFolder = "C:\\Program Files\\Bitcoin\\Daemon";
    f.daemonName = "bitcoind.exe";
    f.cliName = "bitcoin-cli.exe";
    f.confFile = "D:\\R\\CONFIGS\\BTC1-CRYPTO-CONFIG.conf";
    f.dataFolder = "D:\\chain";
    f.qtOption = "-disablewallet=0";
    f.blockCountFile = "D:\\R\\BLOCKCOUNTS\\BTC1-LATEST-BLOCKCOUNT.LOG";
    return f;
}

TEST(NodeCommandLines, WindowsLinesAreTheFieldsConcatenatedWithOnlyTheProgramQuoted) {
    const PlatformProfile windows = PlatformProfile::windows();
    NodeCommandFields f = windowsFields();
    EXPECT_EQ(qtRunCommand(windows, f),
              "call \"C:\\Program Files\\Bitcoin\\bitcoin-qt.exe\" -conf=D:\\R\\CONFIGS\\BTC1-CRYPTO-CONFIG.conf "
              "-datadir=D:\\chain -disablewallet=0");
    // Empty options keep their blanks: a trailing blank, two before "stop".
    EXPECT_EQ(daemonRunCommand(windows, f),
              "call \"C:\\Program Files\\Bitcoin\\Daemon\\bitcoind.exe\" "
              "-conf=D:\\R\\CONFIGS\\BTC1-CRYPTO-CONFIG.conf -datadir=D:\\chain ");
    EXPECT_EQ(cliStopCommand(windows, f),
              "call \"C:\\Program Files\\Bitcoin\\Daemon\\bitcoin-cli.exe\" "
              "-conf=D:\\R\\CONFIGS\\BTC1-CRYPTO-CONFIG.conf  stop");
    EXPECT_EQ(blockCountCommand(windows, f),
              "call \"C:\\Program Files\\Bitcoin\\Daemon\\bitcoin-cli.exe\" "
              "-conf=D:\\R\\CONFIGS\\BTC1-CRYPTO-CONFIG.conf getblockcount > "
              "D:\\R\\BLOCKCOUNTS\\BTC1-LATEST-BLOCKCOUNT.LOG");

    f.cliOption = "-daemon=0";
    f.qtName = "";
    f.dataFolder = "D:\\my chain";  // a blank: quoted, or it would split the value
    EXPECT_EQ(cliStopCommand(windows, f),
              "call \"C:\\Program Files\\Bitcoin\\Daemon\\bitcoin-cli.exe\" "
              "-conf=D:\\R\\CONFIGS\\BTC1-CRYPTO-CONFIG.conf -daemon=0 stop");
    EXPECT_EQ(qtRunCommand(windows, f),
              "call \"C:\\Program Files\\Bitcoin\\\" -conf=D:\\R\\CONFIGS\\BTC1-CRYPTO-CONFIG.conf "
              "-datadir=\"D:\\my chain\" -disablewallet=0");
}

// The coin's own data folder under a profile with a blank in the user's
// name, a home folder with a blank and a "%": each value is quoted exactly
// when it needs it, a trailing backslash kept from escaping the closing
// quote, and "%" doubled so cmd.exe hands it on. Values without any of that
// stay as they were (the lines above).
TEST(NodeCommandLines, WindowsValuesThatNeedQuotesGetThemAndPercentSignsSurviveCmd) {
    const PlatformProfile windows = PlatformProfile::windows();
    NodeCommandFields f = windowsFields();
    f.confFile = "C:\\My Home 100%\\CONFIGS\\BTC1-CRYPTO-CONFIG.conf";
    f.dataFolder = "C:\\Users\\Ann Lee\\AppData\\Roaming\\Bitcoin\\";
    f.blockCountFile = "C:\\My Home 100%\\BLOCKCOUNTS\\BTC1-LATEST-BLOCKCOUNT.LOG";
    EXPECT_EQ(daemonRunCommand(windows, f),
              "call \"C:\\Program Files\\Bitcoin\\Daemon\\bitcoind.exe\" "
              "-conf=\"C:\\My Home 100%%\\CONFIGS\\BTC1-CRYPTO-CONFIG.conf\" "
              "-datadir=\"C:\\Users\\Ann Lee\\AppData\\Roaming\\Bitcoin\\\\\" ");
    EXPECT_EQ(blockCountCommand(windows, f),
              "call \"C:\\Program Files\\Bitcoin\\Daemon\\bitcoin-cli.exe\" "
              "-conf=\"C:\\My Home 100%%\\CONFIGS\\BTC1-CRYPTO-CONFIG.conf\" getblockcount > "
              "\"C:\\My Home 100%%\\BLOCKCOUNTS\\BTC1-LATEST-BLOCKCOUNT.LOG\"");
    f.confFile = "D:\\R&D\\x.conf";
    f.daemonCliFolder = "D:\\100%";
    EXPECT_EQ(cliStopCommand(windows, f), "call \"D:\\100%%\\bitcoin-cli.exe\" -conf=\"D:\\R&D\\x.conf\"  stop");
}

TEST(NodeCommandLines, PosixLinesEscapeEveryInsertedValueButNeverTheOptions) {
    const PlatformProfile posix = PlatformProfile::posix("/home/sat");
    NodeCommandFields f;
    f.qtFolder = "/usr/bin";
    f.qtName = "bitcoin-qt";
    f.daemonCliFolder = "/opt/my coin";
    f.daemonName = "bitcoind";
    f.cliName = "bitcoin-cli";
    f.confFile = "/home/sat/R/CONFIGS/BTC1-CRYPTO-CONFIG.conf";
    f.dataFolder = "/data/it's $HOME";
    f.daemonOption = "-disablewallet=1";
    f.blockCountFile = "/home/sat/R/BLOCKCOUNTS/BTC1-LATEST-BLOCKCOUNT.LOG";

    EXPECT_EQ(qtRunCommand(posix, f),
              "exec '/usr/bin/bitcoin-qt' -conf='/home/sat/R/CONFIGS/BTC1-CRYPTO-CONFIG.conf' "
              "-datadir='/data/it'\\''s $HOME' ");
    EXPECT_EQ(daemonRunCommand(posix, f),
              "exec '/opt/my coin/bitcoind' -conf='/home/sat/R/CONFIGS/BTC1-CRYPTO-CONFIG.conf' "
              "-datadir='/data/it'\\''s $HOME' -disablewallet=1");
    // The client finds the node's login cookie through the data folder.
    EXPECT_EQ(cliStopCommand(posix, f),
              "exec '/opt/my coin/bitcoin-cli' -conf='/home/sat/R/CONFIGS/BTC1-CRYPTO-CONFIG.conf' "
              "-datadir='/data/it'\\''s $HOME'  stop");
    EXPECT_EQ(blockCountCommand(posix, f),
              "exec '/opt/my coin/bitcoin-cli' -conf='/home/sat/R/CONFIGS/BTC1-CRYPTO-CONFIG.conf' "
              "-datadir='/data/it'\\''s $HOME' getblockcount > '/home/sat/R/BLOCKCOUNTS/BTC1-LATEST-BLOCKCOUNT.LOG'");
    f.clientErrorFile = "/home/sat/R/LOGS/BTC1-BLOCKCOUNTER-CLIENT.LOG";
    f.dataFolder = "";
    EXPECT_EQ(blockCountCommand(posix, f),
              "exec '/opt/my coin/bitcoin-cli' -conf='/home/sat/R/CONFIGS/BTC1-CRYPTO-CONFIG.conf' getblockcount > "
              "'/home/sat/R/BLOCKCOUNTS/BTC1-LATEST-BLOCKCOUNT.LOG' 2> '/home/sat/R/LOGS/BTC1-BLOCKCOUNTER-CLIENT.LOG'");
}

TEST(CommandFileWriter, WritesExactlyOneLineWithTheProfilesLineEnd) {
    FakeFileSystem files;
    const PlatformProfile windows = PlatformProfile::windows();
    ASSERT_TRUE(writeCommandFile(files, windows, "D:\\R", "BTC1", CommandFile::RunQt, qtRunCommand(windows, windowsFields())));
    EXPECT_EQ(files.files.at("D:\\R\\BATS\\BTC1-RUN-QT.bat"),
              "call \"C:\\Program Files\\Bitcoin\\bitcoin-qt.exe\" -conf=D:\\R\\CONFIGS\\BTC1-CRYPTO-CONFIG.conf "
              "-datadir=D:\\chain -disablewallet=0\r\n");
    ASSERT_TRUE(resetBlockCountFile(files, windows, "D:\\R", "BTC1"));
    EXPECT_EQ(files.files.at("D:\\R\\BLOCKCOUNTS\\BTC1-LATEST-BLOCKCOUNT.LOG"), "\r\n");

    const PlatformProfile posix = PlatformProfile::posix("/home/sat");
    ASSERT_TRUE(writeCommandFile(files, posix, "/home/sat/R", "LTC", CommandFile::EndReportEmail, "exec 'x'"));
    EXPECT_EQ(files.files.at("/home/sat/R/BATS/LTC-END-REPORT-EMAIL.sh"), "exec 'x'\n");
    ASSERT_TRUE(resetBlockCountFile(files, posix, "/home/sat/R", "LTC"));
    EXPECT_EQ(files.files.at("/home/sat/R/BLOCKCOUNTS/LTC-LATEST-BLOCKCOUNT.LOG"), "\n");

    // A text with a line break would be a second command: nothing is written.
    const int writes = files.writes;
    EXPECT_FALSE(writeCommandFile(files, posix, "/home/sat/R", "LTC", CommandFile::RunQt, "exec 'a'\nrm -rf ~"));
    EXPECT_FALSE(writeCommandFile(files, windows, "D:\\R", "BTC1", CommandFile::RunQt, "call a\r"));
    EXPECT_EQ(files.writes, writes);
    EXPECT_EQ(files.files.count("/home/sat/R/BATS/LTC-RUN-QT.sh"), 0u);

    files.unwritable.insert("D:\\R\\BATS\\BTC1-RUN-DAEMON.bat");
    EXPECT_FALSE(writeCommandFile(files, windows, "D:\\R", "BTC1", CommandFile::RunDaemon, "call x"));
}

}  // namespace
}  // namespace syncward::testing
