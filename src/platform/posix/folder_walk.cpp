#include "platform/posix/folder_walk.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

namespace syncward {

namespace {

// One listing of a folder, closed however the walk leaves it.
class Listing {
public:
    explicit Listing(const std::string& path)
        : dir_(openFolder(path)) {}
    ~Listing() {
        if (dir_) ::closedir(dir_);
    }
    Listing(const Listing&) = delete;
    Listing& operator=(const Listing&) = delete;

    DIR* get() const { return dir_; }

private:
    static DIR* openFolder(const std::string& path) {
        // O_NOFOLLOW: a folder swapped for a link meanwhile is not followed.
        const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0) return nullptr;
        DIR* dir = ::fdopendir(fd);
        if (!dir) ::close(fd);
        return dir;
    }

    DIR* dir_;
};

bool isDotOrDotDot(const char* name) { return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0')); }

}  // namespace

// Each folder is listed once and each regular file asked for its size once,
// relative to its open folder: no path is looked up again from the root.
// The entry's type from the listing spares a question for folders and
// links; only file systems that do not tell it are asked.
std::optional<std::uint64_t> sumRegularFileSizes(const std::string& folder, const std::atomic<bool>* stop) {
    if (folder.empty()) return std::nullopt;
    struct stat info {};
    if (::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return std::nullopt;
    const auto stopped = [stop] { return stop && stop->load(std::memory_order_relaxed); };

    std::uint64_t total = 0;
    std::vector<std::string> folders{folder};
    bool top = true;
    while (!folders.empty()) {
        const std::string path = std::move(folders.back());
        folders.pop_back();
        // The folder asked for may itself be reached through a link.
        const Listing listing(top ? path + "/." : path);
        top = false;
        if (!listing.get()) {
            // A sub-folder removed between its listing and now is simply
            // gone; one that cannot be read fails the whole measurement: a
            // sum that silently left part of the chain out would be reported
            // as its size.
            if (errno == ENOENT || errno == ENOTDIR || errno == ELOOP) continue;
            return std::nullopt;
        }
        const int fd = ::dirfd(listing.get());
        for (;;) {
            if (stopped()) return std::nullopt;
            errno = 0;
            const dirent* entry = ::readdir(listing.get());
            if (!entry) {
                if (errno != 0) return std::nullopt;
                break;
            }
            if (isDotOrDotDot(entry->d_name)) continue;
            unsigned char type = entry->d_type;
            if (type == DT_REG || type == DT_UNKNOWN) {
                // A file that vanishes between listing and asking is not counted.
                if (::fstatat(fd, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0) continue;
                if (S_ISREG(info.st_mode)) {
                    total += static_cast<std::uint64_t>(info.st_size);
                    continue;
                }
                type = S_ISDIR(info.st_mode) ? DT_DIR : DT_UNKNOWN;
            }
            if (type == DT_DIR) folders.push_back(path + '/' + entry->d_name);
        }
    }
    return total;
}

}  // namespace syncward
