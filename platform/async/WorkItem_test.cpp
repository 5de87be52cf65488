#include "platform/async/WorkItem.hpp"

#include <gtest/gtest.h>

#include <latch>
#include <memory>
#include <stdexcept>
#include <thread>

namespace corvend::platform {
namespace {

TEST(WorkItemTest, PerformRunsTheBlockOnceAndEndsTheItemEvenWhenItThrows) {
    int runs = 0;
    WorkItem item([&] { ++runs; });
    item.perform();
    item.perform();
    item.wait();
    EXPECT_EQ(runs, 1);
    EXPECT_FALSE(item.isCancelled());

    WorkItem throwing([] { throw std::runtime_error("block"); });
    EXPECT_THROW(throwing.perform(), std::runtime_error);
    throwing.wait();
    EXPECT_NO_THROW(throwing.perform());
}

TEST(WorkItemTest, CancelBeforePerformSkipsAndReleasesTheBlock) {
    auto captured = std::make_shared<int>(0);
    std::weak_ptr<int> watched = captured;
    bool ran = false;
    WorkItem item([&ran, captured] { ran = true; });
    captured.reset();
    item.cancel();
    EXPECT_TRUE(item.isCancelled());
    EXPECT_TRUE(watched.expired());
    item.wait();  // a skipped item counts as ended
    item.perform();
    EXPECT_FALSE(ran);
}

TEST(WorkItemTest, CancelDuringRunDoesNotInterruptIt) {
    std::latch started(1);
    std::latch release(1);
    bool finished = false;
    WorkItem item([&] {
        started.count_down();
        release.wait();
        finished = true;
    });
    std::thread performer([&] { item.perform(); });
    started.wait();
    item.cancel();
    EXPECT_TRUE(item.isCancelled());
    release.count_down();
    item.wait();
    EXPECT_TRUE(finished);
    performer.join();
}

}  // namespace
}  // namespace corvend::platform
