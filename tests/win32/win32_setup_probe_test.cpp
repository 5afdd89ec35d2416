#include <winsock2.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <string>
#include <thread>
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

TEST(Win32SetupProbe, TheNamesInAFolder) {
    TempDir dir;
    Win32SetupProbe probe;
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
// Without words and without hanging up it never accepts: connections wait
// in its queue, taken by the system, and hear nothing. Otherwise it takes
// each connection, says its words and keeps the connection open until it
// closes, or hangs up at once.
class Listener {
public:
    explicit Listener(std::string words = {}, bool hangUp = false) {
        socket_ = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        int size = sizeof address;
        if (::bind(socket_, reinterpret_cast<sockaddr*>(&address), size) == 0 && ::listen(socket_, 4) == 0 &&
            ::getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &size) == 0)
            port_ = ntohs(address.sin_port);
        if (!words.empty() || hangUp) server_ = std::thread([this, words, hangUp] { serve(words, hangUp); });
    }
    ~Listener() { close(); }
    void close() {
        stop_ = true;
        if (server_.joinable()) server_.join();
        if (socket_ != INVALID_SOCKET) ::closesocket(socket_);
        socket_ = INVALID_SOCKET;
    }
    int port() const { return port_; }

private:
    void serve(const std::string& words, bool hangUp) {
        std::vector<SOCKET> taken;
        while (!stop_) {
            fd_set ready;
            FD_ZERO(&ready);
            FD_SET(socket_, &ready);
            timeval tick{0, 20000};
            if (::select(0, &ready, nullptr, nullptr, &tick) != 1) continue;
            const SOCKET connection = ::accept(socket_, nullptr, nullptr);
            if (connection == INVALID_SOCKET) continue;
            ::send(connection, words.data(), static_cast<int>(words.size()), 0);
            if (hangUp)
                ::closesocket(connection);
            else
                taken.push_back(connection);
        }
        for (const SOCKET connection : taken) ::closesocket(connection);
    }

    SOCKET socket_ = INVALID_SOCKET;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    std::thread server_;
};

double secondsOf(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

TEST(Win32SetupProbe, TheGreetingIsTheServersFirstLineWithinTheLimit) {
    Win32SetupProbe probe;  // starts the sockets the listeners need too
    using Outcome = ServerGreeting::Outcome;
    {
        Listener server("220 mail.test ESMTP ready\r\n250 more\r\n");
        const ServerGreeting greeting = probe.greeting("127.0.0.1", server.port(), 5000);
        EXPECT_EQ(greeting.outcome, Outcome::Line);
        EXPECT_EQ(greeting.line, "220 mail.test ESMTP ready");
    }
    {
        // Takes the connection and never speaks: silent once the limit has
        // passed, and not much later.
        Listener silent;
        ASSERT_NE(silent.port(), 0);
        ServerGreeting greeting;
        const double seconds = secondsOf([&] { greeting = probe.greeting("127.0.0.1", silent.port(), 700); });
        EXPECT_EQ(greeting.outcome, Outcome::Silent);
        EXPECT_TRUE(greeting.line.empty());
        EXPECT_GE(seconds, 0.5);
        EXPECT_LT(seconds, 3.0);
    }
    {
        Listener hangsUp("", true);
        EXPECT_EQ(probe.greeting("127.0.0.1", hangsUp.port(), 5000).outcome, Outcome::Closed);
    }
    {
        // A part of a line and then nothing: silent, with what came.
        Listener halfLine("220 mail.t");
        const ServerGreeting greeting = probe.greeting("127.0.0.1", halfLine.port(), 700);
        EXPECT_EQ(greeting.outcome, Outcome::Silent);
        EXPECT_EQ(greeting.line, "220 mail.t");
    }
    Listener gone;
    const int port = gone.port();
    gone.close();
    EXPECT_EQ(probe.greeting("127.0.0.1", port, 2000).outcome, Outcome::NoConnection);
    EXPECT_EQ(probe.greeting("127.0.0.1", 0, 2000).outcome, Outcome::NoConnection);
    EXPECT_EQ(probe.greeting("127.0.0.1", 70000, 2000).outcome, Outcome::NoConnection);
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
