// The run history on real files: a symbolic link where the history file
// should be leads nowhere, whatever it points to.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "core/platform/platform_profile.h"
#include "core/reports/run_history.h"
#include "core/reports/run_history_columns.h"
#include "launch_support.h"
#include "platform/posix/posix_file_system.h"
#include "support/temp_dir.h"

namespace syncward::testing {
namespace {

namespace fs = std::filesystem;

RunRecord aRun() {
    RunRecord r;
    r.start = 1'783'823'400;
    r.end = r.start + 60;
    r.nodeProgram = "DAEMON - litecoind";
    r.runOutcome = "!!! COMPLETED SUCCESSFULLY !!!";
    return r;
}

struct LinkedHistory {
    TempDir home;
    TempDir elsewhere;
    PosixFileSystem files;
    PlatformProfile profile = PlatformProfile::posix(home.path());
    std::string first = home / "REPORTS/LTC1-RUN-HISTORY.csv";
    std::string beside = home / "REPORTS/LTC1-RUN-HISTORY-2.csv";

    LinkedHistory() { fs::create_directory(home / "REPORTS"); }
    HistoryAppend append() { return appendToHistory(files, profile, home.path(), "LTC1", aRun()); }
    // The first file as this program keeps it: a regular file beside the
    // link, with the header and this run.
    void expectHistoryBeside(const HistoryAppend& append) {
        EXPECT_TRUE(append.written);
        EXPECT_EQ(append.file.path, beside);
        EXPECT_EQ(append.file.leftAlone, std::vector<std::string>{first});
        EXPECT_EQ(historyStatus(append), "!!! RUN HISTORY " + first +
                                             " IS NOT A HISTORY FILE OR CANNOT BE READ - LEFT ALONE - "
                                             "HISTORY GOES ON IN " + beside + " !!!");
        EXPECT_TRUE(fs::is_symlink(first));
        EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(beside)));
        EXPECT_EQ(slurp(beside), historyHeader() + "\n" + historyRow(aRun(), "\n"));
    }
};

// An empty file reads as a history whose header never reached the disk,
// so a followed link would have the run write into it.
TEST(RunHistoryLinks, ALinkToAnotherFileLeavesThatFileAsItWas) {
    LinkedHistory h;
    const std::string notes = h.elsewhere / "notes.txt";
    writeFile(notes, "");
    fs::create_symlink(notes, h.first);
    h.expectHistoryBeside(h.append());
    EXPECT_EQ(slurp(notes), "");
}

TEST(RunHistoryLinks, ALinkToNothingCreatesNothingWhereItPoints) {
    LinkedHistory h;
    const std::string target = h.elsewhere / "made-by-the-run.csv";
    fs::create_symlink(target, h.first);
    h.expectHistoryBeside(h.append());
    EXPECT_FALSE(fs::exists(fs::symlink_status(target)));
    // The next run finds its history beside the link and goes on there.
    const HistoryAppend next = h.append();
    EXPECT_EQ(next.file.path, h.beside);
    EXPECT_EQ(next.file.read.rows.size(), 2u);
    EXPECT_FALSE(fs::exists(fs::symlink_status(target)));
}

// Another copy's history has the right header, so it would pass as ours
// if the link were followed: its rows would get this copy's runs.
TEST(RunHistoryLinks, ALinkToAnotherCopysHistoryAddsNoRowToIt) {
    LinkedHistory h;
    const std::string other = h.home / "REPORTS/BTC1-RUN-HISTORY.csv";
    const std::string otherText = historyHeader() + "\n" + historyRow(aRun(), "\n");
    writeFile(other, otherText, 0600);
    fs::create_symlink("BTC1-RUN-HISTORY.csv", h.first);
    h.expectHistoryBeside(h.append());
    EXPECT_EQ(slurp(other), otherText);
}

// What the history relies on, on the file layer itself: a link is read as
// no regular file and never appended through, while a plain read (a .conf
// the user linked, say) still follows it.
TEST(RunHistoryLinks, TheFileLayerNeverReadsOrAppendsThroughALinkWhenAskedNotTo) {
    TempDir dir;
    PosixFileSystem files;
    writeFile(dir / "target", "kept\n");
    fs::create_symlink(dir / "target", dir / "link");
    fs::create_symlink(dir / "missing", dir / "dangling");
    fs::create_symlink(dir.path(), dir / "folder-link");
    EXPECT_EQ(files.readText(dir / "link", 100).text, "kept\n");
    EXPECT_EQ(files.readTextNoFollow(dir / "target", 100).text, "kept\n");
    for (const std::string& link : {dir / "link", dir / "dangling", dir / "folder-link"}) {
        const TextRead read = files.readTextNoFollow(link, 100);
        EXPECT_EQ(read.failure, ReadFailure::notRegularFile) << link;
        EXPECT_FALSE(read.text) << link;
        EXPECT_FALSE(files.appendLine(link, "row\n")) << link;
    }
    EXPECT_EQ(files.readTextNoFollow(dir / "none", 100).failure, ReadFailure::missing);
    EXPECT_EQ(slurp(dir / "target"), "kept\n");
    EXPECT_FALSE(fs::exists(fs::symlink_status(dir / "missing")));
}

}  // namespace
}  // namespace syncward::testing
