#include "CorvendWallet/core/CompositeOperationHandle.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "CorvendWallet/core/EmptyOperation.hpp"
#include "CorvendWallet/core/WalletOperationPropagatesCancellation.hpp"

namespace corvend {
namespace {

// Records each cancel() and runs an optional action from inside it.
class RecordingOperation final : public WalletOperationHandle {
  public:
    explicit RecordingOperation(std::function<void()> onCancel = {})
        : onCancel_(std::move(onCancel)) {}
    void cancel() noexcept override {
        ++cancels;
        if (onCancel_) onCancel_();
    }
    std::atomic<int> cancels{0};

  private:
    std::function<void()> onCancel_;
};

TEST(CompositeOperationHandleTest, CancelsInAddOrderAndKeepsTheList) {
    std::vector<std::string> order;
    auto composite = CompositeOperationHandle::make();
    composite->cancel();  // empty: nothing to call
    EXPECT_EQ(composite->size(), 0u);

    auto a = std::make_shared<RecordingOperation>([&] { order.push_back("A"); });
    auto b = std::make_shared<RecordingOperation>([&] { order.push_back("B"); });
    composite->add(a);
    composite->add(nullptr);
    composite->add(b);
    EXPECT_EQ(composite->size(), 2u);

    composite->cancel();
    EXPECT_EQ(order, (std::vector<std::string>{"A", "B"}));

    composite->cancel();
    EXPECT_EQ(order, (std::vector<std::string>{"A", "B", "A", "B"}));
    EXPECT_EQ(composite->size(), 2u);
}

TEST(CompositeOperationHandleTest, LateAddIsCancelledOnlyByALaterCancel) {
    auto composite = CompositeOperationHandle::make();
    auto early = std::make_shared<RecordingOperation>();
    composite->add(early);
    composite->cancel();

    auto late = std::make_shared<RecordingOperation>();
    composite->add(late);
    EXPECT_EQ(late->cancels, 0);

    composite->cancel();
    EXPECT_EQ(early->cancels, 2);
    EXPECT_EQ(late->cancels, 1);
}

TEST(CompositeOperationHandleTest, HandleMayAddToAndCancelTheCompositeFromItsOwnCancel) {
    auto composite = CompositeOperationHandle::make();
    std::weak_ptr<CompositeOperationHandle> weak = composite;
    auto added = std::make_shared<RecordingOperation>();
    bool reentered = false;
    auto reentrant = std::make_shared<RecordingOperation>([&] {
        if (reentered) return;
        reentered = true;
        auto self = weak.lock();
        self->add(added);  // would deadlock if cancel() held the lock
        self->cancel();
    });
    composite->add(reentrant);

    composite->cancel();
    // The nested cancel saw the added handle; the outer one worked on its earlier copy.
    EXPECT_EQ(reentrant->cancels, 2);
    EXPECT_EQ(added->cancels, 1);
    EXPECT_EQ(composite->size(), 2u);
}

TEST(OperationKindsTest, OnlyTaskHandlesPropagateCancellation) {
    EXPECT_FALSE(propagatesCancellation(EmptyOperation::make()));
    EXPECT_FALSE(propagatesCancellation(CompositeOperationHandle::make()));
    EXPECT_FALSE(propagatesCancellation(nullptr));
}

}  // namespace
}  // namespace corvend
