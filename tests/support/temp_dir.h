#pragma once

#include <filesystem>
#include <random>
#include <stdexcept>
#include <string>

namespace syncward::testing {

// A fresh folder under the system's temporary folder, readable by its owner
// only, removed afterwards. Made with the standard library alone, so the
// same tests build for Windows.
class TempDir {
public:
    TempDir() {
        namespace fs = std::filesystem;
        const fs::path base = fs::temp_directory_path();
        std::random_device random;
        for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
            const fs::path candidate = base / ("syncward-test-" + std::to_string(random()));
            std::error_code error;
            // Creating it is the test of being first: another test (or
            // another test program) that picked the same name gets false.
            if (!fs::create_directory(candidate, error)) continue;
            fs::permissions(candidate, fs::perms::owner_all, error);
            path_ = candidate.string();
        }
        if (path_.empty()) throw std::runtime_error("no temporary folder could be created");
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

}  // namespace syncward::testing
