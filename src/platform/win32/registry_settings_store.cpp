#include "platform/win32/registry_settings_store.h"

#include <windows.h>

#include "platform/win32/wide_text.h"

namespace syncward {

RegistrySettingsStore::RegistrySettingsStore(std::string applicationKey) : applicationKey_(std::move(applicationKey)) {}

std::string RegistrySettingsStore::defaultApplicationKey() {
    return "Software\\VB and VBA Program Settings\\QV_SYNCWARD";
}

std::string RegistrySettingsStore::get(const std::string& section, const std::string& key,
                                       const std::string& fallback) {
    const std::wstring sectionKey = widen(applicationKey_ + "\\" + section);
    const std::wstring name = widen(key);
    // Another copy of the program may make the value longer between asking
    // its size and reading it; then the size is asked again.
    for (int attempt = 0; attempt < 4; ++attempt) {
        DWORD bytes = 0;
        LSTATUS status = ::RegGetValueW(HKEY_CURRENT_USER, sectionKey.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr,
                                        nullptr, &bytes);
        if (status != ERROR_SUCCESS) return fallback;  // no such section or key, or not a string
        std::wstring value(bytes / sizeof(wchar_t) + 1, L'\0');
        bytes = static_cast<DWORD>(value.size() * sizeof(wchar_t));
        status = ::RegGetValueW(HKEY_CURRENT_USER, sectionKey.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr,
                                value.data(), &bytes);
        if (status == ERROR_MORE_DATA) continue;
        if (status != ERROR_SUCCESS) return fallback;
        // The size counts the terminating null, which is not part of the text.
        value.resize(bytes / sizeof(wchar_t));
        if (!value.empty() && value.back() == L'\0') value.pop_back();
        return narrow(value);
    }
    return fallback;
}

bool RegistrySettingsStore::save(const std::string& section, const std::string& key, const std::string& value) {
    const std::wstring sectionKey = widen(applicationKey_ + "\\" + section);
    HKEY handle = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, sectionKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                          nullptr, &handle, nullptr) != ERROR_SUCCESS)
        return false;
    const std::wstring name = widen(key);
    const std::wstring data = widen(value);
    const auto bytes = static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t));  // with its terminating null
    const LSTATUS status =
        ::RegSetValueExW(handle, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()), bytes);
    ::RegCloseKey(handle);
    return status == ERROR_SUCCESS;
}

std::string RegistrySettingsStore::locationOf(const std::string& section) {
    return "HKEY_CURRENT_USER\\" + applicationKey_ + "\\" + section;
}

}  // namespace syncward
