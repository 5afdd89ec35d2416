#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <string>

#include "platform/win32/folder_walk.h"
#include "platform/win32/win32_setup_probe.h"
#include "support/temp_dir.h"
#include "win32/win32_test_support.h"

namespace syncward::testing {
namespace {

// A junction (a folder's link, made without any privilege) through the
// command interpreter's own "mklink /J"; false where it cannot be made.
bool makeJunction(const std::string& link, const std::string& target) {
    wchar_t folder[MAX_PATH];
    const UINT length = ::GetSystemDirectoryW(folder, MAX_PATH);
    const std::string cmd = narrow(std::wstring_view(folder, length)) + "\\cmd.exe";
    const ProgramOutput made = Win32SetupProbe().runToEnd({cmd, "/c", "mklink /J \"" + link + "\" \"" + target + "\""}, 20000);
    const DWORD attributes = ::GetFileAttributesW(widen(link).c_str());
    return made.status == 0 && attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

// Links are taken out by hand before the folders go: removing a folder
// tree must not reach through them.
void removeLink(const std::string& link) {
    if (!::RemoveDirectoryW(widen(link).c_str())) ::DeleteFileW(widen(link).c_str());
}

TEST(Win32FolderWalk, SumsEveryFileBelowTheFolder) {
    TempDir dir;
    const std::string chain = dir / "chain";
    std::filesystem::create_directories(widen(chain + "\\blocks\\index"));
    EXPECT_EQ(sumRegularFileSizes(chain + "\\blocks\\index"), 0u);
    writeFile(chain + "\\peers.dat", std::string(1000, 'p'));
    writeFile(chain + "\\blocks\\blk00000.dat", std::string(70000, 'b'));
    writeFile(chain + "\\blocks\\index\\000003.ldb", std::string(3, 'i'));
    EXPECT_EQ(sumRegularFileSizes(chain), 71003u);
    EXPECT_EQ(sumRegularFileSizes(chain + "\\"), 71003u);
    EXPECT_EQ(sumRegularFileSizes(dir.path() + "/chain/"), 71003u);
    EXPECT_EQ(sumRegularFileSizes(dir / "missing"), std::nullopt);
    EXPECT_EQ(sumRegularFileSizes(chain + "\\peers.dat"), std::nullopt);
    EXPECT_EQ(sumRegularFileSizes(""), std::nullopt);
}

TEST(Win32FolderWalk, AStoppedWalkGivesNoSize) {
    TempDir dir;
    writeFile(dir / "file", "0123456789");
    const std::atomic<bool> stop{true};
    EXPECT_EQ(sumRegularFileSizes(dir.path(), &stop), std::nullopt);
    const std::atomic<bool> go{false};
    EXPECT_EQ(sumRegularFileSizes(dir.path(), &go), 10u);
}

TEST(Win32FolderWalk, JunctionsAndSymbolicLinksAreNeitherFollowedNorCounted) {
    TempDir dir;
    TempDir outside;
    const std::string chain = dir / "chain";
    std::filesystem::create_directories(widen(chain + "\\blocks"));
    writeFile(chain + "\\blocks\\blk00000.dat", std::string(100, 'b'));
    writeFile(outside / "big", std::string(5000, 'x'));
    bool anyLink = false;
    // One back up the tree too: followed, the walk would never end.
    anyLink |= makeJunction(chain + "\\elsewhere", outside.path());
    anyLink |= makeJunction(chain + "\\blocks\\up", chain);
    const std::wstring fileLink = widen(chain + "\\linked-file");
    if (::CreateSymbolicLinkW(fileLink.c_str(), widen(outside / "big").c_str(),
                              SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE))
        anyLink = true;
    if (!anyLink) GTEST_SKIP() << "no link can be made here";
    EXPECT_EQ(sumRegularFileSizes(chain), 100u);
    removeLink(chain + "\\elsewhere");
    removeLink(chain + "\\blocks\\up");
    removeLink(chain + "\\linked-file");
    EXPECT_EQ(std::filesystem::file_size(widen(outside / "big")), 5000u);
}

}  // namespace
}  // namespace syncward::testing
