#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/posix/posix_environment.h"
#include "launch_support.h"
#include "platform/posix/posix_file_system.h"
#include "support/temp_dir.h"

namespace syncward::testing {
namespace {

TEST(PosixFileSystem, WritesWholeFilesPrivatelyAndReadsEveryByteBack) {
    TempDir dir;
    PosixFileSystem files;
    const std::string path = dir / "REPORT.LOG";
    ASSERT_TRUE(files.writeText(path, "line 1\r\nline 2\r\n"));
    EXPECT_EQ(files.readText(path, 16).text, "line 1\r\nline 2\r\n");
    ASSERT_TRUE(files.writeText(path, "\n"));  // replaced, not appended
    const TextRead reading = files.readText(path, read_limits::blockCount);
    EXPECT_EQ(reading.text, "\n");
    EXPECT_EQ(reading.failure, ReadFailure::none);
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);  // no temporary left
}

// A write killed between creating its temporary file and the rename leaves
// the temporary behind; the next write of the same file clears it away, and
// nothing that merely looks similar.
TEST(PosixFileSystem, AWriteClearsTheLeftoversOfAnInterruptedWriteOfTheSameFile) {
    TempDir dir;
    TempDir outside;
    PosixFileSystem files;
    const std::string path = dir / "BTC1-END-REPORT.LOG";
    const std::vector<std::string> leftovers = {"BTC1-END-REPORT.LOG.tmp-a8ZQ0x", "BTC1-END-REPORT.LOG.tmp-000000"};
    const std::vector<std::string> lookAlikes = {
        "BTC1-END-REPORT.LOG.tmp-a8ZQ0",    "BTC1-END-REPORT.LOG.tmp-a8ZQ0xy", "BTC1-END-REPORT.LOG.tmp-a8Z.0x",
        "BTC1-END-REPORT.LOG.tmp-a8Z 0x",   "BTC1-END-REPORT.LOG.TMP-a8ZQ0x",  "X-BTC1-END-REPORT.LOG.tmp-a8ZQ0x",
        "BTC1-END.LOG.tmp-a8ZQ0x"};
    for (const std::string& name : leftovers) std::ofstream(dir / name) << "half a rep";
    for (const std::string& name : lookAlikes) std::ofstream(dir / name) << "keep";
    // Only files are leftovers: a link of that name, or a folder, is someone's.
    std::ofstream(outside / "target") << "keep";
    std::filesystem::create_symlink(outside / "target", dir / "BTC1-END-REPORT.LOG.tmp-Linked");
    std::filesystem::create_directory(dir / "BTC1-END-REPORT.LOG.tmp-Folder");

    ASSERT_TRUE(files.writeText(path, "whole report\n"));
    EXPECT_EQ(slurp(path), "whole report\n");
    for (const std::string& name : leftovers) EXPECT_FALSE(std::filesystem::exists(dir / name)) << name;
    for (const std::string& name : lookAlikes) EXPECT_TRUE(std::filesystem::exists(dir / name)) << name;
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "BTC1-END-REPORT.LOG.tmp-Linked"));
    EXPECT_TRUE(std::filesystem::is_directory(dir / "BTC1-END-REPORT.LOG.tmp-Folder"));
    EXPECT_EQ(slurp(outside / "target"), "keep");

    // A file named without a folder lives in the working folder.
    const std::string previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    std::ofstream(dir / "PLAIN.LOG.tmp-Ab12Cd") << "half";
    EXPECT_TRUE(files.writeText("PLAIN.LOG", "x"));
    std::filesystem::current_path(previous);
    EXPECT_FALSE(std::filesystem::exists(dir / "PLAIN.LOG.tmp-Ab12Cd"));
}

TEST(PosixFileSystem, MissingPlacesAreReportedNotFatal) {
    TempDir dir;
    PosixFileSystem files;
    EXPECT_FALSE(files.writeText(dir / "NO-FOLDER/file.bat", "x"));
    EXPECT_FALSE(files.createFolder(dir / "a/b"));  // the parent must exist
    EXPECT_TRUE(files.createFolder(dir / "a"));
    EXPECT_TRUE(files.createFolder(dir / "a"));  // already there is fine
    EXPECT_TRUE(files.folderExists(dir / "a"));
}

// Whatever a path names, a read ends at once and tells why it has no text.
TEST(PosixFileSystem, AReadRefusesWhatIsNoSmallRegularFileAndSaysWhy) {
    TempDir dir;
    PosixFileSystem files;
    const auto failureOf = [&](const std::string& path, std::size_t limit = read_limits::blockCount) {
        const TextRead reading = files.readText(path, limit);
        EXPECT_EQ(reading.text.has_value(), reading.failure == ReadFailure::none) << path;
        return reading.failure;
    };
    EXPECT_EQ(failureOf(dir / "missing.log"), ReadFailure::missing);
    EXPECT_EQ(failureOf(""), ReadFailure::missing);
    writeFile(dir / "count", "871234\n");
    EXPECT_EQ(failureOf(dir / "count/below"), ReadFailure::missing);

    // A folder, endless devices, and a pipe nobody writes to (which would
    // block the open itself), also behind a link.
    ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0600), 0);
    std::filesystem::create_symlink("/dev/zero", dir / "linked-zero");
    for (const std::string& special : {dir.path(), std::string("/dev/zero"), std::string("/dev/urandom"), dir / "pipe",
                                       dir / "linked-zero", std::string("/dev/null")})
        EXPECT_EQ(failureOf(special), ReadFailure::notRegularFile) << special;

    // The limit counts bytes read, not the size the file claims: /proc
    // files claim none.
    writeFile(dir / "eight", "12345678");
    EXPECT_EQ(files.readText(dir / "eight", 8).text, "12345678");
    EXPECT_EQ(failureOf(dir / "eight", 7), ReadFailure::tooLarge);
    EXPECT_EQ(failureOf("/proc/self/status", 16), ReadFailure::tooLarge);
    EXPECT_NE(files.readText("/proc/self/status", read_limits::shownInWindow).text.value_or(""), "");
    writeFile(dir / "empty", "");
    EXPECT_EQ(files.readText(dir / "empty", 0).text, "");

    // A regular file whose reading fails: the memory of a process at
    // address 0 gives an I/O error.
    EXPECT_EQ(failureOf("/proc/self/mem"), ReadFailure::unreadable);
    if (::geteuid() != 0) {
        ::chmod((dir / "count").c_str(), 0);
        EXPECT_EQ(failureOf(dir / "count"), ReadFailure::unreadable);
    }
}

// The run history grows a line at a time: a new file is private, a line
// cut short by a crash gets its line end first, and nothing but a regular
// file is ever appended to.
TEST(PosixFileSystem, AppendsWholeLinesToAPrivateFileAndNeverToAnythingElse) {
    TempDir dir;
    PosixFileSystem files;
    const std::string path = dir / "LTC1-RUN-HISTORY.csv";
    ASSERT_TRUE(files.appendLine(path, "header\n"));
    ASSERT_TRUE(files.appendLine(path, "row 1\n"));
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    std::ofstream(path, std::ios::app) << "row 2 cut";
    ASSERT_TRUE(files.appendLine(path, "row 3\n"));
    EXPECT_EQ(files.readText(path, 100).text, "header\nrow 1\nrow 2 cut\nrow 3\n");
    EXPECT_FALSE(files.appendLine(dir.path(), "x\n"));
    const std::string fifo = dir / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_FALSE(files.appendLine(fifo, "x\n"));
    EXPECT_FALSE(files.appendLine(dir / "missing/file.csv", "x\n"));

    const auto free = files.freeBytes(dir.path());
    ASSERT_TRUE(free.has_value());
    EXPECT_GT(*free, 0u);
    EXPECT_EQ(files.freeBytes(dir / "missing"), std::nullopt);
    EXPECT_EQ(files.freeBytes(""), std::nullopt);
}

TEST(PosixEnvironment, TheExecutableNameIsTheBaseNameOfArgvZero) {
    PosixEnvironment copy("/opt/syncward/LTC-NODE");
    EXPECT_EQ(copy.executableName(), "LTC-NODE");
    EXPECT_EQ(copy.executableFolder(), "/opt/syncward");
    EXPECT_EQ(PosixEnvironment("./BTC1").executableName(), "BTC1");
    EXPECT_FALSE(copy.computerName().empty());
    const NumberSeparators separators = copy.numberSeparators();
    EXPECT_FALSE(separators.group.empty());
    EXPECT_FALSE(separators.decimal.empty());
    EXPECT_NE(separators.group, separators.decimal);
}

}  // namespace
}  // namespace syncward::testing
