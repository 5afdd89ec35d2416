#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <deque>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <thread>

#include "platform/posix/folder_walk.h"
#include "platform/posix/threaded_folder_measurer.h"
#include "support/temp_dir.h"

namespace syncward::testing {
namespace {

namespace fs = std::filesystem;

void writeBytes(const std::string& path, std::size_t count) { std::ofstream(path) << std::string(count, 'x'); }

TEST(FolderWalk, SumsRegularFilesAtEveryDepthWithoutFollowingLinks) {
    TempDir dir;
    TempDir outside;
    EXPECT_EQ(sumRegularFileSizes(dir.path()), 0u);
    fs::create_directories(dir / "blocks/index/deeper/still");
    writeBytes(dir / "blocks/blk00000.dat", 1000);
    writeBytes(dir / "blocks/index/000001.ldb", 24);
    writeBytes(dir / "blocks/index/deeper/still/x", 7);
    writeBytes(dir / ".hidden", 3);
    writeBytes(outside / "big", 5000);
    fs::create_symlink(outside.path(), dir / "linked-folder");
    fs::create_symlink(outside / "big", dir / "linked-file");
    ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0600), 0);
    EXPECT_EQ(sumRegularFileSizes(dir.path()), 1034u);
    // The folder asked for may itself be a link, or end in a slash.
    fs::create_symlink(dir.path(), outside / "chain");
    EXPECT_EQ(sumRegularFileSizes(outside / "chain"), 1034u);
    EXPECT_EQ(sumRegularFileSizes(dir.path() + "/"), 1034u);
}

TEST(FolderWalk, WhatIsNoReadableFolderHasNoSize) {
    TempDir dir;
    writeBytes(dir / "file", 10);
    EXPECT_FALSE(sumRegularFileSizes(dir / "nothing").has_value());
    EXPECT_FALSE(sumRegularFileSizes(dir / "file").has_value());
    EXPECT_FALSE(sumRegularFileSizes("").has_value());
    if (::geteuid() != 0) {
        fs::create_directories(dir / "blocks");
        fs::permissions(dir / "blocks", fs::perms::none);
        EXPECT_FALSE(sumRegularFileSizes(dir.path()).has_value());
        fs::permissions(dir / "blocks", fs::perms::owner_all);
    }
}

TEST(FolderWalk, AStoppedWalkGivesNoSize) {
    TempDir dir;
    writeBytes(dir / "file", 10);
    const std::atomic<bool> stop{true};
    EXPECT_FALSE(sumRegularFileSizes(dir.path(), &stop).has_value());
}

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

TEST(ThreadedFolderMeasurer, AnswersThroughTheLoopOnTheLoopsThreadNeverInsideTheCall) {
    TempDir dir;
    writeBytes(dir / "a", 100);
    PostBox loop;
    ThreadedFolderMeasurer measurer(loop);
    std::optional<std::optional<std::uint64_t>> answer;
    std::thread::id answeredOn;
    std::unique_ptr<FolderMeasurement> measurement =
        measurer.measure(dir.path(), [&](std::optional<std::uint64_t> bytes) {
            answer = bytes;
            answeredOn = std::this_thread::get_id();
            measurement.reset();  // the owner may let go of it in its answer
        });
    EXPECT_FALSE(answer.has_value());
    ASSERT_EQ(loop.runPosted(), 1);
    ASSERT_TRUE(answer.has_value());
    EXPECT_EQ(*answer, 100u);
    EXPECT_EQ(answeredOn, std::this_thread::get_id());
    EXPECT_EQ(measurement, nullptr);

    auto missing = measurer.measure(dir / "nothing", [&](std::optional<std::uint64_t> bytes) { answer = bytes; });
    ASSERT_EQ(loop.runPosted(), 1);
    EXPECT_EQ(*answer, std::nullopt);
}

TEST(ThreadedFolderMeasurer, ADroppedMeasurementNeverAnswers) {
    TempDir dir;
    for (int i = 0; i < 2000; ++i) writeBytes(dir / ("f" + std::to_string(i)), 1);
    PostBox loop;
    ThreadedFolderMeasurer measurer(loop);
    int answers = 0;
    // Dropped at once (the walk is stopped), and dropped after its answer
    // was posted but before it ran.
    measurer.measure(dir.path(), [&](auto) { ++answers; }).reset();
    auto late = measurer.measure(dir.path(), [&](auto) { ++answers; });
    for (int i = 0; i < 5000 && loop.pending() == 0; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(2));
    late.reset();
    loop.runPosted();
    EXPECT_EQ(answers, 0);
}

}  // namespace
}  // namespace syncward::testing
