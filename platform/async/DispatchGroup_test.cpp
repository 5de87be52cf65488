#include "platform/async/DispatchGroup.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <memory>
#include <stdexcept>
#include <thread>
#include <vector>

namespace corvend::platform {
namespace {

TEST(DispatchGroupTest, EmptyGroupWaitsForNothingAndNotifiesAtOnce) {
    DispatchGroup group;
    group.wait();
    auto notified = std::make_shared<std::promise<void>>();
    group.notify([notified] { notified->set_value(); });
    notified->get_future().wait();
}

TEST(DispatchGroupTest, NotifyRunsOnceAfterTheLastLeave) {
    DispatchGroup group;
    group.enter();
    group.enter();
    auto runs = std::make_shared<std::atomic<int>>(0);
    auto notified = std::make_shared<std::promise<int>>();
    std::atomic<bool> leftBoth{false};
    group.notify([runs, notified, &leftBoth] {
        ++*runs;
        notified->set_value(leftBoth ? 2 : 1);
    });
    group.leave();
    leftBoth = true;
    group.leave();
    EXPECT_EQ(notified->get_future().get(), 2);
    // A later round of work does not replay an old notification.
    group.enter();
    group.leave();
    EXPECT_EQ(runs->load(), 1);
}

TEST(DispatchGroupTest, WaitBlocksUntilEveryEnterIsLeft) {
    DispatchGroup group;
    constexpr int kWorkers = 8;
    std::atomic<int> finished{0};
    std::vector<std::thread> workers;
    for (int i = 0; i < kWorkers; ++i) {
        group.enter();
        workers.emplace_back([&] {
            ++finished;
            group.leave();
        });
    }
    group.wait();
    EXPECT_EQ(finished.load(), kWorkers);
    for (auto& worker : workers) worker.join();
}

TEST(DispatchGroupTest, UnbalancedLeaveIsRefused) {
    DispatchGroup group;
    EXPECT_THROW(group.leave(), std::logic_error);
    group.enter();
    group.leave();
    EXPECT_THROW(group.leave(), std::logic_error);
    group.wait();
}

}  // namespace
}  // namespace corvend::platform
