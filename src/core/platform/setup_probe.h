#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace syncward {

// What a path is on disk, as the user the program runs as sees it.
struct PathFacts {
    bool exists = false;
    bool folder = false;
    bool readable = false;
    bool writable = false;
    bool executable = false;
    // Group or others may read it: a file with a password must not be.
    bool sharedWithOthers = false;
};

// What a program printed before it ended, or why it gave no end.
struct ProgramOutput {
    bool started = false;
    bool timedOut = false;  // ended by the caller's limit
    int status = -1;        // the exit status once it ended by itself
    std::string text;       // standard output and error, as printed
};

// Questions the set-up check asks the system. Every answer comes at once,
// or within the limit the caller gives; none changes anything.
class SetupProbe {
public:
    virtual ~SetupProbe() = default;
    virtual PathFacts path(const std::string& path) = 0;
    // Bytes free to this user on the file system that holds the path;
    // nullopt when it cannot be told.
    virtual std::optional<std::uint64_t> freeBytes(const std::string& path) = 0;
    // Whether a TCP connection to host:port is accepted within the limit;
    // closed again at once, nothing sent.
    virtual bool connects(const std::string& host, int port, int limitMs) = 0;
    // Runs a program (argv[0] a path, no shell) to its end, at most for the
    // limit; one still running then is ended.
    virtual ProgramOutput runToEnd(const std::vector<std::string>& argv, int limitMs) = 0;
    // The folders the system looks in for programs (PATH), in order.
    virtual std::vector<std::string> programFolders() = 0;
    // The names in a folder; empty when it cannot be read.
    virtual std::vector<std::string> folderNames(const std::string& folder) = 0;
};

}  // namespace syncward
