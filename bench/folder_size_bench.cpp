// How long one folder measurement takes: the walk over a blockchain-like
// tree (many block files in a few folders) and the six formatted lines.
// Run: cmake --build build --target benchmarks && build/bench/folder_size_bench [files]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/keepawake/size_ladder.h"
#include "platform/posix/posix_file_system.h"

namespace fs = std::filesystem;

int main(int argc, char* argv[]) {
    const int files = argc > 1 ? std::atoi(argv[1]) : 20000;
    std::string pattern = (fs::temp_directory_path() / "syncward-bench-XXXXXX").string();
    const fs::path root = ::mkdtemp(pattern.data());
    for (int i = 0; i < files; ++i) {
        const fs::path folder = root / (i % 4 == 0 ? "blocks/index" : i % 4 == 1 ? "chainstate" : "blocks");
        fs::create_directories(folder);
        std::ofstream(folder / ("f" + std::to_string(i))) << std::string(static_cast<std::size_t>(i % 512), 'x');
    }

    syncward::PosixFileSystem fileSystem;
    using Clock = std::chrono::steady_clock;
    const int rounds = 5;
    double best = 1e9;
    std::uint64_t bytes = 0;
    for (int r = 0; r < rounds; ++r) {
        const auto start = Clock::now();
        bytes = fileSystem.folderSize(root.string()).value_or(0);
        best = std::min(best, std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }

    const int formats = 100000;
    const auto start = Clock::now();
    std::size_t sink = 0;
    for (int i = 0; i < formats; ++i) sink += syncward::sizeLadder(bytes + static_cast<std::uint64_t>(i), {})[5].size();
    const double perLadder = std::chrono::duration<double, std::micro>(Clock::now() - start).count() / formats;

    std::printf("folder walk: %d files, %llu bytes, best of %d: %.2f ms\n", files,
                static_cast<unsigned long long>(bytes), rounds, best);
    std::printf("six-line ladder: %.3f us each (%zu)\n", perLadder, sink);
    fs::remove_all(root);
    return 0;
}
