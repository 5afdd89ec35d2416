#pragma once

// What the stand-in daemon and client share: the files in their own folder
// through which they talk, as a node and its client talk over RPC. Standard
// C++ only, so the stand-ins build for Windows without anything else.
#include <chrono>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace syncward::standin {

namespace fs = std::filesystem;

// The folder the program was started from: the program is given by its
// path, as the node command files call it.
inline fs::path ownFolder(const char* argv0) {
    const fs::path folder = fs::path(argv0 ? argv0 : "").parent_path();
    return folder.empty() ? fs::current_path() : folder;
}

// The files of one node, all in its folder.
struct NodeFiles {
    explicit NodeFiles(const fs::path& folder)
        : height(folder / "height"),
          running(folder / "running"),
          stop(folder / "stop"),
          flushSeconds(folder / "flush-seconds"),
          exitTime(folder / "daemon-exited"),
          oldClient(folder / "old-client"),
          diesAfter(folder / "dies-after-seconds") {}
    fs::path height;        // the chain height the "network" offers
    fs::path running;       // there while the daemon serves
    fs::path stop;          // the client's stop request
    fs::path flushSeconds;  // how long the daemon "flushes" after the stop
    fs::path exitTime;      // when the daemon exited, in ms since the epoch
    fs::path oldClient;     // there: the client knows no node-check call
    fs::path diesAfter;     // there: the daemon dies unasked after so many seconds
};

inline std::string wholeFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The first whole number in a file, or fallback.
inline long long numberIn(const fs::path& path, long long fallback) {
    try {
        return std::stoll(wholeFile(path));
    } catch (const std::exception&) {
        return fallback;
    }
}

inline long long nowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

}  // namespace syncward::standin
