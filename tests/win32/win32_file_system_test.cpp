#include <windows.h>
#include <aclapi.h>
#include <sddl.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "platform/win32/wide_text.h"
#include "platform/win32/win32_file_system.h"
#include "support/temp_dir.h"
#include "win32/win32_test_support.h"

namespace syncward::testing {
namespace {

std::set<std::string> namesIn(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(widen(folder)))
        names.insert(narrow(entry.path().filename().wstring()));
    return names;
}

TEST(Win32FileSystem, WritesReplaceTheFileWholeAndReadsGiveEveryByteBack) {
    TempDir dir;
    Win32FileSystem files;
    const std::string path = dir / "LTC1-END-REPORT.LOG";
    const std::string text = std::string("line one\r\nGrüße\r\n\0after a zero\r\n", 31) + std::string(200000, 'x');
    ASSERT_TRUE(files.writeText(path, text));
    EXPECT_EQ(files.readText(path, text.size()).text, text);
    ASSERT_TRUE(files.writeText(path, "short\r\n"));
    EXPECT_EQ(files.readText(path, 100).text, "short\r\n");
    ASSERT_TRUE(files.writeText(path, ""));
    EXPECT_EQ(files.readText(path, 100).text, "");
    EXPECT_EQ(namesIn(dir.path()), std::set<std::string>{"LTC1-END-REPORT.LOG"});
}

// cmd.exe reads a batch file in the console's code page: a folder named
// with accents must reach it in that code page, and read back as it was.
// A name the code page cannot hold is refused, never written as a
// look-alike that names another folder.
TEST(Win32FileSystem, CommandFilesAreWrittenInTheCodePageCmdReadsThemIn) {
    TempDir dir;
    Win32FileSystem files;
    const std::string path = dir / "LTC1-RUN-DAEMON.bat";
    const std::string line = "call \"C:\\Caf\xc3\xa9\\litecoind.exe\" -conf=C:\\Caf\xc3\xa9\\ltc.conf \r\n";
    ASSERT_TRUE(files.writeCommandText(path, line));
    const std::string raw = *files.readText(path, 1000).text;
    // "é" is 0x82 in the OEM code pages of Western and Central Europe.
    EXPECT_EQ(raw, "call \"C:\\Caf\x82\\litecoind.exe\" -conf=C:\\Caf\x82\\ltc.conf \r\n")
        << "the OEM code page here is " << ::GetOEMCP();
    EXPECT_EQ(files.readCommandText(path, 1000).text, line);

    EXPECT_FALSE(files.writeCommandText(path, "call \"C:\\\xe6\xbc\xa2\\coind.exe\"\r\n"));
    EXPECT_EQ(files.readCommandText(path, 1000).text, line) << "the file it had stays";
}

TEST(Win32FileSystem, AppendsWholeLinesAfterALineCutShortAndTellsTheFreeSpace) {
    TempDir dir;
    Win32FileSystem files;
    const std::string path = dir / "LTC1-RUN-HISTORY.csv";
    ASSERT_TRUE(files.appendLine(path, "header\r\n"));
    ASSERT_TRUE(files.appendLine(path, "row 1\r\n"));
    ASSERT_TRUE(files.writeText(path, *files.readText(path, 100).text + "row 2 cut"));
    ASSERT_TRUE(files.appendLine(path, "row 3\r\n"));
    EXPECT_EQ(files.readText(path, 100).text, "header\r\nrow 1\r\nrow 2 cut\r\nrow 3\r\n");
    EXPECT_FALSE(files.appendLine(dir.path(), "x\r\n"));
    EXPECT_FALSE(files.appendLine(dir / "missing\\file.csv", "x\r\n"));
    const auto free = files.freeBytes(dir.path());
    ASSERT_TRUE(free.has_value());
    EXPECT_GT(*free, 0u);
    EXPECT_EQ(files.freeBytes(""), std::nullopt);
}

TEST(Win32FileSystem, AWriteRemovesTheTemporariesAnEarlierWriteOfTheSameFileLeft) {
    TempDir dir;
    Win32FileSystem files;
    writeFile(dir / "R.LOG.tmp-a1B2c3", "cut short");
    writeFile(dir / "R.LOG.tmp-keep", "not one of ours");
    writeFile(dir / "OTHER.LOG.tmp-a1B2c3", "another file's");
    ASSERT_TRUE(files.writeText(dir / "R.LOG", "whole"));
    EXPECT_EQ(namesIn(dir.path()), (std::set<std::string>{"R.LOG", "R.LOG.tmp-keep", "OTHER.LOG.tmp-a1B2c3"}));
}

TEST(Win32FileSystem, AReadSaysWhyThereIsNoText) {
    TempDir dir;
    Win32FileSystem files;
    ASSERT_TRUE(files.writeText(dir / "count.LOG", "871234\r\n"));
    EXPECT_EQ(files.readText(dir / "count.LOG", 8).text, "871234\r\n");
    EXPECT_EQ(files.readText(dir / "count.LOG", 7).failure, ReadFailure::tooLarge);
    EXPECT_EQ(files.readText(dir / "none.LOG", 100).failure, ReadFailure::missing);
    EXPECT_EQ(files.readText(dir / "no-folder\\none.LOG", 100).failure, ReadFailure::missing);
    EXPECT_EQ(files.readText("", 100).failure, ReadFailure::missing);
    EXPECT_EQ(files.readText(dir.path(), 100).failure, ReadFailure::notRegularFile);
    const TextRead device = files.readText("NUL", 100);
    EXPECT_FALSE(device.text.has_value());
    EXPECT_NE(device.failure, ReadFailure::none);
    EXPECT_FALSE(files.writeText(dir / "no-folder\\x.LOG", "text"));
    EXPECT_FALSE(files.writeText(dir.path(), "a folder is no file"));
}

TEST(Win32FileSystem, FoldersAreCreatedOneAtATime) {
    TempDir dir;
    Win32FileSystem files;
    EXPECT_FALSE(files.createFolder(dir / "HOME\\BATS"));
    EXPECT_TRUE(files.createFolder(dir / "HOME"));
    EXPECT_TRUE(files.createFolder(dir / "HOME"));
    EXPECT_TRUE(files.createFolder(dir / "HOME\\BATS"));
    EXPECT_TRUE(files.folderExists(dir / "HOME\\BATS"));
    ASSERT_TRUE(files.writeText(dir / "HOME\\file", "x"));
    EXPECT_FALSE(files.createFolder(dir / "HOME\\file"));
    EXPECT_FALSE(files.folderExists(dir / "HOME\\file"));
    EXPECT_FALSE(files.folderExists(dir / "nowhere"));
    EXPECT_FALSE(files.folderExists(""));
}

// The users the object's access list admits, as SID texts; nullopt when it
// cannot be read.
std::optional<std::set<std::string>> admittedUsers(const std::string& path) {
    PACL acl = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (::GetNamedSecurityInfoW(widen(path).c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, &acl,
                                nullptr, &descriptor) != ERROR_SUCCESS)
        return std::nullopt;
    std::set<std::string> users;
    for (DWORD i = 0; acl && i < acl->AceCount; ++i) {
        ACCESS_ALLOWED_ACE* ace = nullptr;
        if (!::GetAce(acl, i, reinterpret_cast<void**>(&ace)) || ace->Header.AceType != ACCESS_ALLOWED_ACE_TYPE)
            continue;
        wchar_t* text = nullptr;
        if (::ConvertSidToStringSidW(&ace->SidStart, &text)) {
            users.insert(narrow(text));
            ::LocalFree(text);
        }
    }
    ::LocalFree(descriptor);
    return users;
}

std::string ownUserText() {
    HANDLE token = nullptr;
    ::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &token);
    alignas(TOKEN_USER) unsigned char buffer[sizeof(TOKEN_USER) + SECURITY_MAX_SID_SIZE];
    DWORD size = 0;
    ::GetTokenInformation(token, TokenUser, buffer, sizeof buffer, &size);
    ::CloseHandle(token);
    wchar_t* text = nullptr;
    ::ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer)->User.Sid, &text);
    std::string result = narrow(text);
    ::LocalFree(text);
    return result;
}

TEST(Win32FileSystem, WrittenFilesAndCreatedFoldersAreTheUsersAlone) {
    TempDir dir;
    Win32FileSystem files;
    ASSERT_TRUE(files.createFolder(dir / "HOME"));
    ASSERT_TRUE(files.writeText(dir / "HOME\\LTC1-START-EMAIL.bat", "call SendEmail.exe -xp secret\r\n"));
    // Wine keeps only what the file's mode can say (no inheritance flag,
    // administrators as the group), so the list is checked for whom it
    // admits, not for its exact form: the user, and nobody but the system
    // and the administrators besides (not Everyone, not Users).
    const std::set<std::string> allowed = {ownUserText(), "S-1-5-18", "S-1-5-32-544"};
    for (const std::string& path : {dir / "HOME", dir / "HOME\\LTC1-START-EMAIL.bat"}) {
        const auto users = admittedUsers(path);
        ASSERT_TRUE(users.has_value()) << path;
        EXPECT_TRUE(users->count(ownUserText())) << path;
        for (const std::string& user : *users) EXPECT_TRUE(allowed.count(user)) << path << " admits " << user;
    }
}

}  // namespace
}  // namespace syncward::testing
