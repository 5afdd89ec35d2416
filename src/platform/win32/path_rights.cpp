#include "platform/win32/path_rights.h"

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32/handle.h"

namespace syncward {

namespace {

// The rights the access list grants the process's user; nullopt when the
// system cannot tell.
std::optional<ACCESS_MASK> grantedRights(const std::wstring& path) {
    const SECURITY_INFORMATION parts = OWNER_SECURITY_INFORMATION | GROUP_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION;
    DWORD size = 0;
    ::GetFileSecurityW(path.c_str(), parts, nullptr, 0, &size);
    if (size == 0) return std::nullopt;
    std::vector<std::max_align_t> descriptor(size / sizeof(std::max_align_t) + 1);  // aligned as the descriptor needs
    if (!::GetFileSecurityW(path.c_str(), parts, descriptor.data(), size, &size)) return std::nullopt;
    HANDLE token = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY | TOKEN_DUPLICATE, &token)) return std::nullopt;
    const Handle processToken(token);
    // The access check takes an impersonation token, not the process's own.
    HANDLE impersonation = nullptr;
    if (!::DuplicateToken(token, SecurityImpersonation, &impersonation)) return std::nullopt;
    const Handle checkToken(impersonation);
    GENERIC_MAPPING mapping{FILE_GENERIC_READ, FILE_GENERIC_WRITE, FILE_GENERIC_EXECUTE, FILE_ALL_ACCESS};
    PRIVILEGE_SET privileges{};
    DWORD privilegesSize = sizeof privileges;
    ACCESS_MASK granted = 0;
    BOOL allowed = FALSE;
    if (!::AccessCheck(descriptor.data(), impersonation, MAXIMUM_ALLOWED, &mapping, &privileges, &privilegesSize,
                       &granted, &allowed))
        return std::nullopt;
    return allowed ? granted : ACCESS_MASK{0};
}

bool endsWith(const std::wstring& path, const wchar_t* suffix) {
    const std::size_t length = std::char_traits<wchar_t>::length(suffix);
    return path.size() > length && ::CompareStringOrdinal(path.c_str() + path.size() - length, static_cast<int>(length),
                                                          suffix, static_cast<int>(length), TRUE) == CSTR_EQUAL;
}

}  // namespace

PathRights rightsOf(const std::wstring& path, bool folder) {
    const std::optional<ACCESS_MASK> granted = grantedRights(path);
    if (!granted) return {true, true, !folder};
    // FILE_LIST_DIRECTORY and FILE_ADD_FILE are the folder's names for the
    // same bits as FILE_READ_DATA and FILE_WRITE_DATA.
    return {(*granted & FILE_READ_DATA) != 0, (*granted & FILE_WRITE_DATA) != 0,
            !folder && (*granted & FILE_EXECUTE) != 0};
}

bool isProgramFile(const std::wstring& path) {
    for (const wchar_t* suffix : {L".exe", L".bat", L".cmd", L".com"})
        if (endsWith(path, suffix)) return true;
    return false;
}

}  // namespace syncward
