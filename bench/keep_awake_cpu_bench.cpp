// The program's CPU time idle and with the heartbeat running (the scanner's
// lamps, the Num Lock presses, the lock-key lights), in one process and one
// run, so the heartbeat is printed as a ratio to the idle program beside it.
// It opens the real window on whatever display Qt is given: run it under
// its own X server for the X11 figures (bench/idle_cpu.sh does both):
//   xvfb-run -a build/bench/keep_awake_cpu_bench [seconds]
//   QT_QPA_PLATFORM=offscreen build/bench/keep_awake_cpu_bench [seconds]
// Never on a desktop's own display: the heartbeat presses its Num Lock.
#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>

#include "bench_tree.h"
#include "core/run/application.h"
#include "app/system_platform.h"
#include "gui/shell/qt_window_host.h"
#include "gui/views.h"

namespace {

double cpuSeconds() {
    timespec now{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

void runFor(double seconds) {
    QEventLoop loop;
    QTimer::singleShot(static_cast<int>(seconds * 1000), &loop, &QEventLoop::quit);
    loop.exec();
}

// How often this thread, the GUI thread, has gone to sleep and been woken.
long wakeups() {
    std::ifstream status("/proc/thread-self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("voluntary_ctxt_switches:", 0) == 0) return std::atol(line.c_str() + 24);
    return 0;
}

struct Cost {
    double cpuPercent;  // of one core
    double wakeupsPerSecond;
};

Cost costOver(double seconds) {
    const double before = cpuSeconds();
    const long wokenBefore = wakeups();
    runFor(seconds);
    return {100 * (cpuSeconds() - before) / seconds, static_cast<double>(wakeups() - wokenBefore) / seconds};
}

}  // namespace

int main(int argc, char* argv[]) {
    const double seconds = argc > 1 ? std::atof(argv[1]) : 60;
    const BenchTree scratch(0);
    const std::string config = scratch.path() + "/config";
    std::filesystem::create_directories(config + "/QV_SYNCWARD");
    std::ofstream(config + "/QV_SYNCWARD/QV_SYNCWARD.ini")
        << "[keep_awake_cpu_bench]\nALWAYS_ON_TOP_TICKBOX=0\nQT_NAME_TEXTBOX=bitcoin-qt\nDAEMOND_NAME_TEXTBOX=bitcoind\n"
        << "DAEMONCLI_NAME_SETTINGS_TEXTBOX=bitcoin-cli\nSYNCWARD_HOME_TEXTBOX=" << scratch.path() << "/home\n";
    ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    ::setenv("HOME", scratch.path().c_str(), 1);

    QApplication qtApp(argc, argv);
    syncward::SystemPlatform system("keep_awake_cpu_bench");
    syncward::registerViews(system.windowHost());
    syncward::Application app(system.platform());
    app.start();
    syncward::MainWindow& w = app.main();
    runFor(3);  // start-up is not idle time

    const Cost idle = costOver(seconds);
    w.KITT_START_BUTTON.click();
    const Cost beating = costOver(seconds);
    w.KITT_START_BUTTON.click();

    std::printf("on %s, %.0f s each:\n", qPrintable(QGuiApplication::platformName()), seconds);
    std::printf("  idle:              %.3f %% of one core, woken %.1f times a second\n", idle.cpuPercent,
                idle.wakeupsPerSecond);
    std::printf("  heartbeat running: %.3f %% of one core, woken %.1f times a second\n", beating.cpuPercent,
                beating.wakeupsPerSecond);
    if (idle.cpuPercent > 0)
        std::printf("  the heartbeat costs %.1f times the idle program\n", beating.cpuPercent / idle.cpuPercent);
    return 0;
}
