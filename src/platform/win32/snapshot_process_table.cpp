#include "platform/win32/snapshot_process_table.h"

#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstddef>
#include <string_view>
#include <vector>

#include "platform/win32/handle.h"
#include "platform/win32/started_here_job.h"
#include "platform/win32/wide_text.h"

namespace syncward {

namespace {

bool sameName(std::wstring_view a, std::wstring_view b) {
    return ::CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
}

std::wstring_view fileNameOf(std::wstring_view path) {
    const auto separator = path.find_last_of(L"\\/");
    return separator == std::wstring_view::npos ? path : path.substr(separator + 1);
}

// The user a process runs as, as the bytes of its security identifier;
// empty when it cannot be read.
std::vector<BYTE> userOf(HANDLE process) {
    HANDLE token = nullptr;
    if (!::OpenProcessToken(process, TOKEN_QUERY, &token)) return {};
    const Handle owned(token);
    DWORD size = 0;
    ::GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    if (size == 0) return {};
    std::vector<std::max_align_t> buffer(size / sizeof(std::max_align_t) + 1);  // aligned as TOKEN_USER needs
    if (!::GetTokenInformation(token, TokenUser, buffer.data(), size, &size)) return {};
    const PSID sid = reinterpret_cast<const TOKEN_USER*>(buffer.data())->User.Sid;
    if (!::IsValidSid(sid)) return {};
    const auto* bytes = static_cast<const BYTE*>(sid);
    return std::vector<BYTE>(bytes, bytes + ::GetLengthSid(sid));
}

const std::vector<BYTE>& ownUser() {
    static const std::vector<BYTE> user = userOf(::GetCurrentProcess());
    return user;
}

// The process behind a snapshot entry, opened with these rights, when it
// is one of this user's and still runs the executable the entry named: a
// process id may have been reused since the snapshot was taken. The open
// handle keeps the id from being reused while it is used.
Handle openOwnProcess(const PROCESSENTRY32W& entry, DWORD rights) {
    Handle process(::OpenProcess(rights | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, entry.th32ProcessID));
    if (!process) return {};  // gone, or not ours to open
    const std::vector<BYTE>& own = ownUser();
    if (own.empty() || userOf(process.get()) != own) return {};
    wchar_t image[MAX_PATH * 4];
    DWORD length = static_cast<DWORD>(std::size(image));
    if (::QueryFullProcessImageNameW(process.get(), 0, image, &length) &&
        !sameName(fileNameOf(std::wstring_view(image, length)), entry.szExeFile))
        return {};
    return process;
}

// Calls visit(entry) for every process in one snapshot until visit returns
// false; false if no snapshot could be taken.
template <typename Visit>
bool forEachProcess(Visit visit) {
    const Handle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) return false;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = ::Process32FirstW(snapshot.get(), &entry); more; more = ::Process32NextW(snapshot.get(), &entry))
        if (!visit(entry)) break;
    return true;
}

}  // namespace

std::optional<std::vector<NamedProcesses>> SnapshotProcessTable::look(const std::vector<std::string>& names) {
    std::vector<std::wstring> wanted;
    wanted.reserve(names.size());
    for (const std::string& name : names) wanted.push_back(widen(name));
    std::vector<NamedProcesses> found(names.size());
    // A name is answered in full once one of its processes was started here.
    auto open = std::count_if(wanted.begin(), wanted.end(), [](const auto& w) { return !w.empty(); });
    if (open == 0) return found;
    const bool listed = forEachProcess([&](const PROCESSENTRY32W& entry) {
        Handle process;
        bool opened = false;  // asked only of a process with a wanted name, and once
        for (std::size_t i = 0; i < wanted.size(); ++i) {
            if (found[i].ours || wanted[i].empty() || !sameName(wanted[i], entry.szExeFile)) continue;
            if (!opened) {
                process = openOwnProcess(entry, 0);
                opened = true;
            }
            if (!process) break;
            found[i].running = true;
            found[i].ours = isStartedHere(process.get());
            if (found[i].ours) --open;
        }
        return open > 0;  // every name answered: the rest of the list cannot change that
    });
    if (!listed) return std::nullopt;
    return found;
}

void SnapshotProcessTable::end(const std::string& name, bool onlyOurs) {
    const std::wstring wanted = widen(name);
    if (wanted.empty()) return;
    const DWORD self = ::GetCurrentProcessId();
    bool endSelf = false;
    forEachProcess([&](const PROCESSENTRY32W& entry) {
        if (!sameName(wanted, entry.szExeFile)) return true;
        if (entry.th32ProcessID == self) {
            endSelf = !onlyOurs;  // last, or the others would survive
            return true;
        }
        if (const Handle process = openOwnProcess(entry, PROCESS_TERMINATE))
            if (!onlyOurs || isStartedHere(process.get())) ::TerminateProcess(process.get(), 1);
        return true;
    });
    if (endSelf) ::TerminateProcess(::GetCurrentProcess(), 1);
}

void SnapshotProcessTable::terminate(const std::string& name) { end(name, false); }

void SnapshotProcessTable::terminateOurs(const std::string& name) { end(name, true); }

}  // namespace syncward
