#include "platform/async/CancellationToken.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <latch>
#include <memory>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

#include "platform/async/CancellationError.hpp"

namespace corvend::platform {
namespace {

TEST(CancellationTokenTest, CancelRunsEachHandlerOnceInOrderOnTheCancellingThread) {
    CancellationSource source;
    std::vector<std::pair<int, std::thread::id>> runs;
    auto record = [&](int n) {
        return [&, n] { runs.emplace_back(n, std::this_thread::get_id()); };
    };
    auto first = source.token().onCancel(record(1));
    auto second = source.token().onCancel(record(2));
    std::thread::id canceller;
    std::thread([&] {
        canceller = std::this_thread::get_id();
        source.cancel();
        source.cancel();
    }).join();
    source.cancel();
    EXPECT_EQ(runs, (std::vector<std::pair<int, std::thread::id>>{{1, canceller}, {2, canceller}}));
}

TEST(CancellationTokenTest, UnregisteredHandlerNeverRuns) {
    CancellationSource source;
    int runs = 0;
    auto kept = source.token().onCancel([&] { ++runs; });
    (void)source.token().onCancel([&] { runs += 100; });  // dropped at once
    // A moved registration keeps the handler until its new owner lets go.
    CancellationRegistration outer;
    outer = source.token().onCancel([&] { runs += 1000; });
    CancellationRegistration moved(std::move(outer));
    EXPECT_EQ(source.token().registeredHandlerCount(), 2u);
    moved = CancellationRegistration();
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
        std::vector<std::jthread> threads;
        for (int t = 0; t < kThreads; ++t) {
            threads.emplace_back([&] {
                start.arrive_and_wait();
                source.cancel();
            });
        }
        threads.clear();
        for (int i = 0; i < kHandlers; ++i) EXPECT_EQ(runs[i].load(), 1) << "handler " << i;
    }
}

// Runs `action` here while another thread, released at the same moment, cancels `source`.
template <class Action>
void raceWithCancel(CancellationSource& source, Action action) {
    std::latch start(2);
    std::jthread canceller([&] {
        start.arrive_and_wait();
        source.cancel();
    });
    start.arrive_and_wait();
    action();
}

TEST(CancellationTokenTest, RegistrationRacingCancelRunsTheHandlerExactlyOnce) {
    for (int round = 0; round < 200; ++round) {
        CancellationSource source;
        std::atomic<int> runs{0};
        CancellationRegistration registration;
        raceWithCancel(source, [&] { registration = source.token().onCancel([&] { ++runs; }); });
        EXPECT_EQ(runs.load(), 1);
    }
}

// The owner frees what the handler uses right after dropping the registration, so the drop must
// wait for the handler running elsewhere, which goes on only once the drop has begun.
TEST(CancellationTokenTest, DroppingRegistrationWaitsForHandlerRunningElsewhere) {
    CancellationSource source;
    auto captured = std::make_unique<int>(0);
    std::latch handlerStarted(1);
    std::latch dropBegun(1);
    std::optional<CancellationRegistration> registration;
    registration.emplace(source.token().onCancel([&, data = captured.get()] {
        handlerStarted.count_down();
        dropBegun.wait();
        for (int i = 0; i < 1000; ++i, std::this_thread::yield()) ++*data;
    }));
    std::jthread canceller([&] { source.cancel(); });
    handlerStarted.wait();
    dropBegun.count_down();
    registration.reset();
    EXPECT_EQ(*captured, 1000);
    captured.reset();
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
    bool grandchildHandlerRan = false;
    auto registration = grandchild.token().onCancel([&] { grandchildHandlerRan = true; });

    sibling.cancel();
    EXPECT_FALSE(parent.isCancelled());
    EXPECT_FALSE(child.isCancelled());

    parent.cancel();
    EXPECT_TRUE(grandchild.isCancelled());
    EXPECT_TRUE(grandchildHandlerRan);
    EXPECT_TRUE(CancellationSource(parent.token()).isCancelled());  // born cancelled
}

TEST(CancellationTokenTest, DeadChildrenLeaveNoLinkOnTheParent) {
    CancellationSource parent;
    {
        std::vector<CancellationSource> children;
        for (int i = 0; i < 1000; ++i) children.emplace_back(parent.token());
        EXPECT_EQ(parent.token().registeredHandlerCount(), 1000u);
        CancellationSource copy = children.front();  // copies share the link
        children.clear();
        EXPECT_EQ(parent.token().registeredHandlerCount(), 1u);
    }
    EXPECT_EQ(parent.token().registeredHandlerCount(), 0u);
}

TEST(CancellationTokenTest, ChildDyingWhileParentCancelsIsSafe) {
    for (int round = 0; round < 100; ++round) {
        CancellationSource parent;
        std::optional<CancellationSource> child(std::in_place, parent.token());
        raceWithCancel(parent, [&] { child.reset(); });
        EXPECT_EQ(parent.token().registeredHandlerCount(), 0u);
    }
}

TEST(CancellationScopeTest, FreeFunctionsReadThisThreadsScopedTokenAndRestoreThePrevious) {
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
            EXPECT_THROW(checkCancellation(), CancellationError);
            bool otherThreadSaw = true;
            std::thread([&] { otherThreadSaw = isCancelled(); }).join();
            EXPECT_FALSE(otherThreadSaw);
            bool inlineRan = false;
            auto immediate = onCancel([&] { inlineRan = true; });
            EXPECT_TRUE(inlineRan);
        }
        EXPECT_FALSE(isCancelled());
        outer.cancel();
        EXPECT_TRUE(handlerRan);
        EXPECT_TRUE(isCancelled());
    }
    EXPECT_FALSE(isCancelled());
    EXPECT_FALSE(currentCancellationToken().canBeCancelled());
}

}  // namespace
}  // namespace corvend::platform
