#pragma once

#include <cstddef>
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

// What a server said first on a TCP connection, before anything was sent
// to it. A mail server greets at once; one that takes the connection and
// then says nothing, or closes it, takes no mail either.
struct ServerGreeting {
    enum class Outcome {
        NoConnection,  // refused, unreachable or not accepted in time, or no such host
        Silent,        // accepted, but no whole line came in time
        Closed,        // accepted, then closed before a whole line
        Line,          // a whole first line came
    };
    Outcome outcome = Outcome::NoConnection;
    // The first line without its line end; short of a whole line, whatever
    // part of one came.
    std::string line;
};

// A reply line is at most this long in SMTP; a server that sends more
// without a line end is taken at its first bytes.
inline constexpr std::size_t greetingMaxBytes = 512;

// The greeting the bytes received make: a whole first line, or, short of
// one, a closed connection or silence.
inline ServerGreeting greetingOf(const std::string& received, bool closed) {
    const std::size_t end = received.find('\n');
    if (end == std::string::npos && received.size() < greetingMaxBytes)
        return {closed ? ServerGreeting::Outcome::Closed : ServerGreeting::Outcome::Silent, received};
    std::string line = received.substr(0, end == std::string::npos ? greetingMaxBytes : end);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return {ServerGreeting::Outcome::Line, line};
}

// Questions the set-up check asks the system. Every answer comes at once,
// or within the limit the caller gives; none changes anything.
class SetupProbe {
public:
    virtual ~SetupProbe() = default;
    virtual PathFacts path(const std::string& path) = 0;
    // Connects to host:port and waits for the server's first line, both
    // within the limit; nothing is sent, and the connection is closed as
    // soon as the line (or the limit) is there.
    virtual ServerGreeting greeting(const std::string& host, int port, int limitMs) = 0;
    // Runs a program (argv[0] a path, no shell) to its end, at most for the
    // limit; one still running then is ended.
    virtual ProgramOutput runToEnd(const std::vector<std::string>& argv, int limitMs) = 0;
    // The folders the system looks in for programs (PATH), in order.
    virtual std::vector<std::string> programFolders() = 0;
    // The names in a folder; empty when it cannot be read.
    virtual std::vector<std::string> folderNames(const std::string& folder) = 0;
};

}  // namespace syncward
