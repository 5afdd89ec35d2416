#pragma once

#include "core/platform/file_system.h"

namespace syncward {

// Files through the Windows calls: nothing here throws, and a path that
// names a device (NUL, CON, a pipe) or a folder is refused before it is
// read. Written files and created folders are the user's alone.
class Win32FileSystem : public FileSystem {
public:
    TextRead readText(const std::string& path, std::size_t limit) override;
    TextRead readTextNoFollow(const std::string& path, std::size_t limit) override;
    // Written into a temporary file beside the target, flushed, then moved
    // over it in one step: a reader sees the old file or the new one.
    bool writeText(const std::string& path, const std::string& text) override;
    // Batch files in the OEM code page, which cmd.exe reads them in.
    bool writeCommandText(const std::string& path, const std::string& text) override;
    TextRead readCommandText(const std::string& path, std::size_t limit) override;
    bool folderExists(const std::string& path) override;
    bool createFolder(const std::string& path) override;
    bool removeFile(const std::string& path) override;
    bool appendLine(const std::string& path, const std::string& line) override;
    std::optional<std::uint64_t> freeBytes(const std::string& path) override;
};

}  // namespace syncward
