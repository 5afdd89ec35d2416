#pragma once

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace syncward::testing {

// Polls until the condition holds or the limit has passed; the limit only
// keeps a broken test from hanging, it measures nothing.
inline bool eventually(const std::function<bool()>& condition, int limitMs = 10000) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
    while (std::chrono::steady_clock::now() < end) {
        if (condition()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return condition();
}

inline std::optional<std::string> slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline void writeFile(const std::string& path, const std::string& text, mode_t mode = 0644) {
    std::ofstream(path, std::ios::binary) << text;
    ::chmod(path.c_str(), mode);
}

// Single-quoted for /bin/sh, for the test programs' own scripts.
inline std::string shellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// A program that records the arguments it was given, each as its length, a
// colon, the argument and a line end, and appears whole once done.
inline void writeArgumentRecorder(const std::string& path, const std::string& output) {
    const std::string out = shellQuoted(output);
    writeFile(path,
              "#!/bin/sh\n"
              "for a in \"$@\"; do printf '%s:%s\\n' \"${#a}\" \"$a\"; done > " + out + ".tmp\n"
              "mv " + out + ".tmp " + out + "\n",
              0755);
}

inline std::string recorded(const std::vector<std::string>& arguments) {
    std::string text;
    for (const std::string& a : arguments) text += std::to_string(a.size()) + ":" + a + "\n";
    return text;
}

// A field of /proc/PID/stat after the command name: 0 is the state.
inline std::optional<std::string> statField(int pid, int index) {
    const auto stat = slurp("/proc/" + std::to_string(pid) + "/stat");
    if (!stat) return std::nullopt;
    std::istringstream fields(stat->substr(stat->rfind(')') + 2));
    std::string field;
    for (int i = 0; i <= index && fields >> field; ++i) {
    }
    return field;
}

// This process's children that have exited but were never reaped.
inline int zombieChildren() {
    int zombies = 0;
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        const std::string name = entry.path().filename();
        if (name.find_first_not_of("0123456789") != std::string::npos) continue;
        const int pid = std::stoi(name);
        if (statField(pid, 1) == std::to_string(::getpid()) && statField(pid, 0) == "Z") ++zombies;
    }
    return zombies;
}

inline bool processGone(int pid) { return !std::filesystem::exists("/proc/" + std::to_string(pid)); }

}  // namespace syncward::testing
