#include <winsock2.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "platform/win32/win32_setup_probe.h"
#include "support/temp_dir.h"
#include "win32/win32_test_support.h"

namespace syncward::testing {
namespace {

std::string systemProgram(const std::string& name) {
    wchar_t folder[MAX_PATH];
    const UINT length = ::GetSystemDirectoryW(folder, MAX_PATH);
    return narrow(std::wstring_view(folder, length)) + "\\" + name;
}

TEST(Win32SetupProbe, PathFactsTellFilesFoldersProgramsAndWhatIsMissing) {
    TempDir dir;
    Win32SetupProbe probe;
    writeFile(dir / "litecoin.conf", "rpcpassword=x\n");
    writeFile(dir / "start.CMD", "@echo off\r\n");
    const std::string program = copyOfThisProgram(dir.path(), "litecoind.exe");
    writeFile(dir / "readonly.txt", "x");
    ::SetFileAttributesW(widen(dir / "readonly.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    std::filesystem::create_directory(widen(dir / "node.exe"));  // a folder with a program's name

    const PathFacts file = probe.path(dir / "litecoin.conf");
    EXPECT_TRUE(file.exists && file.readable && file.writable);
    EXPECT_FALSE(file.folder || file.executable || file.sharedWithOthers);

    const PathFacts folder = probe.path(dir.path());
    EXPECT_TRUE(folder.exists && folder.folder && folder.readable && folder.writable);
    EXPECT_FALSE(folder.executable);
    EXPECT_FALSE(probe.path(dir / "node.exe").executable);

    EXPECT_TRUE(probe.path(program).executable);
    EXPECT_TRUE(probe.path(dir / "start.CMD").executable);
    EXPECT_TRUE(probe.path(systemProgram("cmd.exe")).executable);

    const PathFacts readOnly = probe.path(dir / "readonly.txt");
    EXPECT_TRUE(readOnly.exists && readOnly.readable);
    EXPECT_FALSE(readOnly.writable);
    ::SetFileAttributesW(widen(dir / "readonly.txt").c_str(), FILE_ATTRIBUTE_NORMAL);

    for (const std::string& nothing : {dir / "missing.exe", dir / "missing\\deeper", std::string()}) {
        const PathFacts facts = probe.path(nothing);
        EXPECT_FALSE(facts.exists || facts.folder || facts.readable || facts.writable || facts.executable) << nothing;
    }
}

TEST(Win32SetupProbe, FreeSpaceAndTheNamesInAFolder) {
    TempDir dir;
    Win32SetupProbe probe;
    const auto free = probe.freeBytes(dir.path());
    ASSERT_TRUE(free.has_value());
    EXPECT_GT(*free, 0u);
    EXPECT_EQ(probe.freeBytes(""), std::nullopt);

    writeFile(dir / "a.txt", "a");
    std::ofstream(std::filesystem::path(widen(dir / "Grüße.txt"))) << "b";  // a name beyond the code page
    std::filesystem::create_directory(widen(dir / "bin"));
    const std::vector<std::string> names = probe.folderNames(dir.path());
    EXPECT_EQ(std::set<std::string>(names.begin(), names.end()), (std::set<std::string>{"a.txt", "Grüße.txt", "bin"}));
    EXPECT_EQ(names.size(), 3u);
    EXPECT_TRUE(probe.folderNames(dir / "missing").empty());
    EXPECT_TRUE(probe.folderNames(dir / "a.txt").empty());
}

TEST(Win32SetupProbe, ProgramFoldersAreThePathsPartsInOrder) {
    Win32SetupProbe probe;
    {
        const Variable path(L"PATH", L"C:\\Litecoin;;\"C:\\Program Files\\Bitcoin\";C:\\Windows\\system32;");
        EXPECT_EQ(probe.programFolders(),
                  (std::vector<std::string>{"C:\\Litecoin", "C:\\Program Files\\Bitcoin", "C:\\Windows\\system32"}));
    }
    const Variable none(L"PATH", nullptr);
    EXPECT_TRUE(probe.programFolders().empty());
}

// A listening socket on 127.0.0.1 with a port of the system's choosing.
class Listener {
public:
    Listener() {
        socket_ = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        int size = sizeof address;
        if (::bind(socket_, reinterpret_cast<sockaddr*>(&address), size) == 0 && ::listen(socket_, 4) == 0 &&
            ::getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &size) == 0)
            port_ = ntohs(address.sin_port);
    }
    ~Listener() { close(); }
    void close() {
        if (socket_ != INVALID_SOCKET) ::closesocket(socket_);
        socket_ = INVALID_SOCKET;
    }
    int port() const { return port_; }

private:
    SOCKET socket_ = INVALID_SOCKET;
    int port_ = 0;
};

TEST(Win32SetupProbe, ConnectsWhereSomethingListensOnly) {
    Win32SetupProbe probe;  // starts the sockets the listener needs too
    Listener listener;
    ASSERT_NE(listener.port(), 0);
    EXPECT_TRUE(probe.connects("127.0.0.1", listener.port(), 5000));
    EXPECT_TRUE(probe.connects("localhost", listener.port(), 5000));
    const int port = listener.port();
    listener.close();
    EXPECT_FALSE(probe.connects("127.0.0.1", port, 2000));
    EXPECT_FALSE(probe.connects("127.0.0.1", 0, 2000));
    EXPECT_FALSE(probe.connects("127.0.0.1", 70000, 2000));
}

TEST(Win32SetupProbe, RunsAProgramToItsEndWithOutputErrorsAndStatus) {
    Win32SetupProbe probe;
    const ProgramOutput out =
        probe.runToEnd({systemProgram("cmd.exe"), "/c", "echo out-line& echo err-line 1>&2& exit 3"}, 20000);
    EXPECT_TRUE(out.started);
    EXPECT_FALSE(out.timedOut);
    EXPECT_EQ(out.status, 3);
    EXPECT_NE(out.text.find("out-line"), std::string::npos) << out.text;
    EXPECT_NE(out.text.find("err-line"), std::string::npos) << out.text;

    const ProgramOutput missing = probe.runToEnd({"C:\\nowhere\\litecoin-cli.exe", "getblockcount"}, 2000);
    EXPECT_FALSE(missing.started);
    EXPECT_FALSE(probe.runToEnd({}, 2000).started);
}

TEST(Win32SetupProbe, ArgumentsReachTheProgramAsGiven) {
    TempDir dir;
    Win32SetupProbe probe;
    const std::string record = dir / "arguments.txt";
    const std::vector<std::string> arguments = {"-rpcpassword=a b", "quote\"d", "ends\\", "", "C:\\Program Files\\x\\"};
    std::vector<std::string> argv = {copyOfThisProgram(dir.path(), "litecoin-cli.exe"), "--record-arguments", record};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    const ProgramOutput out = probe.runToEnd(argv, 20000);
    ASSERT_TRUE(out.started);
    EXPECT_EQ(out.status, 0);
    std::string expected;
    for (const std::string& argument : arguments) expected += std::to_string(argument.size()) + ":" + argument + "\n";
    EXPECT_EQ(slurp(record), expected);
}

TEST(Win32SetupProbe, AProgramThatOutlivesTheLimitIsEnded) {
    TempDir dir;
    Win32SetupProbe probe;
    const std::string name = uniqueName("slowcli") + ".exe";
    const ProgramOutput out = probe.runToEnd({copyOfThisProgram(dir.path(), name), "--stay"}, 300);
    EXPECT_TRUE(out.started);
    EXPECT_TRUE(out.timedOut);
    EXPECT_EQ(out.status, -1);
    // Ended, not left behind: its file can be removed at once.
    EXPECT_TRUE(::DeleteFileW(widen(dir / name).c_str()));
}

}  // namespace
}  // namespace syncward::testing
