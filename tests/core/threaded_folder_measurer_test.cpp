#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <deque>
#include <map>
#include <mutex>
#include <thread>

#include "core/foldersize/threaded_folder_measurer.h"

namespace syncward::testing {
namespace {

// A loop that only collects posted work, from whichever thread posts it.
class PostBox : public EventLoop {
public:
    void armed(Timer&) override {}
    void disarmed(Timer&) override {}
    void post(std::function<void()> work) override {
        const std::lock_guard lock(mutex_);
        posted_.push_back(std::move(work));
    }
    // Runs what has been posted so far, on the test's thread; waits up to
    // ten seconds for the first.
    int runPosted() {
        const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        for (;;) {
            std::deque<std::function<void()>> work;
            {
                const std::lock_guard lock(mutex_);
                work.swap(posted_);
            }
            if (!work.empty()) {
                for (auto& w : work) w();
                return static_cast<int>(work.size());
            }
            if (std::chrono::steady_clock::now() > limit) return 0;
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    }
    std::size_t pending() {
        const std::lock_guard lock(mutex_);
        return posted_.size();
    }

private:
    std::mutex mutex_;
    std::deque<std::function<void()>> posted_;
};

// Folders and their sizes; any other folder has none.
ThreadedFolderMeasurer::Walk walkOver(std::map<std::string, std::uint64_t> sizes) {
    return [sizes](const std::string& folder, const std::atomic<bool>*) -> FolderWalk {
        const auto found = sizes.find(folder);
        if (found == sizes.end()) return {};
        return {found->second, {folder + "/lost+found"}};
    };
}

TEST(ThreadedFolderMeasurer, AnswersThroughTheLoopOnTheLoopsThreadNeverInsideTheCall) {
    PostBox loop;
    ThreadedFolderMeasurer measurer(loop, walkOver({{"chain", 100}}));
    std::optional<std::optional<std::uint64_t>> answer;
    std::vector<std::string> unread;
    std::thread::id answeredOn;
    std::unique_ptr<FolderMeasurement> measurement =
        measurer.measure("chain", [&](FolderWalk size) {
            answer = size.bytes;
            unread = size.unread;
            answeredOn = std::this_thread::get_id();
            measurement.reset();  // the owner may let go of it in its answer
        });
    EXPECT_FALSE(answer.has_value());
    ASSERT_EQ(loop.runPosted(), 1);
    ASSERT_TRUE(answer.has_value());
    EXPECT_EQ(*answer, 100u);
    EXPECT_EQ(unread, std::vector<std::string>{"chain/lost+found"});
    EXPECT_EQ(answeredOn, std::this_thread::get_id());
    EXPECT_EQ(measurement, nullptr);

    auto missing = measurer.measure("nothing", [&](FolderWalk size) { answer = size.bytes; });
    ASSERT_EQ(loop.runPosted(), 1);
    EXPECT_EQ(*answer, std::nullopt);
}

TEST(ThreadedFolderMeasurer, ADroppedMeasurementStopsItsWalkAndNeverAnswers) {
    PostBox loop;
    std::atomic<bool> walking{false};
    std::atomic<bool> sawStop{false};
    // A walk on a slow disk: it ends only when told to stop.
    ThreadedFolderMeasurer slow(loop, [&](const std::string&, const std::atomic<bool>* stop) {
        walking = true;
        while (!stop->load()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        sawStop = true;
        return FolderWalk{1, {}};
    });
    int answers = 0;
    auto stuck = slow.measure("chain", [&](auto) { ++answers; });
    while (!walking) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    stuck.reset();  // returns only once the walk has ended
    EXPECT_TRUE(sawStop);

    // Dropped after its answer was posted but before it ran.
    ThreadedFolderMeasurer quick(loop, walkOver({{"chain", 5}}));
    auto late = quick.measure("chain", [&](auto) { ++answers; });
    for (int i = 0; i < 5000 && loop.pending() == 0; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(2));
    ASSERT_EQ(loop.pending(), 1u);
    late.reset();
    loop.runPosted();
    EXPECT_EQ(answers, 0);
}

}  // namespace
}  // namespace syncward::testing
