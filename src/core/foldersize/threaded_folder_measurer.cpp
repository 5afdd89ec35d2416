#include "core/foldersize/threaded_folder_measurer.h"

#include <thread>

namespace syncward {

namespace {

// Shared by the walking thread, the answer on its way through the loop and
// the owner's handle. wanted is touched on the loop's thread only.
struct WalkState {
    std::atomic<bool> stop{false};
    bool wanted = true;
    FolderMeasurer::Done done;
};

class ThreadedMeasurement : public FolderMeasurement {
public:
    ThreadedMeasurement(EventLoop& loop, const ThreadedFolderMeasurer::Walk& walk, const std::string& folder,
                        FolderMeasurer::Done done)
        : state_(std::make_shared<WalkState>()) {
        state_->done = std::move(done);
        thread_ = std::thread([&loop, walk, folder, state = state_] {
            FolderWalk size = walk(folder, &state->stop);
            if (state->stop.load()) return;
            loop.post([state, size = std::move(size)] {
                if (!state->wanted) return;
                state->wanted = false;
                // Moved out first: the answer may drop this very measurement.
                const auto done = std::move(state->done);
                done(size);
            });
        });
    }

    ~ThreadedMeasurement() override {
        state_->wanted = false;
        state_->stop.store(true);
        // The walk checks the flag at every entry; joining keeps the thread
        // from posting to a loop that is being torn down.
        if (thread_.joinable()) thread_.join();
    }

private:
    std::shared_ptr<WalkState> state_;
    std::thread thread_;
};

}  // namespace

std::unique_ptr<FolderMeasurement> ThreadedFolderMeasurer::measure(const std::string& folder, Done done) {
    return std::make_unique<ThreadedMeasurement>(loop_, walk_, folder, std::move(done));
}

}  // namespace syncward
