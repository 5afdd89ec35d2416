#include "platform/posix/proc_process_table.h"

#include <dirent.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <functional>
#include <iterator>

namespace syncward {

namespace {

std::string lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

std::string baseName(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// The names one process answers to, lower-cased; empty for a zombie or a
// process that vanished while we looked.
struct ProcessNames {
    std::string executable, argv0, comm;
    bool matches(const std::string& wanted) const {
        if (wanted.empty()) return false;
        return wanted == executable || wanted == argv0 || wanted.substr(0, 15) == comm;
    }
};

std::optional<ProcessNames> namesOf(const std::string& dir) {
    // /proc/PID/stat: "pid (comm) state ..."; comm may hold blanks and ')'.
    const std::string stat = readFile(dir + "/stat");
    const auto close = stat.rfind(')');
    if (close == std::string::npos || close + 2 >= stat.size()) return std::nullopt;
    if (stat[close + 2] == 'Z' || stat[close + 2] == 'X') return std::nullopt;

    ProcessNames names;
    std::string comm = readFile(dir + "/comm");
    if (!comm.empty() && comm.back() == '\n') comm.pop_back();
    names.comm = lowered(comm);

    char link[4096];
    const ssize_t n = ::readlink((dir + "/exe").c_str(), link, sizeof link - 1);
    if (n > 0) {
        std::string exe(link, static_cast<std::size_t>(n));
        const std::string deleted = " (deleted)";
        if (exe.size() > deleted.size() && exe.compare(exe.size() - deleted.size(), deleted.size(), deleted) == 0)
            exe.resize(exe.size() - deleted.size());
        names.executable = lowered(baseName(exe));
    }
    const std::string cmdline = readFile(dir + "/cmdline");
    names.argv0 = lowered(baseName(cmdline.substr(0, cmdline.find('\0'))));
    return names;
}

// Calls visit(pid, names, owner) for every live process; false if /proc
// could not be read at all.
bool forEachProcess(const std::string& root,
                    const std::function<void(pid_t, const ProcessNames&, uid_t)>& visit) {
    DIR* dir = ::opendir(root.c_str());
    if (!dir) return false;
    while (dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.empty() || !std::all_of(name.begin(), name.end(), ::isdigit)) continue;
        const std::string path = root + "/" + name;
        struct stat info {};
        if (::stat(path.c_str(), &info) != 0) continue;
        if (auto names = namesOf(path)) visit(static_cast<pid_t>(std::stol(name)), *names, info.st_uid);
    }
    ::closedir(dir);
    return true;
}

}  // namespace

std::optional<std::vector<bool>> ProcProcessTable::running(const std::vector<std::string>& names) {
    std::vector<std::string> wanted;
    for (const std::string& name : names) wanted.push_back(lowered(name));
    std::vector<bool> found(names.size(), false);
    const bool read = forEachProcess(procRoot_, [&](pid_t, const ProcessNames& process, uid_t) {
        for (std::size_t i = 0; i < wanted.size(); ++i)
            if (!found[i] && process.matches(wanted[i])) found[i] = true;
    });
    if (!read) return std::nullopt;
    return found;
}

void ProcProcessTable::terminate(const std::string& name) {
    const std::string wanted = lowered(name);
    const uid_t self = ::getuid();
    const pid_t own = ::getpid();
    bool endSelf = false;
    forEachProcess(procRoot_, [&](pid_t pid, const ProcessNames& process, uid_t owner) {
        if (owner != self || !process.matches(wanted)) return;
        if (pid == own)
            endSelf = true;  // last, or the others would survive
        else
            ::kill(pid, SIGKILL);
    });
    if (endSelf) ::kill(own, SIGKILL);
}

}  // namespace syncward
