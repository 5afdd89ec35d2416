#include "platform/win32/win32_setup_probe.h"

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>

#include "platform/win32/path_rights.h"
#include "platform/win32/piped_program_run.h"
#include "platform/win32/time_left.h"
#include "platform/win32/wide_text.h"

namespace syncward {

namespace {

using Clock = std::chrono::steady_clock;

timeval timeLeft(Clock::time_point end) {
    const DWORD left = msLeft(end);
    return {static_cast<long>(left / 1000), static_cast<long>(left % 1000 * 1000)};
}

// One attempt on one address: the connected socket, or INVALID_SOCKET (and
// nothing left open).
SOCKET connectedTo(const addrinfo& address, Clock::time_point end) {
    const SOCKET socket = ::socket(address.ai_family, address.ai_socktype, address.ai_protocol);
    if (socket == INVALID_SOCKET) return INVALID_SOCKET;
    u_long nonBlocking = 1;
    bool ok = ::ioctlsocket(socket, FIONBIO, &nonBlocking) == 0;
    if (ok && ::connect(socket, address.ai_addr, static_cast<int>(address.ai_addrlen)) != 0) {
        ok = false;
        if (::WSAGetLastError() == WSAEWOULDBLOCK) {
            // A refused connection shows in the error set, not the write set.
            fd_set writable, failed;
            FD_ZERO(&writable);
            FD_ZERO(&failed);
            FD_SET(socket, &writable);
            FD_SET(socket, &failed);
            timeval limit = timeLeft(end);
            int error = 0;
            int size = sizeof error;
            ok = ::select(0, nullptr, &writable, &failed, &limit) == 1 && FD_ISSET(socket, &writable) &&
                 ::getsockopt(socket, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &size) == 0 &&
                 error == 0;
        }
    }
    if (ok) return socket;
    ::closesocket(socket);
    return INVALID_SOCKET;
}

// Reads until the first line end, the end of the connection or the limit,
// whichever comes first; a server that trickles its bytes is still held
// to the one limit.
ServerGreeting firstLine(SOCKET socket, Clock::time_point end) {
    std::string received;
    bool closed = false;
    char buffer[greetingMaxBytes];
    while (received.find('\n') == std::string::npos && received.size() < greetingMaxBytes) {
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(socket, &readable);
        timeval limit = timeLeft(end);
        if (::select(0, &readable, nullptr, nullptr, &limit) != 1) break;
        const int n = ::recv(socket, buffer, static_cast<int>(greetingMaxBytes - received.size()), 0);
        if (n < 0 && ::WSAGetLastError() == WSAEWOULDBLOCK) continue;
        if (n <= 0) {
            closed = true;
            break;
        }
        received.append(buffer, static_cast<std::size_t>(n));
    }
    return greetingOf(received, closed);
}

}  // namespace

Win32SetupProbe::Win32SetupProbe() {
    WSADATA data{};
    socketsReady_ = ::WSAStartup(MAKEWORD(2, 2), &data) == 0;
}

Win32SetupProbe::~Win32SetupProbe() {
    if (socketsReady_) ::WSACleanup();
}

PathFacts Win32SetupProbe::path(const std::string& path) {
    PathFacts facts;
    if (path.empty()) return facts;
    const std::wstring target = widen(path);
    const DWORD attributes = ::GetFileAttributesW(target.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return facts;
    facts.exists = true;
    facts.folder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    const PathRights rights = rightsOf(target, facts.folder);
    facts.readable = rights.read;
    // Read-only means something else on a folder (its view is customised).
    facts.writable = rights.write && (facts.folder || !(attributes & FILE_ATTRIBUTE_READONLY));
    facts.executable = !facts.folder && rights.execute && isProgramFile(target);
    return facts;
}

ServerGreeting Win32SetupProbe::greeting(const std::string& host, int port, int limitMs) {
    if (!socketsReady_ || port <= 0 || port > 65535) return {};
    const Clock::time_point end = Clock::now() + std::chrono::milliseconds(limitMs);
    addrinfo hints{};
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_protocol = IPPROTO_TCP;
    addrinfo* found = nullptr;
    if (::getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0) return {};
    SOCKET socket = INVALID_SOCKET;
    for (const addrinfo* a = found; a && socket == INVALID_SOCKET && msLeft(end) > 0; a = a->ai_next)
        socket = connectedTo(*a, end);
    ::freeaddrinfo(found);
    if (socket == INVALID_SOCKET) return {};
    const ServerGreeting greeting = firstLine(socket, end);
    ::closesocket(socket);
    return greeting;
}

ProgramOutput Win32SetupProbe::runToEnd(const std::vector<std::string>& argv, int limitMs) {
    return runProgramToEnd(argv, limitMs);
}

std::vector<std::string> Win32SetupProbe::programFolders() {
    std::vector<std::string> folders;
    const DWORD size = ::GetEnvironmentVariableW(L"PATH", nullptr, 0);
    if (size == 0) return folders;
    std::wstring path(size, L'\0');
    path.resize(::GetEnvironmentVariableW(L"PATH", path.data(), size));
    for (std::size_t start = 0; start <= path.size();) {
        const std::size_t semicolon = path.find(L';', start);
        std::wstring folder = path.substr(start, semicolon == std::wstring::npos ? std::wstring::npos : semicolon - start);
        // A folder with blanks may stand in quotes.
        if (folder.size() >= 2 && folder.front() == L'"' && folder.back() == L'"') folder = folder.substr(1, folder.size() - 2);
        if (!folder.empty()) folders.push_back(narrow(folder));
        if (semicolon == std::wstring::npos) break;
        start = semicolon + 1;
    }
    return folders;
}

std::vector<std::string> Win32SetupProbe::folderNames(const std::string& folder) {
    std::vector<std::string> names;
    if (folder.empty()) return names;
    std::wstring pattern = widen(folder);
    if (pattern.back() != L'\\' && pattern.back() != L'/') pattern += L'\\';
    pattern += L'*';
    WIN32_FIND_DATAW entry{};
    const HANDLE search = ::FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &entry, FindExSearchNameMatch, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const std::wstring_view name = entry.cFileName;
        if (name != L"." && name != L"..") names.push_back(narrow(name));
    } while (::FindNextFileW(search, &entry));
    ::FindClose(search);
    return names;
}

}  // namespace syncward
