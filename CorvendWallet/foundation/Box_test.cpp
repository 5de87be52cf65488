#include "CorvendWallet/foundation/Box.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <latch>
#include <memory>
#include <thread>

#include "tests/support/CountingOperation.hpp"

namespace corvend {
namespace {

using testing::CountingOperation;
using testing::PropagatingOperation;

TEST(BoxTest, CancelBeforeAnyHandleIsHonouredBySet) {
    int didCancel = 0;
    for (bool propagates : {false, true}) {
        Box box;
        box.cancel();  // nothing stored yet
        auto handle = propagates ? std::make_shared<PropagatingOperation>()
                                 : std::make_shared<CountingOperation>();
        box.set(handle, [&] { ++didCancel; });
        EXPECT_EQ(handle->cancels, 1);
    }
    EXPECT_EQ(didCancel, 1);  // a propagating handle reports its own end
}

// Also: every cancel() cancels the handle again, the callback runs once.
TEST(BoxTest, HandleAndCallbackMayCallBackIntoTheBox) {
    Box box;
    auto handle = std::make_shared<CountingOperation>([&] { EXPECT_TRUE(box.isCancelled()); });
    int runs = 0;
    box.set(handle, [&] {
        ++runs;
        box.cancel();  // nested: cancels the handle again, the callback is already taken
    });
    box.cancel();
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(handle->cancels, 2);
}

TEST(BoxTest, RacingSetAndCancelRunTheCallbackExactlyOnce) {
    for (int round = 0; round < 500; ++round) {
        Box box;
        auto handle = std::make_shared<CountingOperation>();
        std::atomic<int> didCancel{0};
        std::latch start(2);
        std::jthread canceller([&] {
            start.arrive_and_wait();
            box.cancel();
        });
        start.arrive_and_wait();
        box.set(handle, [&] { ++didCancel; });
        canceller.join();
        ASSERT_EQ(didCancel, 1) << "round " << round;
        ASSERT_EQ(handle->cancels, 1) << "round " << round;
    }
}

}  // namespace
}  // namespace corvend
