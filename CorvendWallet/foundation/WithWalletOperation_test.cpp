#include "CorvendWallet/foundation/WithWalletOperation.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <future>
#include <latch>
#include <memory>
#include <string>
#include <thread>

#include "CorvendWallet/foundation/EmptyOperation.hpp"
#include "CorvendWallet/foundation/WalletError.hpp"
#include "platform/async/CancellationToken.hpp"
#include "platform/async/Task.hpp"
#include "tests/support/CountingOperation.hpp"

namespace corvend {
namespace {

using testing::CountingOperation;
using testing::PropagatingOperation;

using model::WalletError;
using platform::CancellationError;

// A task waiting in withWalletOperation on `handle`, and the completion the operation got.
std::pair<platform::Task<int>, std::function<void(Result<int>)>> startWaiting(
    std::shared_ptr<WalletOperationHandle> handle) {
    auto started = std::make_shared<std::promise<std::function<void(Result<int>)>>>();
    auto task = platform::Task<int>::detached([started, handle] {
        return withWalletOperation<int>([&](auto completion) {
            started->set_value(completion);
            return handle;
        });
    });
    return {task, started->get_future().get()};
}

TEST(WithWalletOperationTest, ReturnsTheValueCompletedFromAnotherThreadOrBeforeTheHandle) {
    std::jthread worker;
    EXPECT_EQ(withWalletOperation<std::string>([&](auto completion) {
                  worker = std::jthread([completion] { completion(std::string("done")); });
                  return EmptyOperation::make();
              }),
              "done");
    EXPECT_NO_THROW(withWalletOperation<void>([](auto completion) {
        completion(Result<void>());
        return EmptyOperation::make();
    }));
}

TEST(WithWalletOperationTest, PassesTheErrorAndWhatTheStartThrowsOnUnchanged) {
    const auto sent = Error::make(WalletError::internalError("I0007", "e-1"));
    try {
        withWalletOperation<int>([&](auto completion) {
            completion(std::unexpected(sent));
            return EmptyOperation::make();
        });
        FAIL() << "expected the operation's error";
    } catch (const WalletError&) {
        EXPECT_EQ(std::current_exception(), sent.exception());  // the very object
    }
    EXPECT_THROW(withWalletOperation<int>([](auto) -> std::shared_ptr<WalletOperationHandle> {
                     throw WalletError::notConfigured();
                 }),
                 WalletError);
}

TEST(WithWalletOperationTest, AlreadyCancelledTaskNeverStartsTheOperation) {
    platform::CancellationSource source;
    source.cancel();
    platform::CancellationScope scope(source.token());
    bool started = false;
    EXPECT_THROW(withWalletOperation<int>([&](auto) {
                     started = true;
                     return EmptyOperation::make();
                 }),
                 CancellationError);
    EXPECT_FALSE(started);
}

TEST(WithWalletOperationTest, CancelArrivingWhileTheOperationStartsIsNotLost) {
    platform::CancellationSource source;
    platform::CancellationScope scope(source.token());
    auto handle = std::make_shared<CountingOperation>();
    EXPECT_THROW(withWalletOperation<int>([&](auto) {
                     source.cancel();  // lands before the handle is stored
                     return handle;
                 }),
                 CancellationError);
    EXPECT_EQ(handle->cancels, 1);
}

TEST(WithWalletOperationTest, CancellingTheTaskCancelsTheHandleAndEndsTheWait) {
    auto handle = std::make_shared<CountingOperation>();
    auto [task, completion] = startWaiting(handle);
    task.cancel();
    EXPECT_THROW(task.value(), CancellationError);
    EXPECT_EQ(handle->cancels, 1);

    completion(7);  // arrives after the wait ended: ignored
    completion(std::unexpected(Error::make(WalletError::notConfigured())));
}

TEST(WithWalletOperationTest, PropagatingHandleEndsTheWaitThroughItsOwnCompletion) {
    std::function<void(Result<int>)> completion;
    // The work reports its own end on cancel.
    auto handle = std::make_shared<PropagatingOperation>([&] { completion(99); });
    auto waiting = startWaiting(handle);
    completion = waiting.second;
    waiting.first.cancel();
    EXPECT_EQ(waiting.first.value(), 99);
    EXPECT_EQ(handle->cancels, 1);
}

TEST(WithWalletOperationTest, RacingCompletionAndCancelEndTheWaitExactlyOnce) {
    for (int round = 0; round < 200; ++round) {
        auto handle = std::make_shared<CountingOperation>();
        auto [task, completion] = startWaiting(handle);
        std::latch go(2);
        std::jthread completer([&] {
            go.arrive_and_wait();
            completion(round);
        });
        go.arrive_and_wait();
        task.cancel();
        completer.join();
        try {
            ASSERT_EQ(task.value(), round);
        } catch (const CancellationError&) {
        }
        ASSERT_LE(handle->cancels, 1);
    }
}

}  // namespace
}  // namespace corvend
