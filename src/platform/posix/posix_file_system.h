#pragma once

#include "core/platform/file_system.h"

namespace syncward {

// Files through plain POSIX calls: nothing here throws, and a path that
// names a device, a pipe or a folder is refused before it is read.
class PosixFileSystem : public FileSystem {
public:
    TextRead readText(const std::string& path, std::size_t limit) override;
    TextRead readTextNoFollow(const std::string& path, std::size_t limit) override;
    bool writeText(const std::string& path, const std::string& text) override;
    bool folderExists(const std::string& path) override;
    bool createFolder(const std::string& path) override;
    bool removeFile(const std::string& path) override;
    bool appendLine(const std::string& path, const std::string& line) override;
    std::optional<std::uint64_t> freeBytes(const std::string& path) override;
};

}  // namespace syncward
