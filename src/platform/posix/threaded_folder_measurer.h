#pragma once

#include "core/form/event_loop.h"
#include "core/platform/folder_measurer.h"

namespace syncward {

// Walks each folder on a thread of its own and hands the total back
// through the program's event loop. Dropping a measurement stops its walk
// at the next entry and waits for the thread, so nothing runs on after
// its owner is gone.
class ThreadedFolderMeasurer : public FolderMeasurer {
public:
    explicit ThreadedFolderMeasurer(EventLoop& loop) : loop_(loop) {}
    std::unique_ptr<FolderMeasurement> measure(const std::string& folder, Done done) override;

private:
    EventLoop& loop_;
};

}  // namespace syncward
