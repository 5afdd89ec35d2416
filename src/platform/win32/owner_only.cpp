#include "platform/win32/owner_only.h"

#include <sddl.h>

#include <optional>
#include <string>

#include "platform/win32/handle.h"

namespace syncward {

namespace {

// The current user's security identifier in its text form ("S-1-5-21-...").
std::wstring ownUserText() {
    HANDLE token = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &token)) return {};
    const Handle owned(token);
    alignas(TOKEN_USER) unsigned char buffer[sizeof(TOKEN_USER) + SECURITY_MAX_SID_SIZE];
    DWORD size = 0;
    if (!::GetTokenInformation(token, TokenUser, buffer, sizeof buffer, &size)) return {};
    wchar_t* text = nullptr;
    if (!::ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer)->User.Sid, &text)) return {};
    std::wstring result(text);
    ::LocalFree(text);
    return result;
}

// Built once; the descriptor is kept for the program's life.
std::optional<SECURITY_ATTRIBUTES> attributesFor(const wchar_t* inheritance) {
    const std::wstring user = ownUserText();
    if (user.empty()) return std::nullopt;
    const std::wstring access = std::wstring(L"(A;") + inheritance + L";FA;;;";
    // "P": protected, nothing inherited from above; SY system, BA administrators.
    const std::wstring descriptor = L"D:P" + access + user + L")" + access + L"SY)" + access + L"BA)";
    PSECURITY_DESCRIPTOR built = nullptr;
    if (!::ConvertStringSecurityDescriptorToSecurityDescriptorW(descriptor.c_str(), SDDL_REVISION_1, &built, nullptr))
        return std::nullopt;
    return SECURITY_ATTRIBUTES{sizeof(SECURITY_ATTRIBUTES), built, FALSE};
}

}  // namespace

SECURITY_ATTRIBUTES* ownerOnlyFile() {
    static std::optional<SECURITY_ATTRIBUTES> attributes = attributesFor(L"");
    return attributes ? &*attributes : nullptr;
}

SECURITY_ATTRIBUTES* ownerOnlyFolder() {
    static std::optional<SECURITY_ATTRIBUTES> attributes = attributesFor(L"OICI");
    return attributes ? &*attributes : nullptr;
}

}  // namespace syncward
