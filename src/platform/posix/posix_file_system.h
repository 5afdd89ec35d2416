#pragma once

#include "core/platform/file_system.h"

namespace syncward {

class PosixFileSystem : public FileSystem {
public:
    std::optional<std::string> readText(const std::string& path) override;
    bool writeText(const std::string& path, const std::string& text) override;
    bool folderExists(const std::string& path) override;
    bool createFolder(const std::string& path) override;
    std::optional<std::uint64_t> folderSize(const std::string& path) override;
};

}  // namespace syncward
