#pragma once

// A blockchain-like folder for the benchmarks: many block files in a few
// folders, under the system's temporary folder, removed afterwards.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

class BenchTree {
public:
    explicit BenchTree(int files) {
        std::string pattern = (std::filesystem::temp_directory_path() / "syncward-bench-XXXXXX").string();
        root_ = ::mkdtemp(pattern.data());
        for (int i = 0; i < files; ++i) {
            const char* folder = i % 4 == 0 ? "blocks/index" : i % 4 == 1 ? "chainstate" : "blocks";
            std::filesystem::create_directories(root_ / folder);
            std::ofstream(root_ / folder / ("f" + std::to_string(i))) << std::string(static_cast<std::size_t>(i % 512), 'x');
        }
    }
    ~BenchTree() {
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }
    std::string path() const { return root_.string(); }

private:
    std::filesystem::path root_;
};
