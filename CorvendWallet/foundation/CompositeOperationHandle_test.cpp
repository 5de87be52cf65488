#include "CorvendWallet/foundation/CompositeOperationHandle.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/support/CountingOperation.hpp"

namespace corvend {
namespace {

using testing::CountingOperation;

TEST(CompositeOperationHandleTest, CancelsInAddOrderKeepsTheListAndSparesLateAdds) {
    std::vector<std::string> order;
    auto composite = CompositeOperationHandle::make();
    composite->cancel();  // empty: nothing to call

    auto a = std::make_shared<CountingOperation>([&] { order.push_back("A"); });
    auto b = std::make_shared<CountingOperation>([&] { order.push_back("B"); });
    composite->add(a);
    composite->add(nullptr);
    composite->add(b);
    composite->cancel();
    EXPECT_EQ(order, (std::vector<std::string>{"A", "B"}));

    auto late = std::make_shared<CountingOperation>();
    composite->add(late);
    EXPECT_EQ(late->cancels, 0);
    composite->cancel();
    EXPECT_EQ(order, (std::vector<std::string>{"A", "B", "A", "B"}));
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

}  // namespace
}  // namespace corvend
