#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/own_process_check.h"
#include "platform/posix/folder_walk.h"
#include "support/temp_dir.h"

namespace syncward::testing {
namespace {

namespace fs = std::filesystem;

void writeBytes(const std::string& path, std::size_t count) { std::ofstream(path) << std::string(count, 'x'); }

TEST(FolderWalk, SumsRegularFilesAtEveryDepthAndFollowsALinkToAFolder) {
    TempDir dir;
    TempDir outside;
    EXPECT_EQ(sumRegularFileSizes(dir.path()), 0u);
    fs::create_directories(dir / "blocks/index/deeper/still");
    writeBytes(dir / "blocks/blk00000.dat", 1000);
    writeBytes(dir / "blocks/index/000001.ldb", 24);
    writeBytes(dir / "blocks/index/deeper/still/x", 7);
    writeBytes(dir / ".hidden", 3);
    writeBytes(outside / "big", 5000);
    fs::create_symlink(outside.path(), dir / "linked-folder");  // on another disk, say
    fs::create_symlink(outside / "big", dir / "linked-file");
    fs::create_symlink(dir / "gone", dir / "dangling");
    ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0600), 0);
    EXPECT_EQ(sumRegularFileSizes(dir.path()), 6034u);
    // The folder asked for may itself be a link, or end in a slash.
    fs::create_symlink(dir.path(), outside / "chain");
    EXPECT_EQ(sumRegularFileSizes(outside / "chain"), 6034u);
    EXPECT_EQ(sumRegularFileSizes(dir.path() + "/"), 6034u);
}

// The usual way to give the block files a larger disk: "blocks" is a link.
// However many links lead to a folder, and round whatever loop, each
// folder counts once.
TEST(FolderWalk, ABlocksFolderOnAnotherDiskCountsOnceAndLoopsEndNothing) {
    TempDir chain;
    TempDir disk;
    fs::create_directories(disk / "blocks/index");
    writeBytes(disk / "blocks/blk00000.dat", 20000);
    writeBytes(disk / "blocks/index/000001.ldb", 100);
    writeBytes(chain / "peers.dat", 13);
    fs::create_symlink(disk / "blocks", chain / "blocks");
    fs::create_symlink(disk / "blocks", chain / "blocks-again");
    fs::create_symlink(chain.path(), disk / "blocks/index/up");
    fs::create_symlink(disk / "blocks", disk / "blocks/index/self");
    const FolderWalk size = measureFolder(chain.path());
    EXPECT_EQ(size.bytes, 20113u);
    EXPECT_TRUE(size.unread.empty());
}

// A folder the walk cannot enter, as the root-only lost+found at the top of
// a disk of its own is to its user: left out and named, the rest counted.
TEST(FolderWalk, ASubFolderThatCannotBeReadIsNamedAndTheRestCounted) {
    TempDir dir;
    fs::create_directories(dir / "lost+found");
    fs::create_directories(dir / "blocks");
    writeBytes(dir / "blocks/blk00000.dat", 500);
    writeBytes(dir / "lost+found/x", 7);
    fs::permissions(dir / "lost+found", fs::perms::owner_all);
    fs::permissions(dir.path(), fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec);
    fs::permissions(dir / "blocks", fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec);
    if (::geteuid() != 0) {
        fs::permissions(dir / "lost+found", fs::perms::none);
        const FolderWalk size = measureFolder(dir.path());
        fs::permissions(dir / "lost+found", fs::perms::owner_all);
        EXPECT_EQ(size.bytes, 500u);
        EXPECT_EQ(size.unread, std::vector<std::string>{dir / "lost+found"});
        return;
    }
    // Root reads everything: the walk runs as another user, in a child.
    const std::string text = inOwnProcess([&]() -> std::string {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0) return "could not become nobody";
        const FolderWalk size = measureFolder(dir.path());
        std::string seen = std::to_string(size.bytes.value_or(0)) + "\n";
        for (const std::string& folder : size.unread) seen += folder + "\n";
        return seen;
    });
    EXPECT_EQ(text, "500\n" + (dir / "lost+found") + "\n");
}

TEST(FolderWalk, WhatIsNoReadableFolderHasNoSize) {
    TempDir dir;
    writeBytes(dir / "file", 10);
    EXPECT_FALSE(sumRegularFileSizes(dir / "nothing").has_value());
    EXPECT_FALSE(sumRegularFileSizes(dir / "file").has_value());
    EXPECT_FALSE(sumRegularFileSizes("").has_value());
}

TEST(FolderWalk, AStoppedWalkGivesNoSize) {
    TempDir dir;
    writeBytes(dir / "file", 10);
    const std::atomic<bool> stop{true};
    EXPECT_FALSE(sumRegularFileSizes(dir.path(), &stop).has_value());
}

}  // namespace
}  // namespace syncward::testing
