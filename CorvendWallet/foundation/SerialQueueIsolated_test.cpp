#include "CorvendWallet/foundation/SerialQueueIsolated.hpp"

#include <gtest/gtest.h>

#include <future>
#include <memory>
#include <stdexcept>

namespace corvend {
namespace {

TEST(SerialQueueIsolatedTest, ChangeQueuedBeforeTheBoxIsGoneIsSkipped) {
    auto queue = platform::SerialQueue::make("gone");
    std::promise<void> gate;
    queue->async([opened = gate.get_future().share()] { opened.wait(); });

    auto ran = std::make_shared<bool>(false);
    auto box = SerialQueueIsolated<int>::make(queue, 1);
    box->mutate([ran](int&) { *ran = true; });
    box.reset();
    gate.set_value();

    queue->sync([] {});  // every earlier block has run
    EXPECT_FALSE(*ran);
}

TEST(SerialQueueIsolatedTest, MoveOnlyFunctionsAndResultsWorkAndThrowsPassThrough) {
    auto box = SerialQueueIsolated<int>::make(platform::SerialQueue::make("move"), 0);
    box->mutate([p = std::make_unique<int>(9)](int& v) { v = *p; });
    auto result = box->withValue([](int& v) { return std::make_unique<int>(v); });
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(*result, 9);
    EXPECT_THROW(box->withValue([](int&) -> int { throw std::out_of_range("x"); }),
                 std::out_of_range);
}

TEST(SerialQueueIsolatedTest, ReadFromItsOwnQueueRunsAtOnceInsteadOfDeadlocking) {
    auto queue = platform::SerialQueue::make("own");
    auto box = SerialQueueIsolated<int>::make(queue, 3);
    const int seen = queue->sync([&] { return box->withValue([](int& v) { return v * 2; }); });
    EXPECT_EQ(seen, 6);
}

}  // namespace
}  // namespace corvend
