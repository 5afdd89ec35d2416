// The process table and the launcher together, as a run uses them: command
// files in the Windows profile's own texts run through cmd.exe, start
// programs under chosen names, the table sees them, terminate ends them.
#include <windows.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string>
#include <vector>

#include "core/platform/platform_profile.h"
#include "core/processes/node_command_lines.h"
#include "platform/win32/snapshot_process_table.h"
#include "platform/win32/win32_launcher.h"
#include "support/temp_dir.h"
#include "win32/win32_test_support.h"

namespace syncward::testing {
namespace {

std::string upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::toupper(c); });
    return text;
}

// How many processes of any user have that executable file name.
int processesNamed(const std::string& name) {
    int count = 0;
    const HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = ::Process32FirstW(snapshot, &entry); more; more = ::Process32NextW(snapshot, &entry))
        if (::lstrcmpiW(entry.szExeFile, widen(name).c_str()) == 0) ++count;
    ::CloseHandle(snapshot);
    return count;
}

// A command file as the program writes it: one line and CR LF.
std::string commandFile(const std::string& path, const std::string& line) {
    writeFile(path, line + PlatformProfile::windows().lineEnd());
    return path;
}

class CommandFiles : public ::testing::Test {
protected:
    // A node's folder with a blank and an "&" in its name: only the
    // program's path is quoted in the command lines, and that must do.
    CommandFiles() : nodeFolder(dir.path() + "\\Coin Node & Tools") { std::filesystem::create_directory(widen(nodeFolder)); }
    ~CommandFiles() override {
        for (const std::string& name : started) table.terminate(name);
    }

    // A stand-in node program in the node's folder under a name of its own.
    std::string nodeProgram(const std::string& stem) {
        const std::string name = uniqueName(stem) + ".exe";
        copyOfThisProgram(nodeFolder, name);
        started.push_back(name);
        return name;
    }

    NodeCommandFields fields(const std::string& daemon, const std::string& client) const {
        NodeCommandFields f;
        f.daemonCliFolder = nodeFolder;
        f.daemonName = daemon;
        f.cliName = client;
        f.confFile = dir.path() + "\\CONFIGS\\LTC1-CRYPTO-CONFIG.conf";
        f.dataFolder = dir.path() + "\\chain";
        f.blockCountFile = dir.path() + "\\LTC1-LATEST-BLOCKCOUNT.LOG";
        return f;
    }

    TempDir dir;
    std::string nodeFolder;
    SnapshotProcessTable table;
    Win32Launcher launcher;
    std::vector<std::string> started;
};

TEST_F(CommandFiles, TheDaemonLineStartsTheNodeTheTableSeesItInAnyCaseAndTerminateEndsEveryCopy) {
    const std::string daemon = nodeProgram("coind");
    const std::string file =
        commandFile(dir / "LTC1-RUN-DAEMON.bat", daemonRunCommand(PlatformProfile::windows(), fields(daemon, "")));
    ASSERT_TRUE(launcher.runCommandFile(file));  // returns while the node runs on
    ASSERT_TRUE(launcher.runCommandFile(file));
    ASSERT_TRUE(eventually([&] { return processesNamed(daemon) == 2; }));
    EXPECT_EQ(table.running({upper(daemon), "never-running-program.exe", ""}), (std::vector<bool>{true, false, false}));

    table.terminate(daemon);
    EXPECT_TRUE(eventually([&] { return table.running({daemon}) == std::vector<bool>{false}; }));
    EXPECT_EQ(processesNamed(daemon), 0);
}

// A node of the same name that this program did not start (another copy's,
// one the user runs) is seen, but not as started here, and the run's own
// end leaves it running.
TEST_F(CommandFiles, OnlyWhatTheLauncherStartedCountsAsStartedHere) {
    const std::string daemon = nodeProgram("coind");
    const std::wstring path = widen(nodeFolder + "\\" + daemon);
    std::wstring commandLine = L"\"" + path + L"\" --stay";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION other{};
    ASSERT_TRUE(::CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                                 nullptr, &startup, &other));
    ::CloseHandle(other.hThread);
    const auto seen = [&] { return table.look({daemon}).value_or(std::vector<NamedProcesses>{{}}).front(); };
    ASSERT_TRUE(eventually([&] { return seen().running; }));
    EXPECT_FALSE(seen().ours);

    const std::string file =
        commandFile(dir / "LTC1-RUN-DAEMON.bat", daemonRunCommand(PlatformProfile::windows(), fields(daemon, "")));
    ASSERT_TRUE(launcher.runCommandFile(file));
    EXPECT_TRUE(eventually([&] { return seen().ours; })) << "the node a command file started is ours";
    table.terminateOurs(daemon);
    EXPECT_TRUE(eventually([&] { return processesNamed(daemon) == 1; }));
    EXPECT_EQ(::WaitForSingleObject(other.hProcess, 0), static_cast<DWORD>(WAIT_TIMEOUT)) << "the other node was ended";
    EXPECT_TRUE(seen().running);
    EXPECT_FALSE(seen().ours);
    ::TerminateProcess(other.hProcess, 1);
    ::CloseHandle(other.hProcess);
}

TEST_F(CommandFiles, TheBlockCountLineFillsTheFileWithTheClientsAnswer) {
    const std::string client = nodeProgram("coin-cli");
    const NodeCommandFields f = fields("", client);
    const std::string file =
        commandFile(dir / "LTC1-RUN-BLOCKCOUNTER-GBC.bat", blockCountCommand(PlatformProfile::windows(), f));
    ASSERT_TRUE(launcher.runCommandFile(file));
    EXPECT_TRUE(eventually([&] { return slurp(f.blockCountFile) == "871234\r\n" && processesNamed(client) == 0; }))
        << slurp(f.blockCountFile).value_or("(no file)");
}

TEST_F(CommandFiles, AProgramThatEndsItsOwnNameEndsTheOthersAndItselfLast) {
    const std::string name = nodeProgram("self-ending");
    const std::string program = nodeFolder + "\\" + name;
    ASSERT_TRUE(launcher.runCommandFile(commandFile(dir / "STAY.bat", "call \"" + program + "\" --stay")));
    ASSERT_TRUE(eventually([&] { return processesNamed(name) == 1; }));
    ASSERT_TRUE(launcher.runCommandFile(commandFile(dir / "END.bat", "call \"" + program + "\" --terminate-own-name")));
    EXPECT_TRUE(eventually([&] { return processesNamed(name) == 0; }));
}

TEST_F(CommandFiles, AMissingCommandFileOrAFolderIsNotStarted) {
    EXPECT_FALSE(launcher.runCommandFile(dir / "LTC1-RUN-QT.bat"));
    EXPECT_FALSE(launcher.runCommandFile(dir.path()));
    EXPECT_FALSE(launcher.runCommandFile(""));
}

TEST_F(CommandFiles, AnEmptyNameIsNeverRunningAndEndsNothing) {
    EXPECT_EQ(table.running({"", ""}), (std::vector<bool>{false, false}));
    table.terminate("");
    EXPECT_EQ(table.running({fileNameOf(thisProgram())}), std::vector<bool>{true});
}

// Each argument as the recorder writes it down.
std::string recorded(const std::vector<std::string>& arguments) {
    std::string text;
    for (const std::string& a : arguments) text += std::to_string(a.size()) + ":" + a + "\n";
    return text;
}

// PATH with one more folder in front, for the length of a test.
class PathInFront {
public:
    explicit PathInFront(const std::string& folder) {
        wchar_t old[32767];
        const DWORD length = ::GetEnvironmentVariableW(L"PATH", old, static_cast<DWORD>(std::size(old)));
        old_.assign(old, length);
        ::SetEnvironmentVariableW(L"PATH", (widen(folder) + L";" + old_).c_str());
    }
    ~PathInFront() { ::SetEnvironmentVariableW(L"PATH", old_.c_str()); }

private:
    std::wstring old_;
};

TEST_F(CommandFiles, AProgramIsFoundOnThePathAndGetsEveryArgumentAsGiven) {
    const std::string recorder = nodeProgram("recorder");
    const PathInFront path(nodeFolder);
    const std::string output = dir / "arguments.txt";
    const std::vector<std::string> arguments = {"plain", "two words", "", "quote\"inside", "trailing\\",
                                                "C:\\Program Files\\Bitcoin\\", "back\\\\\"slash", "Grüße"};
    std::vector<std::string> argv = {recorder.substr(0, recorder.size() - 4), "--record-arguments", output};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    ASSERT_TRUE(launcher.runProgram(argv));
    EXPECT_TRUE(eventually([&] { return slurp(output).has_value(); }));
    EXPECT_EQ(slurp(output), recorded(arguments));

    EXPECT_FALSE(launcher.runProgram({"no-such-program-anywhere"}));
    EXPECT_FALSE(launcher.runProgram({dir / "missing.exe"}));
    EXPECT_FALSE(launcher.runProgram({}));
}

// A home folder and the coin's data folder with blanks, as under a user
// profile named "Ann Lee", and a "%" in the home folder's name: the node
// gets each value whole, and the block count reaches its file.
TEST_F(CommandFiles, BlanksAndPercentSignsInTheValuesReachTheNodeWhole) {
    const std::string home = dir.path() + "\\My Home 100%";
    const std::string data = dir.path() + "\\Users\\Ann Lee\\AppData\\Roaming\\Litecoin\\";
    std::filesystem::create_directories(widen(home));
    std::filesystem::create_directories(widen(data));
    const std::string daemon = nodeProgram("arguments-of-coind");
    const std::string client = nodeProgram("coin-cli");
    NodeCommandFields f = fields(daemon, client);
    f.confFile = home + "\\LTC1-CRYPTO-CONFIG.conf";
    f.dataFolder = data;
    f.blockCountFile = home + "\\LTC1-LATEST-BLOCKCOUNT.LOG";
    const PlatformProfile windows = PlatformProfile::windows();

    ASSERT_TRUE(launcher.runCommandFile(commandFile(home + "\\LTC1-RUN-DAEMON.bat", daemonRunCommand(windows, f))));
    const std::string recordedFile = nodeFolder + "\\" + daemon + ".txt";
    ASSERT_TRUE(eventually([&] { return slurp(recordedFile).has_value(); }));
    EXPECT_EQ(slurp(recordedFile), recorded({"-conf=" + f.confFile, "-datadir=" + data}));

    ASSERT_TRUE(launcher.runCommandFile(commandFile(home + "\\LTC1-RUN-BLOCKCOUNTER-GBC.bat", blockCountCommand(windows, f))));
    EXPECT_TRUE(eventually([&] { return slurp(f.blockCountFile) == "871234\r\n"; }))
        << slurp(f.blockCountFile).value_or("(no file)");
}

// A report or a log is opened for the user to read: its viewer comes up in
// a normal window; what runs for the program alone (the power commands)
// stays hidden.
TEST_F(CommandFiles, AViewerOpensInANormalWindowAndOtherProgramsStayHidden) {
    const std::string viewer = nodeFolder + "\\" + nodeProgram("viewer");
    const std::string shown = dir / "viewer.txt";
    const std::string hidden = dir / "hidden.txt";
    ASSERT_NE(launcher.runProgramWatched({viewer, "--record-startup", shown}), nullptr);
    ASSERT_TRUE(launcher.runProgram({viewer, "--record-startup", hidden}));
    ASSERT_TRUE(eventually([&] { return slurp(shown).has_value() && slurp(hidden).has_value(); }));
    EXPECT_EQ(slurp(shown), "shown " + std::to_string(SW_SHOWNORMAL) + "\n");
    EXPECT_EQ(slurp(hidden), "shown " + std::to_string(SW_HIDE) + "\n");
    EXPECT_EQ(launcher.runProgramWatched({dir / "missing.exe"}), nullptr);
}

}  // namespace
}  // namespace syncward::testing
