#include "CorvendWallet/core/foundation/LockIsolated.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <stdexcept>
#include <string>
#include <thread>

namespace corvend {
namespace {

// A bound on a wait that should end at once; only reached when the code under test is broken.
constexpr auto kSafetyNet = std::chrono::seconds(10);

struct State {
    int count = 0;
    std::string name;
};

TEST(LockIsolatedTest, WithValueChangesInPlaceAndReturnsTheResult) {
    LockIsolated<State> box(State{1, "a"});
    const auto previous = box.withValue([](State& s) {
        const int before = s.count;
        s.count += 10;
        s.name += "b";
        return before;
    });
    EXPECT_EQ(previous, 1);
    EXPECT_EQ(box.withValue([](const State& s) { return s.count; }), 11);
    EXPECT_EQ(box.withValue([](const State& s) { return s.name; }), "ab");
}

TEST(LockIsolatedTest, IsReentrantOnTheSameThread) {
    LockIsolated<int> box(1);
    const int result = box.withValue([&](int& outer) {
        outer = 2;
        return box.withValue([](int& inner) { return inner * 10; });
    });
    EXPECT_EQ(result, 20);
}

TEST(LockIsolatedTest, ThrowPassesThroughAndLeavesTheLockFree) {
    LockIsolated<int> box(0);
    EXPECT_THROW(box.withValue([](int& v) -> int {
        v = 7;
        throw std::runtime_error("fail");
    }),
                 std::runtime_error);

    auto other =
        std::async(std::launch::async, [&] { return box.withValue([](int& v) { return ++v; }); });
    ASSERT_EQ(other.wait_for(kSafetyNet), std::future_status::ready) << "lock still held";
    EXPECT_EQ(other.get(), 8);
}

TEST(RecursiveMutexSyncTest, ReturnsTheResultAndUnlocksOnThrow) {
    std::recursive_mutex mutex;
    EXPECT_EQ(sync(mutex, [] { return 3; }), 3);
    EXPECT_THROW(sync(mutex, []() -> int { throw std::logic_error("x"); }), std::logic_error);

    // try_lock from another thread: the owner itself could always re-lock a recursive mutex.
    bool acquired = false;
    std::thread([&] {
        acquired = mutex.try_lock();
        if (acquired) mutex.unlock();
    }).join();
    EXPECT_TRUE(acquired);
}

}  // namespace
}  // namespace corvend
