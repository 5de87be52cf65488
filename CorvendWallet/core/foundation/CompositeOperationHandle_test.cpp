#include "CorvendWallet/core/foundation/CompositeOperationHandle.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "CorvendWallet/core/foundation/EmptyOperation.hpp"
#include "CorvendWallet/core/foundation/WalletOperationPropagatesCancellation.hpp"
#include "tests/support/CountingOperation.hpp"

namespace corvend {
namespace {

using testing::CountingOperation;

// Records each cancel() and runs an optional action from inside it.

TEST(CompositeOperationHandleTest, CancelsInAddOrderAndKeepsTheList) {
    std::vector<std::string> order;
    auto composite = CompositeOperationHandle::make();
    composite->cancel();  // empty: nothing to call
    EXPECT_EQ(composite->size(), 0u);

    auto a = std::make_shared<CountingOperation>([&] { order.push_back("A"); });
    auto b = std::make_shared<CountingOperation>([&] { order.push_back("B"); });
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
    auto early = std::make_shared<CountingOperation>();
    composite->add(early);
    composite->cancel();

    auto late = std::make_shared<CountingOperation>();
    composite->add(late);
    EXPECT_EQ(late->cancels, 0);

    composite->cancel();
    EXPECT_EQ(early->cancels, 2);
    EXPECT_EQ(late->cancels, 1);
}

TEST(CompositeOperationHandleTest, HandleMayAddToAndCancelTheCompositeFromItsOwnCancel) {
    auto composite = CompositeOperationHandle::make();
    std::weak_ptr<CompositeOperationHandle> weak = composite;
    auto added = std::make_shared<CountingOperation>();
    bool reentered = false;
    auto reentrant = std::make_shared<CountingOperation>([&] {
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
