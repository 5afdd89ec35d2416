// How long one folder measurement takes: the walk over a blockchain-like
// tree (many block files in a few folders), against `du -sb` on the same
// tree in the same run, warm cache; and the six formatted lines.
// Run: cmake --build build --target benchmarks && build/bench/folder_size_bench [files]
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench_tree.h"
#include "core/foldersize/size_ladder.h"
#include "platform/posix/folder_walk.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start) { return std::chrono::duration<double, std::milli>(Clock::now() - start).count(); }

// One `du -sb` of the folder, from start to its exit, output discarded.
double timeDu(const std::string& folder) {
    std::vector<std::string> argv = {"du", "-sb", folder};
    std::vector<char*> args;
    for (auto& a : argv) args.push_back(a.data());
    args.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    const auto start = Clock::now();
    pid_t pid = 0;
    if (posix_spawnp(&pid, "du", &actions, nullptr, args.data(), environ) != 0) std::exit(1);
    int status = 0;
    waitpid(pid, &status, 0);
    const double ms = msSince(start);
    posix_spawn_file_actions_destroy(&actions);
    return ms;
}

}  // namespace

int main(int argc, char* argv[]) {
    const int files = argc > 1 ? std::atoi(argv[1]) : 100000;
    const BenchTree tree(files);

    std::uint64_t bytes = 0;
    timeDu(tree.path());  // warms the cache for both
    bytes = syncward::sumRegularFileSizes(tree.path()).value_or(0);
    const int rounds = 7;
    std::vector<double> ours, du;
    for (int r = 0; r < rounds; ++r) {  // taken in turns, so load on the machine hits both alike
        const auto start = Clock::now();
        bytes = syncward::sumRegularFileSizes(tree.path()).value_or(0);
        ours.push_back(msSince(start));
        du.push_back(timeDu(tree.path()));
    }
    std::sort(ours.begin(), ours.end());
    std::sort(du.begin(), du.end());

    const int formats = 100000;
    const auto start = Clock::now();
    std::size_t sink = 0;
    for (int i = 0; i < formats; ++i) sink += syncward::sizeLadder(bytes + static_cast<std::uint64_t>(i), {})[5].size();
    const double perLadder = msSince(start) * 1000 / formats;

    std::printf("folder walk: %d files, %llu bytes, warm cache, %d rounds each\n", files,
                static_cast<unsigned long long>(bytes), rounds);
    std::printf("  syncward walk: best %.1f ms, median %.1f ms\n", ours.front(), ours[rounds / 2]);
    std::printf("  du -sb:        best %.1f ms, median %.1f ms\n", du.front(), du[rounds / 2]);
    std::printf("  ratio walk / du -sb: best %.2f, median %.2f\n", ours.front() / du.front(),
                ours[rounds / 2] / du[rounds / 2]);
    std::printf("six-line ladder: %.3f us each (%zu)\n", perLadder, sink);
    return 0;
}
