#include "CorvendWallet/core/foundation/DispatchQueue.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>

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

}  // namespace
}  // namespace corvend
