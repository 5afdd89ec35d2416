// What one tick of the process watch costs: the four watched names through
// one scan of /proc, against the four separate `pgrep -x` runs a simple
// implementation would start every 250 ms.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "platform/posix/proc_process_table.h"

extern char** environ;

namespace {

// Names no process here has: the scan has to look at every process.
const std::vector<std::string> watchedNames = {"bitcoin-qt", "bitcoind", "bitcoin-cli", "sendemail"};

void WatchTickThroughProc(benchmark::State& state) {
    syncward::ProcProcessTable table;
    for (auto _ : state) {
        auto answer = table.running(watchedNames);
        benchmark::DoNotOptimize(answer);
    }
    state.SetLabel("4 names, one /proc scan");
}
BENCHMARK(WatchTickThroughProc)->Unit(benchmark::kMicrosecond);

// The first tick, before the table knows any process.
void FirstWatchTickThroughProc(benchmark::State& state) {
    for (auto _ : state) {
        syncward::ProcProcessTable table;
        auto answer = table.running(watchedNames);
        benchmark::DoNotOptimize(answer);
    }
    state.SetLabel("4 names, nothing remembered");
}
BENCHMARK(FirstWatchTickThroughProc)->Unit(benchmark::kMicrosecond);

bool pgrep(const std::string& name) {
    std::vector<std::string> argv = {"pgrep", "-x", name};
    std::vector<char*> args;
    for (auto& a : argv) args.push_back(a.data());
    args.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int error = posix_spawnp(&pid, "pgrep", &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0) return false;
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void WatchTickThroughFourPgreps(benchmark::State& state) {
    for (auto _ : state) {
        bool any = false;
        for (const std::string& name : watchedNames) any |= pgrep(name);
        benchmark::DoNotOptimize(any);
    }
    state.SetLabel("4 x pgrep -x");
}
BENCHMARK(WatchTickThroughFourPgreps)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
