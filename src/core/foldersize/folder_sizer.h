#pragma once

#include <deque>
#include <memory>
#include <optional>

#include "core/platform/folder_measurer.h"

namespace syncward {

struct AppContext;
class Button;
struct FolderSize;
class Timer;

// The blockchain folder's size before and after a run. Each measurement is
// a one-shot timer of the main window (FOLDER_SIZER_BEFORE_TIMER,
// FOLDER_SIZER_AFTER_TIMER): enabling it, by its "Run" button or by the run
// sequence, starts the walk one second later; the six lines, bytes to
// petabytes, go into BC_FOLDER_SIZE_BEFORE or BC_FOLDER_SIZE_AFTER when the
// walk is done. The walk runs off the interface thread, one at a time in
// the order asked for, so the two measurements never cross in the working
// boxes they share; the "Run" button stays disabled until its figures are in.
class FolderSizer {
public:
    explicit FolderSizer(AppContext& app);
    ~FolderSizer();
    FolderSizer(const FolderSizer&) = delete;
    FolderSizer& operator=(const FolderSizer&) = delete;

    // A measurement is asked for, waiting for its turn or walking. A step of
    // the run that follows a measurement waits while this holds, as the run
    // always went on only once the figures were written.
    bool busy() const;
    // The main window has closed: the walk under way is abandoned and
    // nothing more is measured or written.
    void abandon();

private:
    struct Kind {
        Button* runButton;
        FolderSize* size;
        Timer* timer;
    };

    void ask(const Kind& kind);
    void walkNext();
    void write(const Kind& kind, const std::string& folder, const FolderWalk& size);

    AppContext& app_;
    Kind before_, after_;
    std::deque<const Kind*> waiting_;
    const Kind* walking_ = nullptr;
    std::unique_ptr<FolderMeasurement> measurement_;
};

}  // namespace syncward
