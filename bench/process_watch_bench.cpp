// What one tick of the process watch costs with 100, 1,000 and 5,000
// processes on the machine: the four watched names through the table,
// against the four separate `pgrep -x` runs a simple implementation would
// start every 250 ms, measured at the same process counts in the same run.
// The extra processes are this benchmark's own children, asleep until it
// kills them at the end: long-lived processes that have nothing to do with
// the watched names. Prints each figure's ratio to its reference.
// Run: cmake --build build --target process_watch_bench && build/bench/process_watch_bench
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "platform/posix/proc_process_table.h"

extern char** environ;

namespace {

// Names no process here has: the table has to answer for every one.
const std::vector<std::string> watchedNames = {"bitcoin-qt", "bitcoind", "bitcoin-cli", "sendemail"};

int processCount() {
    int count = 0;
    DIR* dir = ::opendir("/proc");
    if (!dir) return 0;
    while (const dirent* entry = ::readdir(dir))
        if (entry->d_name[0] >= '1' && entry->d_name[0] <= '9') ++count;
    ::closedir(dir);
    return count;
}

// Sleeping children, killed when the benchmark ends (or dies).
std::vector<pid_t> sleepers;

void growTo(int processes) {
    const pid_t parent = ::getpid();
    for (int missing = processes - processCount(); missing > 0; --missing) {
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::prctl(PR_SET_PDEATHSIG, SIGKILL);
            if (::getppid() != parent) ::_exit(0);
            for (;;) ::pause();
        }
        if (pid < 0) break;
        sleepers.push_back(pid);
    }
}

void endSleepers() {
    for (const pid_t pid : sleepers) ::kill(pid, SIGKILL);
    for (const pid_t pid : sleepers) ::waitpid(pid, nullptr, 0);
    sleepers.clear();
}

// Steady ticks of a table that has settled, as the program's watch does
// four times a second; "worst_us" is the dearest single tick. The children
// were just started: the table reads a process on every look in its first
// youngLooks looks (16 s in the program), which are passed first.
void WatchTick(benchmark::State& state) {
    growTo(static_cast<int>(state.range(0)));
    syncward::ProcProcessTable table;
    for (unsigned look = 0; look <= syncward::ProcCensus::youngLooks; ++look) table.running(watchedNames);
    double worst = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        auto answer = table.running(watchedNames);
        benchmark::DoNotOptimize(answer);
        worst = std::max(worst, std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
    }
    state.counters["worst_us"] = worst;
    state.counters["processes"] = processCount();
}

// The first tick, before the table knows any process (the program's start).
void FirstWatchTick(benchmark::State& state) {
    growTo(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        syncward::ProcProcessTable table;
        auto answer = table.running(watchedNames);
        benchmark::DoNotOptimize(answer);
    }
}

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

void FourPgreps(benchmark::State& state) {
    growTo(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        bool any = false;
        for (const std::string& name : watchedNames) any |= pgrep(name);
        benchmark::DoNotOptimize(any);
    }
}

// The process counts rise from one benchmark to the next, so each count's
// three figures are taken with the same children alive.
void sizes(benchmark::internal::Benchmark* b) { b->Unit(benchmark::kMicrosecond); }
BENCHMARK(WatchTick)->Arg(100)->Apply(sizes);
BENCHMARK(FirstWatchTick)->Arg(100)->Apply(sizes);
BENCHMARK(FourPgreps)->Arg(100)->Apply(sizes);
BENCHMARK(WatchTick)->Arg(1000)->Apply(sizes);
BENCHMARK(FirstWatchTick)->Arg(1000)->Apply(sizes);
BENCHMARK(FourPgreps)->Arg(1000)->Apply(sizes);
BENCHMARK(WatchTick)->Arg(5000)->Apply(sizes);
BENCHMARK(FirstWatchTick)->Arg(5000)->Apply(sizes);
BENCHMARK(FourPgreps)->Arg(5000)->Iterations(5)->Apply(sizes);

// Keeps each run's mean time per iteration, for the ratios at the end.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const std::string name = run.benchmark_name();
            // "WatchTick/5000" or "FourPgreps/5000/iterations:5"
            const auto slash = name.find('/');
            const std::string count = name.substr(slash + 1, name.find('/', slash + 1) - slash - 1);
            times[count][name.substr(0, slash)] = run.GetAdjustedRealTime();
        }
    }
    std::map<std::string, std::map<std::string, double>> times;  // processes -> benchmark -> µs
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    endSleepers();
    std::printf("\nAgainst 4 x pgrep -x at the same process count, same run:\n");
    for (const char* count : {"100", "1000", "5000"}) {
        auto& at = reporter.times[count];
        if (!at.count("FourPgreps") || !at.count("WatchTick")) continue;
        std::printf("  %5s processes: a watch tick %9.1f us, the first %9.1f us, 4 x pgrep %10.1f us: "
                    "pgrep %.0f x dearer than a tick\n",
                    count, at["WatchTick"], at["FirstWatchTick"], at["FourPgreps"], at["FourPgreps"] / at["WatchTick"]);
    }
    benchmark::Shutdown();
    return 0;
}
