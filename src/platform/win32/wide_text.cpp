#include "platform/win32/wide_text.h"

#include <windows.h>

namespace syncward {

std::wstring widen(std::string_view utf8) {
    if (utf8.empty()) return {};
    const int length = static_cast<int>(utf8.size());
    const int size = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, nullptr, 0);
    std::wstring text(static_cast<std::size_t>(size), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, text.data(), size);
    return text;
}

std::string narrow(std::wstring_view utf16) {
    if (utf16.empty()) return {};
    const int length = static_cast<int>(utf16.size());
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, utf16.data(), length, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, utf16.data(), length, text.data(), size, nullptr, nullptr);
    return text;
}

std::optional<std::string> inOemCodePage(std::string_view utf8) {
    const std::wstring utf16 = widen(utf8);
    if (utf16.empty()) return std::string();
    const int length = static_cast<int>(utf16.size());
    BOOL replaced = FALSE;
    const int size =
        ::WideCharToMultiByte(CP_OEMCP, WC_NO_BEST_FIT_CHARS, utf16.data(), length, nullptr, 0, nullptr, &replaced);
    if (size <= 0 || replaced) return std::nullopt;
    std::string text(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_OEMCP, WC_NO_BEST_FIT_CHARS, utf16.data(), length, text.data(), size, nullptr, nullptr);
    return text;
}

std::string fromOemCodePage(std::string_view oem) {
    if (oem.empty()) return {};
    const int length = static_cast<int>(oem.size());
    const int size = ::MultiByteToWideChar(CP_OEMCP, 0, oem.data(), length, nullptr, 0);
    std::wstring text(static_cast<std::size_t>(size), L'\0');
    ::MultiByteToWideChar(CP_OEMCP, 0, oem.data(), length, text.data(), size);
    return narrow(text);
}

}  // namespace syncward
