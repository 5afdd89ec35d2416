#include "platform/posix/posix_file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <new>
#include <string_view>

namespace syncward {

namespace fs = std::filesystem;

namespace {

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

TextRead failedRead(ReadFailure failure) { return {std::nullopt, failure}; }

ReadFailure failureOfOpen(int error) {
    return error == ENOENT || error == ENOTDIR ? ReadFailure::missing : ReadFailure::unreadable;
}

// Reads to the end, or one byte past the limit to tell a file that is too large.
TextRead readAll(int fd, std::size_t limit, std::size_t expected) {
    std::string text;
    text.reserve(std::min(expected, limit));
    char chunk[64 * 1024];
    for (;;) {
        const std::size_t room = limit - text.size();
        const ssize_t n = ::read(fd, chunk, room < sizeof chunk ? room + 1 : sizeof chunk);
        if (n < 0) {
            if (errno == EINTR) continue;
            return failedRead(ReadFailure::unreadable);
        }
        if (n == 0) return {std::move(text), ReadFailure::none};
        if (static_cast<std::size_t>(n) > room) return failedRead(ReadFailure::tooLarge);
        text.append(chunk, static_cast<std::size_t>(n));
    }
}

}  // namespace

namespace {

// With follow false a symbolic link at the path itself is not a regular
// file: lstat sees the link, and the open refuses it (ELOOP) should one be
// put there meanwhile.
TextRead readRegularFile(const std::string& path, std::size_t limit, bool follow) {
    if (path.empty()) return failedRead(ReadFailure::missing);
    // Asked first so that a device is never even opened (opening some has
    // effects of its own); asked again on the open file, which may have been
    // swapped meanwhile.
    struct stat info {};
    if ((follow ? ::stat(path.c_str(), &info) : ::lstat(path.c_str(), &info)) != 0)
        return failedRead(failureOfOpen(errno));
    if (!S_ISREG(info.st_mode)) return failedRead(ReadFailure::notRegularFile);
    // Non-blocking, so that a pipe put in the file's place cannot hang the open.
    const int noFollow = follow ? 0 : O_NOFOLLOW;
    const Descriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY | noFollow));
    if (fd.get() < 0) return failedRead(errno == ELOOP ? ReadFailure::notRegularFile : failureOfOpen(errno));
    if (::fstat(fd.get(), &info) != 0) return failedRead(ReadFailure::unreadable);
    if (!S_ISREG(info.st_mode)) return failedRead(ReadFailure::notRegularFile);
    if (info.st_size > 0 && static_cast<std::uint64_t>(info.st_size) > limit) return failedRead(ReadFailure::tooLarge);
    try {
        return readAll(fd.get(), limit, static_cast<std::size_t>(info.st_size));
    } catch (const std::bad_alloc&) {
        return failedRead(ReadFailure::unreadable);
    }
}

}  // namespace

TextRead PosixFileSystem::readText(const std::string& path, std::size_t limit) {
    return readRegularFile(path, limit, true);
}

TextRead PosixFileSystem::readTextNoFollow(const std::string& path, std::size_t limit) {
    return readRegularFile(path, limit, false);
}

namespace {

bool writeAll(int fd, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

constexpr std::string_view temporarySuffix = ".tmp-";
constexpr std::size_t temporaryRandomLength = 6;  // the XXXXXX mkstemp fills with letters and digits

// "<name>.tmp-" and six letters or digits: a temporary file of a write of
// <name> that never reached its rename.
bool isTemporaryOf(std::string_view entry, std::string_view name) {
    if (entry.size() != name.size() + temporarySuffix.size() + temporaryRandomLength) return false;
    if (entry.substr(0, name.size()) != name || entry.substr(name.size(), temporarySuffix.size()) != temporarySuffix)
        return false;
    const std::string_view random = entry.substr(name.size() + temporarySuffix.size());
    return std::all_of(random.begin(), random.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    });
}

// A write killed before its rename (power cut, kill -9) leaves its
// temporary file behind. The files this program writes have one writer,
// so the next write of the same file removes them: only regular files of
// this user, named exactly as its own temporaries are.
void removeLeftTemporaries(const std::string& path) {
    const auto slash = path.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    const std::string_view name =
        slash == std::string::npos ? std::string_view(path) : std::string_view(path).substr(slash + 1);
    if (name.empty()) return;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return;
    const int dirFd = ::dirfd(dir);
    while (const dirent* entry = ::readdir(dir)) {
        if (!isTemporaryOf(entry->d_name, name)) continue;
        struct stat info {};
        if (::fstatat(dirFd, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0) continue;
        if (S_ISREG(info.st_mode) && info.st_uid == ::geteuid()) ::unlinkat(dirFd, entry->d_name, 0);
    }
    ::closedir(dir);
}

}  // namespace

// Written into a private temporary file beside the target, flushed, then
// renamed over it: a reader sees the old file or the new one, never half.
bool PosixFileSystem::writeText(const std::string& path, const std::string& text) {
    if (path.empty()) return false;
    removeLeftTemporaries(path);
    std::string temporary = path + std::string(temporarySuffix) + std::string(temporaryRandomLength, 'X');
    const int fd = ::mkstemp(temporary.data());  // created 0600
    if (fd < 0) return false;
    const bool written = writeAll(fd, text) && ::fsync(fd) == 0;
    if (::close(fd) != 0 || !written || ::rename(temporary.c_str(), path.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    return true;
}

bool PosixFileSystem::folderExists(const std::string& path) {
    std::error_code error;
    return !path.empty() && fs::is_directory(path, error);
}

bool PosixFileSystem::createFolder(const std::string& path) {
    if (path.empty()) return false;
    if (::mkdir(path.c_str(), 0700) == 0) return true;
    return errno == EEXIST && folderExists(path);
}

bool PosixFileSystem::removeFile(const std::string& path) {
    if (path.empty()) return false;
    return ::unlink(path.c_str()) == 0 || errno == ENOENT;
}

// One write of the whole line at the end, so a reader (or a crash) never
// sees half of it beside a whole one; a device or a pipe in the file's
// place is refused, and a link there is not followed (O_NOFOLLOW also keeps
// a link to nothing from creating its target).
bool PosixFileSystem::appendLine(const std::string& path, const std::string& line) {
    if (path.empty()) return false;
    const Descriptor fd(
        ::open(path.c_str(), O_RDWR | O_APPEND | O_CREAT | O_NONBLOCK | O_CLOEXEC | O_NOCTTY | O_NOFOLLOW, 0600));
    if (fd.get() < 0) return false;
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
    std::string text;
    char last = '\n';
    if (info.st_size > 0 && ::pread(fd.get(), &last, 1, info.st_size - 1) != 1) return false;
    if (last != '\n') text = "\n";
    text += line;
    return writeAll(fd.get(), text) && ::fsync(fd.get()) == 0;
}

std::optional<std::uint64_t> PosixFileSystem::freeBytes(const std::string& path) {
    struct statvfs disk {};
    if (path.empty() || ::statvfs(path.c_str(), &disk) != 0) return std::nullopt;
    return static_cast<std::uint64_t>(disk.f_bavail) * disk.f_frsize;
}

}  // namespace syncward
