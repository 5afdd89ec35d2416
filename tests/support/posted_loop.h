#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

#include "core/form/event_loop.h"

namespace syncward::testing {

// A loop whose posted work the test runs on its own thread, as the
// program's loop runs it on the window's.
class PostedLoop : public EventLoop {
public:
    void armed(Timer&) override {}
    void disarmed(Timer&) override {}
    void post(std::function<void()> work) override {
        const std::lock_guard lock(mutex_);
        posted_.push_back(std::move(work));
        ready_.notify_all();
    }
    // Runs the next posted work; false when none came (a broken test).
    bool runNext(std::chrono::milliseconds limit = std::chrono::seconds(120)) {
        std::unique_lock lock(mutex_);
        if (!ready_.wait_for(lock, limit, [&] { return !posted_.empty(); })) return false;
        auto work = std::move(posted_.front());
        posted_.pop_front();
        lock.unlock();
        work();
        return true;
    }

private:
    std::mutex mutex_;
    std::condition_variable ready_;
    std::deque<std::function<void()>> posted_;
};

}  // namespace syncward::testing
