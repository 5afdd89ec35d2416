#include <gtest/gtest.h>

#include "core/reports/end_report.h"
#include "support/app_harness.h"

namespace syncward::testing {
namespace {

// One complete run's facts and record, as the steps leave them.
void fillRunRecord(MainWindow& w, const std::string& nl) {
    w.PC_NAME_TEXTBOX.setText("PC Name = NODEBOX");
    w.CRYPTO_NAME_TEXTBOX.setText("Bitcoin");
    w.facts.date = "07/12/2026";
    w.facts.startTime = "20:15:00";
    w.facts.folderBefore.shown = "1,024 B  " + nl + "1.024 KB";
    w.facts.startBlock = {"871000" + nl};
    w.facts.endBlock = {"871234" + nl};
    w.facts.folderAfter.shown = "2,048 B  " + nl + "2.048 KB";
    w.facts.endTime = "20:45:10";
    w.facts.totalRuntime = "00:30:08";
    w.MULTILOADER_LAST_RUN_TEXTBOX.setText("!!! COMPLETED SUCCESSFULLY !!!");
    w.BLOCKCOUNTER_LAST_RUN_TEXTBOX.setText("!!! COMPLETED SUCCESSFULLY !!!");
    w.SYNCWARD_HOME_TEXTBOX.setText(nl == "\r\n" ? "D:\\R" : "/home/satoshi/R");
    w.BLOCKCHAIN_HOME_TEXTBOX.setText(nl == "\r\n" ? "D:\\chain" : "/srv/chain");
    w.RUN_QT_OR_D_TEXTBOX.setText("DAEMON");
    w.QT_NAME_TEXTBOX.setText("bitcoin-qt.exe");
    w.DAEMON_NAME_TEXTBOX.setText("bitcoind.exe");
    w.CLI_NAME_TEXTBOX.setText("bitcoin-cli.exe");
    w.AUTOCLOSE_OR_POWER_AUTOTIMER_TEXTBOX.setText("AUTOCLOSE");
    w.AUTOTIMER_ACTION_TEXTBOX.setText("");
}

// The report as a person would assemble it line by line.
std::string handMadeReport(const std::string& nl, const std::string& home, const std::string& chain,
                           const std::string& configFile, const std::string& fileName) {
    const std::string eq(61, '=');
    const std::vector<std::string> lines = {
        "!!! - QUORVEL - SYNCWARD - !!!", eq, "", "PC Name = NODEBOX", "", "Crypto Name = Bitcoin", "",
        "Today = 07/12/2026", "", "START Run Time:", "20:15:00", "", "Blockchain START Folder Size:",
        "1,024 B  " + nl + "1.024 KB", "", "Last Know Block Number BEFORE Update:", "871000" + nl,
        "Last Know Block Number AFTER Update:", "871234" + nl, "Number Of Blocks Downloaded:", "234", "",
        "Blockchain END Folder Size:", "2,048 B  " + nl + "2.048 KB", "", "END Run Time:", "20:45:10", "",
        "MINIMUM RUN TIME:", "00:30:08", "", eq, "", "MULTILOADER LAST RUN: !!! COMPLETED SUCCESSFULLY !!!",
        "BLOCKCOUNTER LAST RUN: !!! COMPLETED SUCCESSFULLY !!!", "", "SYNCWARD Filename: ", fileName, "",
        "SYNCWARD Home: ", home, "", "BLOCKCHAIN FOLDER: ", chain, "", "CRYPTO-CONFIG File: ", configFile, "",
        "BLOCKCHAIN UPDATED USING: DAEMON --- bitcoind.exe --- ",
        "DAEMON Shutdown Using --- bitcoin-cli.exe ---", "", "FINAL ACTION:", "AUTOCLOSE", "", "", eq,
        "!!! - Thanks for using Quorvel Software - !!!", "quorvel.example - SYNCWARD by QUORVEL", eq};
    std::string text;
    for (const std::string& line : lines) text += line + nl;
    return text;
}

TEST(EndReport, TheWindowsReportMatchesTheHandMadeOneCharacterForCharacter) {
    AppHarness h;
    h.start();
    fillRunRecord(h.main(), "\r\n");
    ASSERT_TRUE(createAndWriteEndReport(h.app->context()));
    const std::string expected = handMadeReport("\r\n", "D:\\R", "D:\\chain", "D:\\R\\CONFIGS\\BTC1-CRYPTO-CONFIG.conf",
                                                "BTC1.exe");
    EXPECT_EQ(h.main().LOG_FILE_OUTPUT_TEXTBOX.text(), expected);
    EXPECT_EQ(h.fake.files.files["D:\\R\\REPORTS\\BTC1-END-REPORT.LOG"], expected + "\r\n");
}

TEST(EndReport, ThePosixReportIsTheSameWithLineFeeds) {
    AppHarness h(PlatformProfile::posix("/home/satoshi"));
    h.start();
    fillRunRecord(h.main(), "\n");
    ASSERT_TRUE(createAndWriteEndReport(h.app->context()));
    const std::string expected =
        handMadeReport("\n", "/home/satoshi/R", "/srv/chain", "/home/satoshi/R/CONFIGS/BTC1-CRYPTO-CONFIG.conf", "BTC1");
    EXPECT_EQ(h.fake.files.files["/home/satoshi/R/REPORTS/BTC1-END-REPORT.LOG"], expected + "\n");
}

TEST(EndReport, DownloadedBlocksComeFromTheLeadingNumbers) {
    EXPECT_EQ(downloadedBlocks("871234\r\n", "871000\r\n"), "234");
    // Without a count at one end, the chain's height is not what the run downloaded.
    EXPECT_EQ(downloadedBlocks("871234\r\n", ""), "UNKNOWN - NO START BLOCK COUNT");
    EXPECT_EQ(downloadedBlocks("871234\r\n", "\r\n"), "UNKNOWN - NO START BLOCK COUNT");
    EXPECT_EQ(downloadedBlocks("error: could not connect", "5"), "UNKNOWN - NO END BLOCK COUNT");
    EXPECT_EQ(downloadedBlocks("  42abc", "0"), "42");
    EXPECT_EQ(downloadedBlocks("99999999999999999999999", "0"), "999999999999999999");
}

TEST(EndReport, AReportThatCannotBeWrittenStaysInTheWindowAndTheRunEndSaysSo) {
    AppHarness h;
    h.store("SYNCWARD_HOME_TEXTBOX", "D:\\R");
    h.store("ALWAYS_ON_TOP_TICKBOX", "0");
    h.fake.files.unwritable.insert("D:\\R\\REPORTS\\BTC1-END-REPORT.LOG");
    h.start();
    MainWindow& w = h.main();
    w.MULTILOADER_START_STOP_BUTTON.click();
    h.fake.loop.advance(15000);  // step 16 runs at 15 s
    EXPECT_EQ(w.CURRENT_STATUS_LABEL.caption(), main_texts::reportNotWritten);
    EXPECT_NE(w.LOG_FILE_OUTPUT_TEXTBOX.text().find("Number Of Blocks Downloaded:"), std::string::npos);
    h.fake.loop.advance(3000);
    EXPECT_EQ(w.CURRENT_STATUS_LABEL.caption(), main_texts::outcomeNotWritten);
}

}  // namespace
}  // namespace syncward::testing
