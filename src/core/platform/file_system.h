#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace syncward {

// Plain text files and folders. Texts are bytes as they stand on disk.
class FileSystem {
public:
    virtual ~FileSystem() = default;
    // The whole file, every byte; nullopt when it is missing or unreadable.
    virtual std::optional<std::string> readText(const std::string& path) = 0;
    // Creates or replaces the file whole (a reader never sees half of it),
    // readable by its owner only. False when it could not be written.
    virtual bool writeText(const std::string& path, const std::string& text) = 0;
    virtual bool folderExists(const std::string& path) = 0;
    // Creates one folder; its parent must exist. True if it exists afterwards.
    virtual bool createFolder(const std::string& path) = 0;
    // Sum of the sizes of the regular files below the folder, links not
    // followed; nullopt when the folder is missing or unreadable.
    virtual std::optional<std::uint64_t> folderSize(const std::string& path) = 0;
};

}  // namespace syncward
