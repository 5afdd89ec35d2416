// Start-up to the main window shown, and resident memory after 30 s idle:
// starts the program under a private settings folder on the X display
// ($DISPLAY, e.g. under `xvfb-run -a`) and takes the time from the start
// to the map of its first top-level window, as the X server reports it;
// then reads VmRSS from /proc. The reference, in the same run: a bare Qt
// Widgets window started and measured the same way.
// Run: xvfb-run -a build/bench/startup_bench build/syncward build/bench/bare_qt_window [idle seconds]
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "bench_tree.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

struct Started {
    double msToWindow = -1;
    long rssKb = -1;
};

long residentKb(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0) return std::atol(line.c_str() + 6);
    return -1;
}

Started measure(const std::string& program, int idleSeconds) {
    const BenchTree scratch(0);
    const std::string config = scratch.path() + "/config";
    std::filesystem::create_directories(config + "/QV_SYNCWARD");
    const std::string name = std::filesystem::path(program).filename().string();
    std::ofstream(config + "/QV_SYNCWARD/QV_SYNCWARD.ini")
        << "[" << name << "]\nALWAYS_ON_TOP_TICKBOX=0\nSYNCWARD_HOME_TEXTBOX=" << scratch.path() << "/home\n";
    ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    ::setenv("HOME", scratch.path().c_str(), 1);

    xcb_connection_t* x = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(x)) {
        std::fprintf(stderr, "no X display: run under xvfb-run -a\n");
        std::exit(1);
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(x, root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(x);
    free(xcb_get_input_focus_reply(x, xcb_get_input_focus(x), nullptr));  // the mask is in place

    std::vector<std::string> argv = {program};
    std::vector<char*> args;
    for (auto& a : argv) args.push_back(a.data());
    args.push_back(nullptr);
    Started result;
    const auto start = Clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, program.c_str(), nullptr, nullptr, args.data(), environ) != 0) std::exit(1);
    while (xcb_generic_event_t* event = xcb_wait_for_event(x)) {
        const bool mapped = (event->response_type & 0x7f) == XCB_MAP_NOTIFY &&
                            !reinterpret_cast<xcb_map_notify_event_t*>(event)->override_redirect;
        free(event);
        if (mapped) {
            result.msToWindow = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
            break;
        }
    }
    xcb_disconnect(x);
    std::this_thread::sleep_for(std::chrono::seconds(idleSeconds));
    result.rssKb = residentKb(pid);
    ::kill(pid, SIGTERM);
    ::waitpid(pid, nullptr, 0);
    return result;
}

}  // namespace

int main(int argc, char* argv[]) {
    const std::string program = argc > 1 ? argv[1] : "build/syncward";
    const std::string bare = argc > 2 ? argv[2] : "build/bench/bare_qt_window";
    const int idle = argc > 3 ? std::atoi(argv[3]) : 30;
    const Started ours = measure(program, idle);
    const Started reference = measure(bare, idle);
    std::printf("start-up to the window shown, resident memory after %d s idle:\n", idle);
    std::printf("  syncward:           %.0f ms, %.1f MB\n", ours.msToWindow, ours.rssKb / 1024.0);
    std::printf("  bare Qt window:     %.0f ms, %.1f MB\n", reference.msToWindow, reference.rssKb / 1024.0);
    std::printf("  ratio start-up %.2f, memory %.2f\n", ours.msToWindow / reference.msToWindow,
                static_cast<double>(ours.rssKb) / reference.rssKb);
    return 0;
}
