#include "platform/posix/folder_walk.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <set>
#include <utility>
#include <vector>

namespace syncward {

namespace {

// One listing of a folder, closed however the walk leaves it.
class Listing {
public:
    Listing(const std::string& path, bool follow) : dir_(openFolder(path, follow)) {}
    ~Listing() {
        if (dir_) ::closedir(dir_);
    }
    Listing(const Listing&) = delete;
    Listing& operator=(const Listing&) = delete;

    DIR* get() const { return dir_; }

private:
    static DIR* openFolder(const std::string& path, bool follow) {
        // O_NOFOLLOW for a folder listed as one: a folder swapped for a link
        // meanwhile is not followed behind the walk's back.
        const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | (follow ? 0 : O_NOFOLLOW));
        if (fd < 0) return nullptr;
        DIR* dir = ::fdopendir(fd);
        if (!dir) ::close(fd);
        return dir;
    }

    DIR* dir_;
};

bool isDotOrDotDot(const char* name) { return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0')); }

struct Pending {
    std::string path;
    bool follow;  // reached through a link
};

}  // namespace

// Each folder is listed once and each regular file asked for its size once,
// relative to its open folder: no path is looked up again from the root.
// The entry's type from the listing spares a question for folders; only
// links and file systems that do not tell the type are asked.
FolderWalk measureFolder(const std::string& folder, const std::atomic<bool>* stop) {
    FolderWalk size;
    if (folder.empty()) return size;
    struct stat info {};
    if (::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return size;
    const auto stopped = [stop] { return stop && stop->load(std::memory_order_relaxed); };

    std::uint64_t total = 0;
    std::set<std::pair<dev_t, ino_t>> listed;
    std::vector<Pending> folders{{folder, true}};
    bool top = true;
    while (!folders.empty()) {
        const Pending next = std::move(folders.back());
        folders.pop_back();
        const std::string& path = next.path;
        const Listing listing(top ? path + "/." : path, next.follow);
        const bool isTop = std::exchange(top, false);
        if (!listing.get()) {
            if (isTop) return size;
            // A sub-folder removed between its listing and now is simply gone.
            if (errno == ENOENT || errno == ENOTDIR || errno == ELOOP) continue;
            size.unread.push_back(path);
            continue;
        }
        const int fd = ::dirfd(listing.get());
        if (::fstat(fd, &info) != 0 || !listed.insert({info.st_dev, info.st_ino}).second) continue;
        for (;;) {
            if (stopped()) return {};
            errno = 0;
            const dirent* entry = ::readdir(listing.get());
            if (!entry) {
                if (errno != 0) size.unread.push_back(path);
                break;
            }
            if (isDotOrDotDot(entry->d_name)) continue;
            const unsigned char type = entry->d_type;
            if (type == DT_DIR) {
                folders.push_back({path + '/' + entry->d_name, false});
                continue;
            }
            if (type != DT_REG && type != DT_UNKNOWN && type != DT_LNK) continue;
            // A file that vanishes between listing and asking is not counted.
            if (::fstatat(fd, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0) continue;
            if (S_ISREG(info.st_mode)) {
                total += static_cast<std::uint64_t>(info.st_size);
            } else if (S_ISDIR(info.st_mode)) {
                folders.push_back({path + '/' + entry->d_name, false});
            } else if (S_ISLNK(info.st_mode)) {
                // Only a link to a folder is followed: a link to a single file
                // is no layout a node makes, and a dangling one holds nothing.
                if (::fstatat(fd, entry->d_name, &info, 0) == 0 && S_ISDIR(info.st_mode))
                    folders.push_back({path + '/' + entry->d_name, true});
            }
        }
    }
    size.bytes = total;
    return size;
}

std::optional<std::uint64_t> sumRegularFileSizes(const std::string& folder, const std::atomic<bool>* stop) {
    return measureFolder(folder, stop).bytes;
}

}  // namespace syncward
