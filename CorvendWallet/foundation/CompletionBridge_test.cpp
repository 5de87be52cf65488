#include "CorvendWallet/foundation/CompletionBridge.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <memory>
#include <optional>
#include <string>

#include "CorvendWallet/foundation/Box.hpp"
#include "CorvendWallet/foundation/WalletError.hpp"
#include "platform/async/CancellationToken.hpp"
#include "tests/support/HeldCall.hpp"

namespace corvend {
namespace {

using model::WalletError;
using platform::MainQueue;
using namespace std::chrono_literals;

struct Delivery {
    std::atomic<int> calls{0};
    std::atomic<bool> onMain{false};
    std::optional<Result<int>> result;
    // Where the completion was let go of: a host's screen captured in it goes there too.
    std::atomic<bool> letGoOnMain{false};
    std::atomic<bool> letGo{false};
};

struct LetGoWitness {
    std::shared_ptr<Delivery> delivery;
    ~LetGoWitness() {
        delivery->letGoOnMain = MainQueue::isMainThread();
        delivery->letGo = true;
    }
};

std::function<void(Result<int>)> recorder(const std::shared_ptr<Delivery>& delivery) {
    return [delivery, witness = std::make_shared<LetGoWitness>(delivery)](Result<int> result) {
        delivery->onMain = MainQueue::isMainThread();
        delivery->result = std::move(result);
        ++delivery->calls;
    };
}

TEST(CompletionBridgeTest, DeliversValueOrErrorOnceOnTheMainQueueAfterReturning) {
    auto& main = MainQueue::shared();
    main.drain();  // become the main thread
    for (bool fails : {false, true}) {
        auto delivery = std::make_shared<Delivery>();
        auto handle = runWalletOperation<int>(
            [fails]() -> int {
                if (fails) throw WalletError::notConfigured();
                return 42;
            },
            recorder(delivery));
        // Called on the main thread: nothing can run before this call has returned.
        EXPECT_EQ(delivery->calls.load(), 0);
        ASSERT_TRUE(main.runUntil([&] { return delivery->calls > 0; }, 10s));
        EXPECT_TRUE(delivery->onMain.load());
        if (fails) {
            EXPECT_EQ(delivery->result->error().as<WalletError>(), WalletError::notConfigured());
        } else {
            EXPECT_EQ(delivery->result->value(), 42);
        }
        handle->cancel();  // after the end: no effect
        main.drain();
        EXPECT_EQ(delivery->calls.load(), 1);
        ASSERT_TRUE(main.runUntil([&] { return delivery->letGo.load(); }, 10s));
        EXPECT_TRUE(delivery->letGoOnMain.load());
    }
}

TEST(CompletionBridgeTest, CancellationErrorCallsNothingButOtherOutcomesAfterCancelStillCome) {
    auto& main = MainQueue::shared();
    for (bool operationObservesCancel : {true, false}) {
        auto delivery = std::make_shared<Delivery>();
        auto started = std::make_shared<platform::OneShot<void>>();
        auto handle = runWalletOperation<int>(
            [=]() -> int {
                auto released = std::make_shared<platform::OneShot<void>>();
                auto registration = platform::onCancel([released] { released->resolve(); });
                started->resolve();
                released->wait();
                if (operationObservesCancel) platform::checkCancellation();
                return 7;  // finished despite the cancel: still delivered
            },
            recorder(delivery));
        started->wait();
        handle->cancel();
        // Once the task has ended, anything it posted is already queued.
        const auto task = std::dynamic_pointer_cast<TaskOperationHandle>(handle)->task();
        ASSERT_TRUE(main.runUntil([&] { return task.isFinished(); }, 10s));
        main.drain();
        EXPECT_EQ(delivery->calls.load(), operationObservesCancel ? 0 : 1);
        // Called or dropped, the completion goes on the main queue, never on the task's thread.
        ASSERT_TRUE(main.runUntil([&] { return delivery->letGo.load(); }, 10s));
        EXPECT_TRUE(delivery->letGoOnMain.load());
    }
}

// The handle of a completion-form call is of the kind that passes cancellation on: a box that
// holds it cancels the running task and leaves the end to the task, never to its own callback.
TEST(CompletionBridgeTest, TheHandleCancelsItsTaskAndLetsTheTaskReportItsEnd) {
    auto held = std::make_shared<testing::HeldCall>();
    auto handle = runWalletOperation<int>(
        [held]() -> int {
            held->hold(true);
            platform::checkCancellation();
            return 1;
        },
        [](Result<int>) {});
    Box box;
    int callbacks = 0;
    box.set(handle, [&callbacks] { ++callbacks; });
    box.cancel();
    const auto task = std::dynamic_pointer_cast<TaskOperationHandle>(handle)->task();
    ASSERT_TRUE(MainQueue::shared().runUntil([&] { return task.isFinished(); }, 10s));
    EXPECT_TRUE(held->cancelled);
    EXPECT_EQ(callbacks, 0);
}

// A service of the kit's shape whose one operation echoes its argument once released.
class EchoService : public std::enable_shared_from_this<EchoService> {
  public:
    std::shared_future<void> release;

    std::shared_ptr<WalletOperationHandle> echo(std::string text,
                                                std::function<void(Result<std::string>)> done) {
        return runServiceOperation(shared_from_this(), &EchoService::doEcho, std::move(done),
                                   std::move(text));
    }

  private:
    std::string doEcho(const std::string& text) {
        release.wait();
        return text;
    }
};

TEST(CompletionBridgeTest, ServiceOperationOwnsItsServiceAndArguments) {
    std::promise<void> release;
    auto service = std::make_shared<EchoService>();
    service->release = release.get_future().share();
    const std::weak_ptr<EchoService> watch = service;
    std::optional<Result<std::string>> result;
    service->echo("hello", [&](Result<std::string> echoed) { result = std::move(echoed); });
    service.reset();  // the host lets go while the operation waits
    EXPECT_FALSE(watch.expired());
    release.set_value();
    ASSERT_TRUE(MainQueue::shared().runUntil([&] { return result.has_value(); }, 10s));
    EXPECT_EQ(result->value(), "hello");
    EXPECT_THROW(EchoService().echo("x", [](Result<std::string>) {}), std::bad_weak_ptr);
}

}  // namespace
}  // namespace corvend
