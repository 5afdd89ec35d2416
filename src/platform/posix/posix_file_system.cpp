#include "platform/posix/posix_file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace syncward {

namespace fs = std::filesystem;

std::optional<std::string> PosixFileSystem::readText(const std::string& path) {
    if (path.empty()) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return std::nullopt;
    return text;
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

}  // namespace

// Written into a private temporary file beside the target, flushed, then
// renamed over it: a reader sees the old file or the new one, never half.
bool PosixFileSystem::writeText(const std::string& path, const std::string& text) {
    if (path.empty()) return false;
    std::string temporary = path + ".tmp-XXXXXX";
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

std::optional<std::uint64_t> PosixFileSystem::folderSize(const std::string& path) {
    std::error_code error;
    if (path.empty() || !fs::is_directory(path, error)) return std::nullopt;
    // A sub-folder that cannot be read fails the whole measurement: a sum
    // that silently leaves part of the chain out would be reported as its size.
    fs::recursive_directory_iterator it(path, fs::directory_options::none, error);
    if (error) return std::nullopt;
    std::uint64_t total = 0;
    while (it != fs::recursive_directory_iterator()) {
        // A file that vanishes between listing and asking its size is not
        // counted; only a folder that cannot be listed fails.
        std::error_code fileError;
        const fs::file_status status = it->symlink_status(fileError);
        if (!fileError && fs::is_regular_file(status)) {
            const auto size = it->file_size(fileError);
            if (!fileError) total += size;
        }
        it.increment(error);
        if (error) return std::nullopt;  // checked here: a failed step may also end the walk
    }
    return total;
}

}  // namespace syncward
