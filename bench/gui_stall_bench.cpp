// The longest time the interface thread is blocked while a 100,000-file
// folder is measured: a zero-interval probe timer on the GUI thread records
// its largest gap from the click on "Run" until the six lines are shown.
// The reference, in the same run: the same walk done on the interface
// thread itself, as the program once did.
// Run: cmake --build build --target benchmarks && build/bench/gui_stall_bench [files]
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "bench_tree.h"
#include "core/run/application.h"
#include "app/system_platform.h"
#include "gui/shell/qt_window_host.h"
#include "gui/views.h"
#include "platform/posix/folder_walk.h"

namespace {

// Runs the event loop until done() holds, with a probe that ticks whenever
// the loop is free; the largest gap between two probe ticks, in ms.
double longestStall(const std::function<void()>& begin, const std::function<bool()>& done) {
    QElapsedTimer clock;
    qint64 last = 0;
    qint64 longest = 0;
    QTimer probe;
    probe.setInterval(0);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        longest = std::max(longest, now - last);
        last = now;
    });
    clock.start();
    probe.start();
    QTimer::singleShot(0, begin);
    while (!done()) QCoreApplication::processEvents(QEventLoop::AllEvents);
    // A little longer: writing the lines into the window counts too.
    const qint64 end = clock.nsecsElapsed() + 200'000'000;
    while (clock.nsecsElapsed() < end) QCoreApplication::processEvents(QEventLoop::AllEvents);
    return static_cast<double>(longest) / 1e6;
}

}  // namespace

int main(int argc, char* argv[]) {
    const int files = argc > 1 ? std::atoi(argv[1]) : 100000;
    const BenchTree tree(files);
    const BenchTree scratch(0);
    const std::string config = scratch.path() + "/config";
    std::filesystem::create_directories(config + "/QV_SYNCWARD");
    std::ofstream(config + "/QV_SYNCWARD/QV_SYNCWARD.ini")
        << "[gui_stall_bench]\nALWAYS_ON_TOP_TICKBOX=0\nBLOCKCHAIN_HOME_TEXTBOX=" << tree.path()
        << "\nSYNCWARD_HOME_TEXTBOX=" << scratch.path() << "/home\n";
    ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    ::setenv("HOME", scratch.path().c_str(), 1);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);

    QApplication qtApp(argc, argv);
    syncward::SystemPlatform system("gui_stall_bench");
    syncward::registerViews(system.windowHost());
    syncward::Application app(system.platform());
    app.start();
    syncward::MainWindow& w = app.main();
    syncward::sumRegularFileSizes(tree.path());  // a warm cache for both

    const std::string still = w.BC_FOLDER_SIZE_BEFORE.text();
    const double ours = longestStall([&] { w.FFS_RUN_1_BUTTON.click(); },
                                     [&] { return w.BC_FOLDER_SIZE_BEFORE.text() != still; });
    bool walked = false;
    const double onThread = longestStall(
        [&] {
            w.BC_FOLDER_SIZE_AFTER.setText(std::to_string(syncward::sumRegularFileSizes(tree.path()).value_or(0)));
            walked = true;
        },
        [&] { return walked; });

    std::printf("longest interface stall while %d files are measured:\n", files);
    std::printf("  walk off the interface thread: %.1f ms\n", ours);
    std::printf("  walk on the interface thread:  %.1f ms\n", onThread);
    std::printf("  ratio: %.3f\n", ours / onThread);
    return 0;
}
