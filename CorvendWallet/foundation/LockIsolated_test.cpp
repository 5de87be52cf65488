#include "CorvendWallet/foundation/LockIsolated.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <stdexcept>

namespace corvend {
namespace {

constexpr auto kSafetyNet = std::chrono::seconds(10);  // only a broken lock waits this long

TEST(LockIsolatedTest, IsReentrantAndReturnsTheResult) {
    LockIsolated<int> box(1);
    const int result = box.withValue([&](int& outer) {
        outer = 2;
        return box.withValue([](int& inner) { return inner * 10; });
    });
    EXPECT_EQ(result, 20);
    EXPECT_EQ(box.withValue([](int& value) { return value; }), 2);
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

}  // namespace
}  // namespace corvend
