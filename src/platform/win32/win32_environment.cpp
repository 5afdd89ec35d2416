#include "platform/win32/win32_environment.h"

#include <windows.h>

#include <cstdio>
#include <ctime>
#include <vector>

#include "platform/win32/wide_text.h"

namespace syncward {

namespace {

std::wstring modulePath() {
    std::vector<wchar_t> path(MAX_PATH);
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) return std::wstring(path.data(), length);
        path.resize(path.size() * 2);  // cut off: a longer path
    }
}

std::string variable(const wchar_t* name) {
    const DWORD size = ::GetEnvironmentVariableW(name, nullptr, 0);
    if (size == 0) return {};
    std::wstring value(size, L'\0');
    value.resize(::GetEnvironmentVariableW(name, value.data(), size));
    return narrow(value);
}

std::string localeText(LCTYPE item, const std::string& fallback) {
    wchar_t text[16];
    const int length = ::GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, item, text, static_cast<int>(std::size(text)));
    if (length <= 1) return fallback;  // the length counts the terminating null
    return narrow(std::wstring_view(text, static_cast<std::size_t>(length - 1)));
}

}  // namespace

std::string Win32Environment::runningExecutableName() { return nameWithoutExtension(narrow(modulePath())); }

Win32Environment::Win32Environment() {
    const std::string path = narrow(modulePath());
    executableName_ = nameWithoutExtension(path);
    const auto separator = path.find_last_of("\\/");
    executableFolder_ = separator == std::string::npos ? std::string() : path.substr(0, separator);
}

std::string Win32Environment::nameWithoutExtension(const std::string& path) {
    const auto separator = path.find_last_of("\\/");
    std::string name = separator == std::string::npos ? path : path.substr(separator + 1);
    const auto dot = name.find_last_of('.');
    if (dot != std::string::npos && dot > 0) name.resize(dot);
    return name;
}

std::string Win32Environment::computerName() {
    std::string name = variable(L"COMPUTERNAME");
    if (!name.empty()) return name;
    wchar_t buffer[MAX_COMPUTERNAME_LENGTH + 1];
    DWORD length = static_cast<DWORD>(std::size(buffer));
    return ::GetComputerNameW(buffer, &length) ? narrow(std::wstring_view(buffer, length)) : std::string();
}

std::string Win32Environment::userName() {
    std::string name = variable(L"USERNAME");
    if (!name.empty()) return name;
    wchar_t buffer[256 + 1];
    DWORD length = static_cast<DWORD>(std::size(buffer));
    if (!::GetUserNameW(buffer, &length) || length == 0) return {};
    return narrow(std::wstring_view(buffer, length - 1));  // the length counts the terminating null
}

std::string Win32Environment::dateText() {
    wchar_t text[80];
    const int length = ::GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, text,
                                         static_cast<int>(std::size(text)), nullptr);
    if (length <= 1) return {};
    return narrow(std::wstring_view(text, static_cast<std::size_t>(length - 1)));
}

// The long time formats of many locales add AM/PM or a zone; the run record
// wants the time of day, so it uses hours, minutes and seconds.
std::string Win32Environment::timeText() {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    char text[16];
    std::snprintf(text, sizeof text, "%02u:%02u:%02u", unsigned(now.wHour), unsigned(now.wMinute),
                  unsigned(now.wSecond));
    return text;
}

NumberSeparators Win32Environment::numberSeparators() {
    const NumberSeparators standard;
    return {localeText(LOCALE_STHOUSAND, standard.group), localeText(LOCALE_SDECIMAL, standard.decimal)};
}

long long Win32Environment::secondsSinceEpoch() { return static_cast<long long>(std::time(nullptr)); }

// The local time of that moment read back as if it were UTC: the
// difference is the zone's offset then, daylight saving included.
int Win32Environment::utcOffsetSeconds(long long secondsSinceEpoch) {
    const __time64_t at = secondsSinceEpoch;
    std::tm local{};
    if (::_localtime64_s(&local, &at) != 0) return 0;
    const __time64_t asUtc = ::_mkgmtime64(&local);
    return asUtc == -1 ? 0 : static_cast<int>(asUtc - at);
}

}  // namespace syncward
