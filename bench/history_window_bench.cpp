// How long the HISTORY window takes to open with 10,000 recorded runs: from
// the click on "History" until the window has been painted once, the file
// read, parsed, charted and its table filled. The reference, in the same
// run: the REPORTS / LOGS window, a plain window of text, opened the same way.
// Run: cmake --build build --target benchmarks && build/bench/history_window_bench [runs]
#include <QApplication>
#include <QElapsedTimer>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "bench_tree.h"
#include "core/run/application.h"
#include "core/reports/reports_windows.h"
#include "core/reports/run_history.h"
#include "core/reports/run_history_columns.h"
#include "app/system_platform.h"
#include "gui/shell/qt_window_host.h"
#include "gui/views.h"

namespace {

constexpr long long firstSunday = 1'783'823'400;  // 2026-07-12T02:30:00Z

std::string historyText(int runs) {
    std::string text = syncward::historyHeader() + "\n";
    for (int i = 0; i < runs; ++i) {
        syncward::RunRecord r;
        r.start = firstSunday + i * 7LL * 24 * 3600;
        r.end = r.start + 600 + i % 900;
        r.startOffset = r.endOffset = 3600;
        r.nodeProgram = "DAEMON - litecoind";
        r.blocksBefore = 2'700'000 + i * 4032LL;
        r.blocksAfter = *r.blocksBefore + 4000 + i % 64;
        r.blocksDownloaded = *r.blocksAfter - *r.blocksBefore;
        r.bytesBefore = 100'000'000'000u + static_cast<std::uint64_t>(i) * 500'000'000u;
        r.bytesAfter = *r.bytesBefore + 500'000'000u;
        r.runOutcome = i % 7 ? "!!! COMPLETED SUCCESSFULLY !!!" : "!!! FINISHED - CHAIN NOT CONFIRMED - NO PEERS !!!";
        r.blockCounterOutcome = r.runOutcome;
        r.nodeCheck = i % 7 ? "CONFIRMED" : "NOT CONFIRMED - NO PEERS";
        r.finalAction = "AUTOCLOSE";
        text += syncward::historyRow(r, "\n");
    }
    return text;
}

// Milliseconds from the click until the window's first paint is done.
double openMs(syncward::Button& button, syncward::QtWindowHost& host, syncward::Form& window) {
    QElapsedTimer clock;
    clock.start();
    button.click();
    QCoreApplication::processEvents();
    host.viewOf(window)->grab();
    return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

}  // namespace

int main(int argc, char* argv[]) {
    const int runs = argc > 1 ? std::atoi(argv[1]) : 10000;
    const BenchTree scratch(0);
    const std::string home = scratch.path() + "/home";
    std::filesystem::create_directories(home + "/REPORTS");
    std::ofstream(home + "/REPORTS/history_window_bench-RUN-HISTORY.csv") << historyText(runs);
    const std::string config = scratch.path() + "/config";
    std::filesystem::create_directories(config + "/QV_SYNCWARD");
    std::ofstream(config + "/QV_SYNCWARD/QV_SYNCWARD.ini")
        << "[history_window_bench]\nALWAYS_ON_TOP_TICKBOX=0\nBLOCKCHAIN_HOME_TEXTBOX=" << scratch.path()
        << "\nSYNCWARD_HOME_TEXTBOX=" << home << "\n";
    ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    ::setenv("HOME", scratch.path().c_str(), 1);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);

    QApplication qtApp(argc, argv);
    syncward::SystemPlatform system("history_window_bench");
    syncward::registerViews(system.windowHost());
    syncward::Application app(system.platform());
    app.start();
    syncward::MainWindow& w = app.main();
    QCoreApplication::processEvents();

    syncward::ReportsWindows& windows = app.reportsWindows();
    const double reports = openMs(w.END_LOG_BUTTON, system.windowHost(), windows.reportsLogs());
    windows.reportsLogs().close();
    const double history = openMs(w.HISTORY_BUTTON, system.windowHost(), windows.history());
    windows.history().close();
    const double again = openMs(w.HISTORY_BUTTON, system.windowHost(), windows.history());
    const std::size_t shown = windows.history().rows().size();

    std::printf("opening the HISTORY window with %zu runs (click to first paint):\n", shown);
    std::printf("  first open:                 %.1f ms\n", history);
    std::printf("  opened again (file re-read): %.1f ms\n", again);
    std::printf("  reference, REPORTS / LOGS:  %.1f ms\n", reports);
    return 0;
}
