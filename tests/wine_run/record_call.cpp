// Stands in for a system command that must never really run here
// (shutdown.exe, schtasks.exe): it only adds its arguments, as one line, to
// "<its own name>-calls.log" beside itself, and succeeds. Its own file is
// asked of the system: a command found on PATH gets no folder in argv[0].
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>

int main(int argc, char* argv[]) {
    wchar_t own[MAX_PATH * 4];
    const DWORD length = ::GetModuleFileNameW(nullptr, own, static_cast<DWORD>(std::size(own)));
    if (length == 0 || length >= std::size(own)) return 1;
    const std::filesystem::path self(std::wstring(own, length));
    std::ofstream log(self.parent_path() / (self.stem().wstring() + L"-calls.log"), std::ios::app);
    log << self.filename().string();
    for (int i = 1; i < argc; ++i) log << ' ' << argv[i];
    log << '\n';
    return log ? 0 : 1;
}
