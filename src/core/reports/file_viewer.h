#pragma once

#include <memory>
#include <string>

#include "core/platform/launcher.h"

namespace syncward {

struct AppContext;
class TextBox;
class Timer;

// Opens a stored file in the system's viewer and tells in the window's
// status box how that went: a missing file, a viewer that cannot start,
// or one that ends saying it could not open the file. The window lends
// its timer, which looks how the viewer ended.
class FileViewer {
public:
    FileViewer(AppContext& app, Timer& timer, TextBox& status);

    void open(const std::string& path);
    // The window closes: no more looks.
    void stop();

private:
    void tick();

    AppContext& app_;
    Timer& timer_;
    TextBox& status_;
    std::string path_;
    std::shared_ptr<const ProgramExit> viewer_;
    int ticks_ = 0;
};

}  // namespace syncward
