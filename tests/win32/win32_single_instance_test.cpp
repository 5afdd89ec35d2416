// Two holders in one process: a mutex belongs to a thread, so the second
// "start" runs on a thread of its own, as a second process would.
#include <gtest/gtest.h>

#include <atomic>
#include <cctype>
#include <chrono>
#include <future>
#include <optional>
#include <string>
#include <thread>

#include "platform/win32/win32_single_instance.h"
#include "win32/win32_test_support.h"

namespace syncward::testing {
namespace {

using namespace std::chrono_literals;

// What a second start on another thread finds and gets.
struct SecondStart {
    bool first = true;
    bool tookOver = false;
};

SecondStart secondStart(const std::string& name, std::chrono::milliseconds wait) {
    SecondStart result;
    std::thread([&] {
        Win32SingleInstance second(name);
        result.first = second.first();
        if (!result.first) result.tookOver = second.askHolderToGiveWay(wait);
    }).join();
    return result;
}

TEST(Win32SingleInstance, OneHolderPerNameLetterCaseIgnoredWhileOtherNamesRunBeside) {
    const std::string name = uniqueName("LTC");
    std::optional<Win32SingleInstance> holder(std::in_place, name);
    EXPECT_TRUE(holder->first());
    EXPECT_FALSE(secondStart(name, 0ms).first);
    EXPECT_TRUE(secondStart(name + "x", 0ms).first);
    std::string lower = name;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    EXPECT_FALSE(secondStart(lower, 0ms).first);
    holder.reset();
    EXPECT_TRUE(secondStart(name, 0ms).first);
}

TEST(Win32SingleInstance, TheClaimIsNamedAfterTheExecutableInTheUsersSession) {
    EXPECT_EQ(Win32SingleInstance::claimName("ltc1"), L"Local\\SYNCWARD-LTC1");
    EXPECT_EQ(Win32SingleInstance::claimName("Zoë-btc"), L"Local\\SYNCWARD-ZO\u00CB-BTC");
    // A backslash would name a namespace.
    EXPECT_EQ(Win32SingleInstance::claimName("a\\b"), L"Local\\SYNCWARD-A_B");
}

TEST(Win32SingleInstance, AHolderThatTakesNoRequestsIsNotAsked) {
    const std::string name = uniqueName("LTC");
    Win32SingleInstance holder(name);
    ASSERT_TRUE(holder.first());
    const SecondStart second = secondStart(name, 60s);  // answered at once, not after the wait
    EXPECT_FALSE(second.first);
    EXPECT_FALSE(second.tookOver);
}

TEST(Win32SingleInstance, AHolderAskedToGiveWayHearsItAndItsClaimPassesOnOnceItEnds) {
    const std::string name = uniqueName("LTC");
    std::optional<Win32SingleInstance> holder(std::in_place, name);
    std::promise<void> asked;
    std::atomic<int> requests{0};
    holder->acceptGiveWayRequests([&] {
        if (requests++ == 0) asked.set_value();
    });
    auto second = std::async(std::launch::async, [&] { return secondStart(name, 60s); });
    ASSERT_EQ(asked.get_future().wait_for(20s), std::future_status::ready);
    holder.reset();  // the holder closes, on its own thread
    const SecondStart result = second.get();
    EXPECT_FALSE(result.first);
    EXPECT_TRUE(result.tookOver);
    EXPECT_EQ(requests, 1);
}

TEST(Win32SingleInstance, AHolderThatStaysKeepsItsClaim) {
    const std::string name = uniqueName("LTC");
    Win32SingleInstance holder(name);
    std::atomic<int> requests{0};
    holder.acceptGiveWayRequests([&] { ++requests; });  // a run under way: the request is ignored
    const SecondStart second = secondStart(name, 300ms);
    EXPECT_FALSE(second.tookOver);
    EXPECT_TRUE(eventually([&] { return requests == 1; }));
    EXPECT_TRUE(holder.first());
}

// Another kind of object under the claim's name: the claim cannot be made,
// and a start that ran without it would run beside the next one.
TEST(Win32SingleInstance, AClaimThatCannotBeMadeStopsTheStartAndSaysWhy) {
    const std::string name = uniqueName("LTC");
    const Handle squatter(::CreateEventW(nullptr, FALSE, FALSE, Win32SingleInstance::claimName(name).c_str()));
    ASSERT_TRUE(squatter);
    Win32SingleInstance start(name);
    EXPECT_FALSE(start.first());
    EXPECT_NE(start.problem().find("cannot be made"), std::string::npos) << start.problem();
    EXPECT_FALSE(start.askHolderToGiveWay(0ms));
    EXPECT_FALSE(secondStart(name, 0ms).first);
}

}  // namespace
}  // namespace syncward::testing
