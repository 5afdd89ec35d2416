// A coin's daemon as far as a run sees it: it serves until its client asks
// it to stop, then takes a while to "flush" before it exits, and notes when
// it did; or ("dies-after-seconds" in its folder) it dies unasked, without
// a word, as a crashed node does. Its arguments (-conf=..., -datadir=...)
// are taken and ignored.
#include <fstream>
#include <thread>

#include "wine_run/standin_files.h"

using namespace syncward::standin;

int main(int, char* argv[]) {
    const NodeFiles files(ownFolder(argv[0]));
    std::error_code ignored;
    fs::remove(files.stop, ignored);
    std::ofstream(files.running) << "serving\n";
    // A daemon nobody stops still ends: a test that broke off leaves no
    // process behind for good.
    const long long giveUpAt = nowMs() + 15 * 60 * 1000;
    const long long diesAt = fs::exists(files.diesAfter) ? nowMs() + numberIn(files.diesAfter, 0) * 1000 : giveUpAt;
    while (!fs::exists(files.stop) && nowMs() < giveUpAt) {
        if (nowMs() >= diesAt) {
            fs::remove(files.running, ignored);
            return 1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    // Still "running" while it flushes, as a real node answers nothing
    // useful then but is still there.
    std::this_thread::sleep_for(std::chrono::seconds(numberIn(files.flushSeconds, 3)));
    std::ofstream(files.exitTime) << nowMs() << "\n";
    fs::remove(files.running, ignored);
    return 0;
}
