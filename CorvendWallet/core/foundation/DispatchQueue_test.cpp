#include "CorvendWallet/core/foundation/DispatchQueue.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <future>
#include <memory>
#include <stdexcept>

namespace corvend {
namespace {

using ::testing::_;
using ::testing::IsNull;

class MockQueue final : public DispatchQueueProtocol {
  public:
    using DispatchQueueProtocol::async;
    MOCK_METHOD(void, async,
                (const std::shared_ptr<platform::DispatchGroup>&, platform::DispatchQoS,
                 platform::DispatchWorkItemFlags, std::function<void()>),
                (override));
    MOCK_METHOD(void, async, (std::shared_ptr<platform::WorkItem>), (override));
};

TEST(DispatchQueueProtocolTest, PlainBlockGoesOutWithNoGroupUnspecifiedQoSAndNoFlags) {
    MockQueue queue;
    bool ran = false;
    EXPECT_CALL(queue, async(IsNull(), platform::DispatchQoS::unspecified,
                             platform::DispatchWorkItemFlags::none, _))
        .WillOnce([](auto&&, auto, auto, std::function<void()> block) { block(); });
    DispatchQueueProtocol& protocol = queue;
    protocol.async([&] { ran = true; });
    EXPECT_TRUE(ran);
}

TEST(DispatchQueueTest, GroupIsEnteredAtSubmissionAndLeftAfterTheBlock) {
    auto queue = DispatchQueue::make("group");
    auto group = std::make_shared<platform::DispatchGroup>();
    std::promise<void> gate;
    bool ran = false;
    queue->async(group, platform::DispatchQoS::unspecified, platform::DispatchWorkItemFlags::none,
                 [&, opened = gate.get_future().share()] {
                     opened.wait();
                     ran = true;
                 });
    gate.set_value();
    group->wait();  // would return at once if the group had not been entered
    EXPECT_TRUE(ran);
}

TEST(DispatchQueueTest, CancelledWorkItemIsSkipped) {
    auto queue = DispatchQueue::make("item");
    std::promise<void> gate;
    queue->async([opened = gate.get_future().share()] { opened.wait(); });

    bool ran = false;
    auto item = std::make_shared<platform::WorkItem>([&] { ran = true; });
    queue->async(item);
    item->cancel();
    gate.set_value();
    item->wait();
    queue->queue()->sync([] {});
    EXPECT_FALSE(ran);
}

TEST(DispatchQueueTest, RefusesANullQueue) {
    EXPECT_THROW(DispatchQueue(nullptr), std::invalid_argument);
}

}  // namespace
}  // namespace corvend
