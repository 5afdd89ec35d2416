// The win32 platform tests, and the small programs they start: the tests
// start copies of this very program under chosen names (a copy needs no
// DLL beside it), asking it to play one of these parts. Started by a node
// command line, it stands in for the node: with "getblockcount" it answers
// a block count as the coin's client does, with "-datadir=" it runs until
// it is ended, as the daemon does.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "platform/win32/snapshot_process_table.h"
#include "platform/win32/win32_environment.h"
#include "platform/win32/wide_text.h"
#include "win32/win32_test_support.h"

namespace {

// Appears whole: written beside the target, then moved over it.
void writeWhole(const std::string& path, const std::string& text) {
    const std::string temporary = path + ".part";
    std::ofstream(temporary, std::ios::binary) << text;
    ::MoveFileExW(syncward::widen(temporary).c_str(), syncward::widen(path).c_str(), MOVEFILE_REPLACE_EXISTING);
}

// Each argument as its length, a colon, the argument and a line end.
int recordArguments(int argc, wchar_t** argv) {
    std::string text;
    for (int i = 3; i < argc; ++i) {
        const std::string argument = syncward::narrow(argv[i]);
        text += std::to_string(argument.size()) + ":" + argument + "\n";
    }
    writeWhole(syncward::narrow(argv[2]), text);
    return 0;
}

// How it was asked to show its window: "shown N" with the show command, or
// "shown default" when the starter left it to the program.
int recordStartup(const std::string& file) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    ::GetStartupInfoW(&startup);
    const bool told = startup.dwFlags & STARTF_USESHOWWINDOW;
    writeWhole(file, "shown " + (told ? std::to_string(startup.wShowWindow) : std::string("default")) + "\n");
    return 0;
}

// Runs until a test ends it; the limit only keeps a broken test from
// leaving it behind for long.
int stayUntilEnded() {
    ::Sleep(10 * 60 * 1000);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    int wideCount = 0;
    wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &wideCount);
    const std::wstring part = wideCount > 1 ? wide[1] : L"";
    if (part == L"--stay") return stayUntilEnded();
    if (part == L"--record-arguments" && wideCount > 2) return recordArguments(wideCount, wide);
    if (part == L"--record-startup" && wideCount > 2) return recordStartup(syncward::narrow(wide[2]));
    // A node that only writes down its arguments, beside itself, as a node
    // command line gave them.
    if (syncward::testing::fileNameOf(syncward::testing::thisProgram()).starts_with("arguments-of-")) {
        std::string text;
        for (int i = 1; i < wideCount; ++i) {
            const std::string argument = syncward::narrow(wide[i]);
            text += std::to_string(argument.size()) + ":" + argument + "\n";
        }
        writeWhole(syncward::testing::thisProgram() + ".txt", text);
        return 0;
    }
    if (part == L"--record-executable-name" && wideCount > 2) {
        writeWhole(syncward::narrow(wide[2]), syncward::Win32Environment().executableName());
        return 0;
    }
    if (part == L"--terminate-own-name") {
        syncward::SnapshotProcessTable().terminate(syncward::testing::fileNameOf(syncward::testing::thisProgram()));
        return 3;  // never reached when this program ended itself
    }
    for (int i = 1; i < wideCount; ++i) {
        const std::wstring argument = wide[i];
        if (argument == L"getblockcount") {
            std::printf("871234\n");
            return 0;
        }
        if (argument.starts_with(L"-datadir=")) return stayUntilEnded();
    }
    ::LocalFree(wide);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
