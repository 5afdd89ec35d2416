#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/posix/posix_environment.h"
#include "platform/posix/posix_file_system.h"
#include "support/temp_dir.h"

namespace syncward::testing {
namespace {

TEST(PosixFileSystem, WritesWholeFilesPrivatelyAndReadsEveryByteBack) {
    TempDir dir;
    PosixFileSystem files;
    const std::string path = dir / "REPORT.LOG";
    ASSERT_TRUE(files.writeText(path, "line 1\r\nline 2\r\n"));
    EXPECT_EQ(files.readText(path), "line 1\r\nline 2\r\n");
    ASSERT_TRUE(files.writeText(path, "\n"));  // replaced, not appended
    EXPECT_EQ(files.readText(path), "\n");
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);  // no temporary left
}

TEST(PosixFileSystem, MissingPlacesAreReportedNotFatal) {
    TempDir dir;
    PosixFileSystem files;
    EXPECT_FALSE(files.readText(dir / "missing.log").has_value());
    EXPECT_FALSE(files.readText("").has_value());
    EXPECT_FALSE(files.writeText(dir / "NO-FOLDER/file.bat", "x"));
    EXPECT_FALSE(files.createFolder(dir / "a/b"));  // the parent must exist
    EXPECT_TRUE(files.createFolder(dir / "a"));
    EXPECT_TRUE(files.createFolder(dir / "a"));  // already there is fine
    EXPECT_TRUE(files.folderExists(dir / "a"));
    EXPECT_FALSE(files.folderSize(dir / "nothing").has_value());
}

TEST(PosixFileSystem, FolderSizeSumsRegularFilesWithoutFollowingLinks) {
    TempDir dir;
    TempDir outside;
    PosixFileSystem files;
    EXPECT_EQ(files.folderSize(dir.path()), 0u);
    std::filesystem::create_directories(dir / "blocks/index");
    std::ofstream(dir / "blocks/blk00000.dat") << std::string(1000, 'x');
    std::ofstream(dir / "blocks/index/000001.ldb") << std::string(24, 'y');
    std::ofstream(outside / "big") << std::string(5000, 'z');
    std::filesystem::create_symlink(outside.path(), dir / "linked-folder");
    std::filesystem::create_symlink(outside / "big", dir / "linked-file");
    EXPECT_EQ(files.folderSize(dir.path()), 1024u);
}

TEST(PosixFileSystem, AFolderThatCannotBeReadInFullHasNoSize) {
    if (::geteuid() == 0) GTEST_SKIP() << "root reads every folder";
    TempDir dir;
    PosixFileSystem files;
    std::filesystem::create_directories(dir / "blocks");
    std::ofstream(dir / "blocks/blk00000.dat") << "x";
    std::filesystem::permissions(dir / "blocks", std::filesystem::perms::none);
    EXPECT_FALSE(files.folderSize(dir.path()).has_value());
    std::filesystem::permissions(dir / "blocks", std::filesystem::perms::owner_all);
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
