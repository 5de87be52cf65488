#include "CorvendWallet/core/foundation/CompletionBridge.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <stdexcept>
#include <string>
#include <thread>

#include "CorvendWallet/core/foundation/WalletError.hpp"
#include "platform/async/CancellationError.hpp"
#include "platform/async/CancellationToken.hpp"

namespace corvend {
namespace {

using model::WalletError;
using platform::MainQueue;
using namespace std::chrono_literals;

struct Delivery {
    std::atomic<int> calls{0};
    std::atomic<bool> onMain{false};
    std::optional<Result<int>> result;
};

std::function<void(Result<int>)> recorder(const std::shared_ptr<Delivery>& delivery) {
    return [delivery](Result<int> result) {
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
        main.drain();
        EXPECT_EQ(delivery->calls.load(), 1);
        EXPECT_TRUE(delivery->onMain.load());
        if (fails) {
            EXPECT_EQ(delivery->result->error().as<WalletError>(), WalletError::notConfigured());
        } else {
            EXPECT_EQ(delivery->result->value(), 42);
        }
        handle->cancel();  // after the end: no effect
        main.drain();
        EXPECT_EQ(delivery->calls.load(), 1);
    }
}

TEST(CompletionBridgeTest, CancellationErrorCallsNothingButOtherOutcomesAfterCancelStillCome) {
    auto& main = MainQueue::shared();
    for (bool operationObservesCancel : {true, false}) {
        auto delivery = std::make_shared<Delivery>();
        auto started = std::make_shared<platform::OneShot<void>>();
        auto release = std::make_shared<platform::OneShot<void>>();
        auto finished = std::make_shared<platform::OneShot<void>>();
        auto handle = runWalletOperation<int>(
            [=]() -> int {
                started->resolve();
                if (operationObservesCancel) {
                    auto registration = platform::onCancel([release] { release->resolve(); });
                    release->wait();
                    finished->resolve();
                    platform::checkCancellation();
                    return 1;
                }
                release->wait();
                finished->resolve();
                return 7;  // finished despite the cancel: still delivered
            },
            recorder(delivery));
        started->wait();
        handle->cancel();
        handle->cancel();
        if (!operationObservesCancel) release->resolve();
        finished->wait();
        if (operationObservesCancel) {
            // Once the task has ended, anything it posted is already queued.
            const auto task = std::dynamic_pointer_cast<TaskOperationHandle>(handle)->task();
            ASSERT_TRUE(main.runUntil([&] { return task.isFinished(); }, 10s));
            main.drain();
            EXPECT_EQ(delivery->calls.load(), 0);
        } else {
            ASSERT_TRUE(main.runUntil([&] { return delivery->calls > 0; }, 10s));
            EXPECT_EQ(delivery->result->value(), 7);
        }
    }
}

TEST(CompletionBridgeTest, DroppedHandleStillDeliversAndCancelIsSafeFromManyThreads) {
    auto& main = MainQueue::shared();
    auto delivery = std::make_shared<Delivery>();
    std::shared_ptr<WalletOperationHandle> handle =
        runWalletOperation<int>([] { return 5; }, recorder(delivery));
    std::vector<std::jthread> cancellers;
    for (int i = 0; i < 4; ++i) cancellers.emplace_back([handle] { handle->cancel(); });
    cancellers.clear();
    handle.reset();
    ASSERT_TRUE(main.runUntil([&] { return delivery->calls > 0; }, 10s));
    EXPECT_EQ(delivery->calls.load(), 1);
}

// A service of the kit's shape whose one operation waits for `release`, then echoes its
// argument or throws it.
class EchoService : public std::enable_shared_from_this<EchoService> {
  public:
    std::shared_future<void> release;

    std::shared_ptr<WalletOperationHandle> echo(std::string text,
                                                std::function<void(Result<std::string>)> done) {
        return runServiceOperation(shared_from_this(), &EchoService::doEcho, std::move(done),
                                   std::move(text));
    }

  private:
    virtual std::string doEcho(const std::string& text) = 0;
};

class Echo final : public EchoService {
    std::string doEcho(const std::string& text) override {
        release.wait();
        if (text == "fail") throw std::runtime_error(text);
        return text;
    }
};

TEST(CompletionBridgeTest, ServiceOperationOwnsItsServiceAndArgumentsAndReportsOnMain) {
    auto& main = MainQueue::shared();
    main.drain();  // become the main thread
    std::promise<void> release;
    auto service = std::make_shared<Echo>();
    service->release = release.get_future().share();
    const std::weak_ptr<Echo> watch = service;
    std::vector<std::optional<Result<std::string>>> results(2);
    std::jthread([&] {
        for (std::size_t i = 0; i < results.size(); ++i) {
            std::string text = i == 0 ? "hello" : "fail";
            service->echo(text, [&results, i](Result<std::string> result) {
                EXPECT_TRUE(MainQueue::isMainThread());
                results[i] = std::move(result);
            });
            text.clear();  // the task holds its own copy
        }
    }).join();
    service.reset();  // the host lets go while the operations wait
    EXPECT_FALSE(watch.expired());
    release.set_value();
    ASSERT_TRUE(main.runUntil([&] { return results[0] && results[1]; }, 10s));
    EXPECT_EQ(results[0]->value(), "hello");
    EXPECT_EQ(results[1]->error().description(), "fail");
    EXPECT_THROW(Echo().echo("x", [](Result<std::string>) {}), std::bad_weak_ptr);
}

}  // namespace
}  // namespace corvend
