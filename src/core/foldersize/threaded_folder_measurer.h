#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "core/form/event_loop.h"
#include "core/platform/folder_measurer.h"

namespace syncward {

// Walks each folder on a thread of its own and hands the total back
// through the program's event loop. Dropping a measurement stops its walk
// at the next entry and waits for the thread, so nothing runs on after
// its owner is gone.
class ThreadedFolderMeasurer : public FolderMeasurer {
public:
    // The system's own walk; it gives up, with no bytes, once stop is set.
    using Walk = std::function<FolderWalk(const std::string& folder, const std::atomic<bool>* stop)>;

    ThreadedFolderMeasurer(EventLoop& loop, Walk walk) : loop_(loop), walk_(std::move(walk)) {}
    std::unique_ptr<FolderMeasurement> measure(const std::string& folder, Done done) override;

private:
    EventLoop& loop_;
    Walk walk_;
};

}  // namespace syncward
