#pragma once

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <random>
#include <string>
#include <thread>

#include "platform/win32/wide_text.h"

namespace syncward::testing {

// Polls until the condition holds or the limit has passed; the limit only
// keeps a broken test from hanging, it measures nothing.
inline bool eventually(const std::function<bool()>& condition, int limitMs = 20000) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
    while (std::chrono::steady_clock::now() < end) {
        if (condition()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return condition();
}

inline std::optional<std::string> slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline void writeFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// A name no other test run uses at the same time: the process table sees
// every test program on the machine.
inline std::string uniqueName(const std::string& prefix) {
    static std::mt19937 generator{std::random_device{}()};
    return prefix + "-" + std::to_string(::GetCurrentProcessId()) + "-" + std::to_string(generator() % 1000000);
}

// The full path of the running test program.
inline std::string thisProgram() {
    wchar_t path[MAX_PATH * 4];
    const DWORD length = ::GetModuleFileNameW(nullptr, path, static_cast<DWORD>(std::size(path)));
    return narrow(std::wstring_view(path, length));
}

// A variable set for the length of a test; unset when value is null.
class Variable {
public:
    Variable(const wchar_t* name, const wchar_t* value) : name_(name) {
        // PATH may be longer than any fixed buffer.
        const DWORD size = ::GetEnvironmentVariableW(name, nullptr, 0);
        if (size > 0) {
            std::wstring old(size, L'\0');
            old.resize(::GetEnvironmentVariableW(name, old.data(), size));
            old_ = std::move(old);
        }
        ::SetEnvironmentVariableW(name, value);
    }
    ~Variable() { ::SetEnvironmentVariableW(name_, old_ ? old_->c_str() : nullptr); }

private:
    const wchar_t* name_;
    std::optional<std::wstring> old_;
};

inline std::string fileNameOf(const std::string& path) { return path.substr(path.find_last_of("\\/") + 1); }

// A copy of the test program under another file name, in the folder; its
// full path. The copy is a program of its own to the process table.
inline std::string copyOfThisProgram(const std::string& folder, const std::string& fileName) {
    const std::string copy = folder + "\\" + fileName;
    std::filesystem::copy_file(widen(thisProgram()), widen(copy));
    return copy;
}

}  // namespace syncward::testing
