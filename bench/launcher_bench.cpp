// How long the user interface waits when a command file is started: the
// launcher must return at once even when the program runs for seconds.
// Run: cmake --build build --target benchmarks && build/bench/launcher_bench
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/posix/posix_launcher.h"

int main() {
    std::string folder = (std::filesystem::temp_directory_path() / "syncward-bench-XXXXXX").string();
    if (!::mkdtemp(folder.data())) return 1;
    const std::string file = folder + "/BTC1-RUN-QT.sh";
    std::ofstream(file) << "exec sleep 3\n";

    syncward::PosixLauncher launcher;
    std::vector<double> micros;
    for (int i = 0; i < 50; ++i) {
        const auto start = std::chrono::steady_clock::now();
        if (!launcher.runCommandFile(file)) return 1;
        micros.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(micros.begin(), micros.end());
    std::printf("runCommandFile of a 3 s program, 50 calls: median %.0f us, 95th %.0f us, max %.0f us\n",
                micros[micros.size() / 2], micros[micros.size() * 95 / 100], micros.back());

    std::this_thread::sleep_for(std::chrono::seconds(4));  // every sleeper has ended and been reaped
    std::filesystem::remove_all(folder);
    return 0;
}
