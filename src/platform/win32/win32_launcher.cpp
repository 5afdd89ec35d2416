#include "platform/win32/win32_launcher.h"

#include <windows.h>

#include <utility>

#include "platform/win32/started_here_job.h"
#include "platform/win32/wide_text.h"

namespace syncward {

namespace {

std::wstring systemFolder() {
    wchar_t folder[MAX_PATH];
    const UINT length = ::GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return {};
    return std::wstring(folder, length);
}

bool isFile(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The program's full path: argv[0] as given when it names a folder, else
// the first match in the folders of PATH.
std::wstring programPath(const std::wstring& program) {
    if (program.find_first_of(L"\\/:") != std::wstring::npos) return program;
    const DWORD size = ::GetEnvironmentVariableW(L"PATH", nullptr, 0);
    if (size == 0) return {};
    std::wstring folders(size, L'\0');
    folders.resize(::GetEnvironmentVariableW(L"PATH", folders.data(), size));
    wchar_t found[MAX_PATH * 4];
    const DWORD length =
        ::SearchPathW(folders.c_str(), program.c_str(), L".exe", static_cast<DWORD>(std::size(found)), found, nullptr);
    if (length == 0 || length >= std::size(found)) return {};
    return std::wstring(found, length);
}

// A program the user is meant to read: a window of its own, shown as
// usual, and outside the job, so that closing this program leaves it open.
bool startShown(const std::wstring& program, std::wstring commandLine) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION started{};
    if (!::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &started))
        return false;
    ::CloseHandle(started.hThread);
    ::CloseHandle(started.hProcess);
    return true;
}

bool startHidden(const std::wstring& program, std::wstring commandLine) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION started{};
    // A process group of its own: a Ctrl+C meant for a console this program
    // runs in does not reach the node. Suspended until it is in our job, so
    // that nothing it starts can be outside it.
    if (!::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                          CREATE_NO_WINDOW | CREATE_NEW_PROCESS_GROUP | CREATE_SUSPENDED, nullptr, nullptr, &startup,
                          &started))
        return false;
    joinStartedHereJob(started.hProcess);
    ::ResumeThread(started.hThread);
    ::CloseHandle(started.hThread);
    ::CloseHandle(started.hProcess);
    return true;
}

}  // namespace

std::wstring Win32Launcher::quoteArgument(const std::wstring& argument) {
    if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring::npos) return argument;
    // Backslashes are literal except in front of a double quote, where each
    // pair stands for one backslash and a lone one escapes the quote.
    std::wstring quoted = L"\"";
    for (auto it = argument.begin();; ++it) {
        std::size_t backslashes = 0;
        for (; it != argument.end() && *it == L'\\'; ++it) ++backslashes;
        if (it == argument.end()) {
            quoted.append(backslashes * 2, L'\\');  // the closing quote follows
            break;
        }
        if (*it == L'"') {
            quoted.append(backslashes * 2 + 1, L'\\');
        } else {
            quoted.append(backslashes, L'\\');
        }
        quoted.push_back(*it);
    }
    quoted.push_back(L'"');
    return quoted;
}

bool Win32Launcher::runCommandFile(const std::string& path) {
    const std::wstring file = widen(path);
    if (file.empty() || !isFile(file)) return false;
    const std::wstring folder = systemFolder();
    if (folder.empty()) return false;
    const std::wstring interpreter = folder + L"\\cmd.exe";
    // "cmd /c" drops the first and the last quote of what follows; the
    // inner pair stays round the file's path, blanks and "&" included.
    return startHidden(interpreter, L"\"" + interpreter + L"\" /c \"\"" + file + L"\"\"");
}

namespace {

// argv[0]'s full path and the whole command line; an empty path when there
// is no such program.
std::pair<std::wstring, std::wstring> commandOf(const std::vector<std::string>& argv) {
    if (argv.empty() || argv.front().empty()) return {};
    const std::wstring program = programPath(widen(argv.front()));
    if (program.empty() || !isFile(program)) return {};
    std::wstring commandLine = Win32Launcher::quoteArgument(program);
    for (std::size_t i = 1; i < argv.size(); ++i) commandLine += L" " + Win32Launcher::quoteArgument(widen(argv[i]));
    return {program, commandLine};
}

}  // namespace

bool Win32Launcher::runProgram(const std::vector<std::string>& argv) {
    auto [program, commandLine] = commandOf(argv);
    return !program.empty() && startHidden(program, std::move(commandLine));
}

std::shared_ptr<const ProgramExit> Win32Launcher::runProgramWatched(const std::vector<std::string>& argv) {
    auto [program, commandLine] = commandOf(argv);
    if (program.empty() || !startShown(program, std::move(commandLine))) return nullptr;
    auto ended = std::make_shared<ProgramExit>();
    ended->set(ProgramExit::unknown);
    return ended;
}

}  // namespace syncward
