#include "platform/win32/piped_program_run.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <vector>

#include "platform/win32/handle.h"
#include "platform/win32/time_left.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_launcher.h"

namespace syncward {

namespace {

using Clock = std::chrono::steady_clock;

// A program that prints without end is not kept in memory whole.
constexpr std::size_t outputKept = 64 * 1024;

// The output pipe's write end goes to the program; standard input is the
// null device, so a program that asks for input reads its end at once.
struct ChildPipes {
    Handle read;
    Handle write;
    Handle input;
};

bool makePipes(ChildPipes& pipes) {
    SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE read = nullptr, write = nullptr;
    if (!::CreatePipe(&read, &write, &inherited, 0)) return false;
    pipes.read = Handle(read);
    pipes.write = Handle(write);
    if (!::SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0)) return false;
    pipes.input = Handle(::CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherited,
                                       OPEN_EXISTING, 0, nullptr));
    return static_cast<bool>(pipes.input);
}

// Starts the program with only the two pipe handles inherited: another
// thread's inheritable handles must not leak into it and keep a file open.
Handle startWithPipes(const std::wstring& program, std::wstring commandLine, const ChildPipes& pipes) {
    HANDLE inherited[] = {pipes.input.get(), pipes.write.get()};
    SIZE_T size = 0;
    ::InitializeProcThreadAttributeList(nullptr, 1, 0, &size);
    std::vector<std::max_align_t> list(size / sizeof(std::max_align_t) + 1);
    auto* attributes = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(list.data());
    if (!::InitializeProcThreadAttributeList(attributes, 1, 0, &size)) return {};
    Handle process;
    if (::UpdateProcThreadAttribute(attributes, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, inherited, sizeof inherited,
                                    nullptr, nullptr)) {
        STARTUPINFOEXW startup{};
        startup.StartupInfo.cb = sizeof startup;
        startup.StartupInfo.dwFlags = STARTF_USESTDHANDLES;
        startup.StartupInfo.hStdInput = pipes.input.get();
        startup.StartupInfo.hStdOutput = pipes.write.get();
        startup.StartupInfo.hStdError = pipes.write.get();
        startup.lpAttributeList = attributes;
        PROCESS_INFORMATION started{};
        if (::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                             CREATE_NO_WINDOW | EXTENDED_STARTUPINFO_PRESENT, nullptr, nullptr, &startup.StartupInfo,
                             &started)) {
            ::CloseHandle(started.hThread);
            process = Handle(started.hProcess);
        }
    }
    ::DeleteProcThreadAttributeList(attributes);
    return process;
}

// Reads what waits in the pipe without blocking; false once every writer
// has closed its end.
bool readWaiting(HANDLE pipe, std::string& text) {
    for (;;) {
        DWORD waiting = 0;
        if (!::PeekNamedPipe(pipe, nullptr, 0, nullptr, &waiting, nullptr)) return false;
        if (waiting == 0) return true;
        char buffer[4096];
        DWORD got = 0;
        if (!::ReadFile(pipe, buffer, waiting < sizeof buffer ? waiting : sizeof buffer, &got, nullptr)) return false;
        if (text.size() < outputKept) text.append(buffer, got);
    }
}

}  // namespace

ProgramOutput runProgramToEnd(const std::vector<std::string>& argv, int limitMs) {
    ProgramOutput out;
    if (argv.empty() || argv.front().empty()) return out;
    const std::wstring program = widen(argv.front());
    std::wstring commandLine = Win32Launcher::quoteArgument(program);
    for (std::size_t i = 1; i < argv.size(); ++i) commandLine += L" " + Win32Launcher::quoteArgument(widen(argv[i]));
    ChildPipes pipes;
    if (!makePipes(pipes)) return out;
    const Handle process = startWithPipes(program, std::move(commandLine), pipes);
    // Our copy of the write end closed: the pipe breaks once the program
    // (and whatever it started with the handle) has ended.
    pipes.write = Handle();
    if (!process) return out;
    out.started = true;
    const Clock::time_point end = Clock::now() + std::chrono::milliseconds(limitMs);
    bool pipeOpen = true;
    // Reads the pipe every few milliseconds, and at once when the program
    // ends, then once more for what it printed last.
    for (bool ended = false; !ended;) {
        if (msLeft(end) == 0) {
            out.timedOut = true;
            ::TerminateProcess(process.get(), 1);
            ::WaitForSingleObject(process.get(), INFINITE);
            return out;
        }
        ended = ::WaitForSingleObject(process.get(), std::min<DWORD>(msLeft(end), 10)) == WAIT_OBJECT_0;
        pipeOpen = pipeOpen && readWaiting(pipes.read.get(), out.text);
    }
    DWORD status = 0;
    if (::GetExitCodeProcess(process.get(), &status)) out.status = static_cast<int>(status);
    return out;
}

}  // namespace syncward
