#include "core/reports/file_viewer.h"

#include "core/settings/settings_status.h"
#include "core/state/app_context.h"

namespace syncward {

namespace {
// Four looks a second for ten seconds.
constexpr int viewerLooks = 40;
}  // namespace

FileViewer::FileViewer(AppContext& app, Timer& timer, TextBox& status) : app_(app), timer_(timer), status_(status) {
    timer_.onTick.connect([this] { tick(); });
}

// The viewer would only complain in a window of its own, or not at all.
void FileViewer::open(const std::string& path) {
    if (app_.platform.files.readText(path, 0).failure == ReadFailure::missing) {
        showStatus(status_, "!!! FILE NOT FOUND: " + path + " !!!", colours::red);
        return;
    }
    const auto command = app_.profile().openFileCommand(path);
    viewer_ = app_.platform.launcher.runProgramWatched(command);
    if (!viewer_) {
        timer_.stop();
        showStatus(status_, "!!! COULD NOT START " + command.front() + " !!!", colours::red);
        return;
    }
    // Opened is said once the viewer says so: xdg-open starts, then ends
    // with 4 when nothing can open the file.
    path_ = path;
    ticks_ = 0;
    showStatus(status_, "!!! OPENING: " + path + " !!!", colours::windowBackground);
    timer_.stop();
    timer_.start();
}

void FileViewer::stop() { timer_.stop(); }

void FileViewer::tick() {
    const int status = viewer_ ? viewer_->status() : ProgramExit::unknown;
    // Still running after ten seconds: the viewer itself is showing it.
    if (status == ProgramExit::running && ++ticks_ < viewerLooks) return;
    timer_.stop();
    if (status > 0) {
        showStatus(status_,
                   "!!! NOT OPENED - " + app_.profile().openFileCommand(path_).front() + " ENDED WITH STATUS " +
                       std::to_string(status) + ": " + path_ + " !!!",
                   colours::red);
        return;
    }
    showStatus(status_, "!!! OPENED: " + path_ + " !!!", colours::green);
}

}  // namespace syncward
