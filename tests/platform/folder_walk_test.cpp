#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/posix/folder_walk.h"
#include "support/temp_dir.h"

namespace syncward::testing {
namespace {

namespace fs = std::filesystem;

void writeBytes(const std::string& path, std::size_t count) { std::ofstream(path) << std::string(count, 'x'); }

TEST(FolderWalk, SumsRegularFilesAtEveryDepthWithoutFollowingLinks) {
    TempDir dir;
    TempDir outside;
    EXPECT_EQ(sumRegularFileSizes(dir.path()), 0u);
    fs::create_directories(dir / "blocks/index/deeper/still");
    writeBytes(dir / "blocks/blk00000.dat", 1000);
    writeBytes(dir / "blocks/index/000001.ldb", 24);
    writeBytes(dir / "blocks/index/deeper/still/x", 7);
    writeBytes(dir / ".hidden", 3);
    writeBytes(outside / "big", 5000);
    fs::create_symlink(outside.path(), dir / "linked-folder");
    fs::create_symlink(outside / "big", dir / "linked-file");
    ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0600), 0);
    EXPECT_EQ(sumRegularFileSizes(dir.path()), 1034u);
    // The folder asked for may itself be a link, or end in a slash.
    fs::create_symlink(dir.path(), outside / "chain");
    EXPECT_EQ(sumRegularFileSizes(outside / "chain"), 1034u);
    EXPECT_EQ(sumRegularFileSizes(dir.path() + "/"), 1034u);
}

TEST(FolderWalk, WhatIsNoReadableFolderHasNoSize) {
    TempDir dir;
    writeBytes(dir / "file", 10);
    EXPECT_FALSE(sumRegularFileSizes(dir / "nothing").has_value());
    EXPECT_FALSE(sumRegularFileSizes(dir / "file").has_value());
    EXPECT_FALSE(sumRegularFileSizes("").has_value());
    if (::geteuid() != 0) {
        fs::create_directories(dir / "blocks");
        fs::permissions(dir / "blocks", fs::perms::none);
        EXPECT_FALSE(sumRegularFileSizes(dir.path()).has_value());
        fs::permissions(dir / "blocks", fs::perms::owner_all);
    }
}

TEST(FolderWalk, AStoppedWalkGivesNoSize) {
    TempDir dir;
    writeBytes(dir / "file", 10);
    const std::atomic<bool> stop{true};
    EXPECT_FALSE(sumRegularFileSizes(dir.path(), &stop).has_value());
}

}  // namespace
}  // namespace syncward::testing
