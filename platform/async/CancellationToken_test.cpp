#include "platform/async/CancellationToken.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <latch>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

#include "platform/async/CancellationError.hpp"

namespace corvend::platform {
namespace {

TEST(CancellationTokenTest, CancelRunsEachHandlerOnceInOrderOnTheCancellingThread) {
    CancellationSource source;
    std::vector<int> order;
    std::vector<std::thread::id> threads;
    auto first = source.token().onCancel([&] {
        order.push_back(1);
        threads.push_back(std::this_thread::get_id());
    });
    auto second = source.token().onCancel([&] {
        order.push_back(2);
        threads.push_back(std::this_thread::get_id());
    });
    std::thread::id canceller;
    std::thread([&] {
        canceller = std::this_thread::get_id();
        source.cancel();
        source.cancel();
    }).join();
    source.cancel();
    EXPECT_TRUE(source.isCancelled());
    EXPECT_TRUE(source.token().isCancelled());
    EXPECT_EQ(order, (std::vector<int>{1, 2}));
    EXPECT_EQ(threads, (std::vector<std::thread::id>{canceller, canceller}));
}

TEST(CancellationTokenTest, UnregisteredHandlerNeverRuns) {
    CancellationSource source;
    int runs = 0;
    auto kept = source.token().onCancel([&] { ++runs; });
    {
        auto dropped = source.token().onCancel([&] { runs += 100; });
        EXPECT_EQ(source.token().registeredHandlerCount(), 2u);
    }
    auto reset = source.token().onCancel([&] { runs += 100; });
    reset.reset();
    // A moved registration keeps the handler until its new owner lets go.
    CancellationRegistration outer;
    {
        auto inner = source.token().onCancel([&] { runs += 1000; });
        outer = std::move(inner);
    }
    EXPECT_EQ(source.token().registeredHandlerCount(), 2u);
    outer = CancellationRegistration();
    EXPECT_EQ(source.token().registeredHandlerCount(), 1u);
    source.cancel();
    EXPECT_EQ(runs, 1);
}

TEST(CancellationTokenTest, RacingCancelsRunEveryHandlerExactlyOnce) {
    constexpr int kThreads = 8;
    constexpr int kHandlers = 32;
    for (int round = 0; round < 20; ++round) {
        CancellationSource source;
        std::vector<std::atomic<int>> runs(kHandlers);
        std::vector<CancellationRegistration> registrations;
        for (int i = 0; i < kHandlers; ++i) {
            registrations.push_back(source.token().onCancel([&runs, i] { ++runs[i]; }));
        }
        std::latch start(kThreads);
        std::vector<std::thread> threads;
        for (int t = 0; t < kThreads; ++t) {
            threads.emplace_back([&] {
                start.arrive_and_wait();
                source.cancel();
            });
        }
        for (auto& thread : threads) thread.join();
        for (int i = 0; i < kHandlers; ++i) EXPECT_EQ(runs[i].load(), 1) << "handler " << i;
    }
}

TEST(CancellationTokenTest, RegistrationRacingCancelRunsTheHandlerAtMostOnce) {
    for (int round = 0; round < 200; ++round) {
        CancellationSource source;
        std::atomic<int> runs{0};
        std::latch start(2);
        std::thread canceller([&] {
            start.arrive_and_wait();
            source.cancel();
        });
        start.arrive_and_wait();
        {
            auto registration = source.token().onCancel([&] { ++runs; });
        }
        canceller.join();
        EXPECT_LE(runs.load(), 1);
    }
}

// The registration's owner frees what the handler uses right after dropping the registration;
// the drop must wait for the running handler or the handler touches freed memory. The handler
// goes on working only once the drop has begun, so a drop that does not wait returns first.
TEST(CancellationTokenTest, DroppingRegistrationWaitsForHandlerRunningElsewhere) {
    CancellationSource source;
    auto captured = std::make_unique<std::vector<int>>(1000, 7);
    std::latch handlerStarted(1);
    std::latch dropBegun(1);
    std::atomic<bool> handlerDone{false};
    std::optional<CancellationRegistration> registration;
    registration.emplace(source.token().onCancel([&, data = captured.get()] {
        handlerStarted.count_down();
        dropBegun.wait();
        for (int round = 0; round < 100; ++round) {
            for (int& value : *data) ++value;
            std::this_thread::yield();
        }
        handlerDone = true;
    }));
    std::thread canceller([&] { source.cancel(); });
    handlerStarted.wait();
    dropBegun.count_down();
    registration.reset();
    EXPECT_TRUE(handlerDone.load());
    captured.reset();
    canceller.join();
}

TEST(CancellationTokenTest, HandlerMayDropItsOwnOrALaterRegistration) {
    CancellationSource source;
    auto own = std::make_shared<CancellationRegistration>();
    bool ran = false;
    bool laterRan = false;
    CancellationRegistration later;
    *own = source.token().onCancel([&] {
        ran = true;
        own->reset();  // must not deadlock
        later.reset();
    });
    later = source.token().onCancel([&] { laterRan = true; });
    source.cancel();
    EXPECT_TRUE(ran);
    EXPECT_FALSE(laterRan);
}

TEST(CancellationTokenTest, ChildFollowsParentButNotTheOtherWay) {
    CancellationSource parent;
    CancellationSource child(parent.token());
    CancellationSource grandchild(child.token());
    CancellationSource sibling(parent.token());
    bool childHandlerRan = false;
    auto registration = grandchild.token().onCancel([&] { childHandlerRan = true; });

    sibling.cancel();
    EXPECT_FALSE(parent.isCancelled());
    EXPECT_FALSE(child.isCancelled());

    parent.cancel();
    EXPECT_TRUE(child.isCancelled());
    EXPECT_TRUE(grandchild.isCancelled());
    EXPECT_TRUE(childHandlerRan);
    EXPECT_TRUE(CancellationSource(parent.token()).isCancelled());  // born cancelled
}

TEST(CancellationTokenTest, DeadChildrenLeaveNoLinkOnTheParent) {
    CancellationSource parent;
    {
        std::vector<CancellationSource> children;
        for (int i = 0; i < 1000; ++i) children.emplace_back(parent.token());
        EXPECT_EQ(parent.token().registeredHandlerCount(), 1000u);
        // Copies share the link: it goes with the last of them.
        CancellationSource copy = children.front();
        children.clear();
        EXPECT_EQ(parent.token().registeredHandlerCount(), 1u);
    }
    EXPECT_EQ(parent.token().registeredHandlerCount(), 0u);

    CancellationSource released(parent.token());
    released.releaseParentLink();
    EXPECT_EQ(parent.token().registeredHandlerCount(), 0u);
    parent.cancel();
    EXPECT_FALSE(released.isCancelled());
}

TEST(CancellationTokenTest, ChildDyingWhileParentCancelsIsSafe) {
    for (int round = 0; round < 100; ++round) {
        CancellationSource parent;
        std::optional<CancellationSource> child(std::in_place, parent.token());
        std::latch start(2);
        std::thread canceller([&] {
            start.arrive_and_wait();
            parent.cancel();
        });
        start.arrive_and_wait();
        child.reset();
        canceller.join();
        EXPECT_EQ(parent.token().registeredHandlerCount(), 0u);
    }
}

TEST(CancellationScopeTest, FreeFunctionsReadTheScopedTokenAndRestoreThePrevious) {
    EXPECT_FALSE(isCancelled());
    EXPECT_NO_THROW(checkCancellation());
    bool outsideRan = false;
    auto outside = onCancel([&] { outsideRan = true; });

    CancellationSource outer;
    CancellationSource inner;
    inner.cancel();
    {
        CancellationScope outerScope(outer.token());
        EXPECT_FALSE(isCancelled());
        bool handlerRan = false;
        auto registration = onCancel([&] { handlerRan = true; });
        {
            CancellationScope innerScope(inner.token());
            EXPECT_TRUE(isCancelled());
            EXPECT_THROW(checkCancellation(), CancellationError);
            bool inlineRan = false;
            auto immediate = onCancel([&] { inlineRan = true; });
            EXPECT_TRUE(inlineRan);
        }
        EXPECT_FALSE(isCancelled());
        outer.cancel();
        EXPECT_TRUE(handlerRan);
        EXPECT_THROW(checkCancellation(), CancellationError);
    }
    EXPECT_FALSE(isCancelled());
    EXPECT_FALSE(currentCancellationToken().canBeCancelled());
    EXPECT_FALSE(outsideRan);
}

TEST(CancellationScopeTest, TokenIsPerThread) {
    CancellationSource source;
    source.cancel();
    CancellationScope scope(source.token());
    bool otherThreadSaw = true;
    std::thread([&] { otherThreadSaw = isCancelled(); }).join();
    EXPECT_TRUE(isCancelled());
    EXPECT_FALSE(otherThreadSaw);
}

}  // namespace
}  // namespace corvend::platform
