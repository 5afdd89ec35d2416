#include "platform/posix/started_here.h"

#include <sys/random.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdio>

extern char** environ;

namespace syncward {

namespace {

constexpr std::string_view markName = "SYNCWARD_STARTED_BY=";

std::string drawToken() {
    std::uint8_t bytes[16] = {};
    if (::getrandom(bytes, sizeof bytes, 0) != static_cast<ssize_t>(sizeof bytes)) {
        // No entropy source: the process id and the moment still set this
        // process apart from the others of its user.
        const auto now = static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
        const auto pid = static_cast<std::uint64_t>(::getpid());
        for (int i = 0; i < 8; ++i) {
            bytes[i] = static_cast<std::uint8_t>(now >> (8 * i));
            bytes[8 + i] = static_cast<std::uint8_t>(pid >> (8 * i));
        }
    }
    std::string token;
    char hex[3];
    for (const std::uint8_t byte : bytes) {
        std::snprintf(hex, sizeof hex, "%02x", byte);
        token += hex;
    }
    return token;
}

}  // namespace

const std::string& startedHereMark() {
    static const std::string mark = std::string(markName) + drawToken();
    return mark;
}

std::vector<std::string> environmentForStart() {
    std::vector<std::string> environment;
    for (char** entry = environ; entry && *entry; ++entry)
        if (std::string_view(*entry).substr(0, markName.size()) != markName) environment.emplace_back(*entry);
    environment.push_back(startedHereMark());
    return environment;
}

bool environmentHasMark(std::string_view environment) {
    const std::string& mark = startedHereMark();
    for (std::size_t start = 0; start < environment.size();) {
        const std::size_t end = std::min(environment.find('\0', start), environment.size());
        if (environment.substr(start, end - start) == mark) return true;
        start = end + 1;
    }
    return false;
}

}  // namespace syncward
