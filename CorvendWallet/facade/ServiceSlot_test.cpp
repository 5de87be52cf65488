#include "CorvendWallet/facade/ServiceSlot.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <latch>
#include <thread>
#include <vector>

#include "CorvendWallet/setup/SimpleDeviceFingerprintProvider.hpp"

namespace corvend {
namespace {

TEST(ServiceSlotTest, FirstReadersRacingGetOneServiceAndAssignmentReplacesIt) {
    ServiceSlot<DeviceFingerprintProvider> slot;
    std::atomic<int> made{0};
    constexpr int kReaders = 8;
    std::latch start(kReaders);
    std::vector<std::shared_ptr<DeviceFingerprintProvider>> seen(kReaders);
    {
        std::vector<std::jthread> readers;
        for (int i = 0; i < kReaders; ++i) {
            readers.emplace_back([&, i] {
                start.arrive_and_wait();
                seen[i] = slot.get([&] {
                    ++made;
                    return std::make_shared<SimpleDeviceFingerprintProvider>();
                });
            });
        }
    }
    EXPECT_EQ(made.load(), 1);
    for (const auto& service : seen) EXPECT_EQ(service, seen[0]);

    auto replacement = std::make_shared<SimpleDeviceFingerprintProvider>();
    slot.set(replacement);
    EXPECT_EQ(slot.get([]() -> std::shared_ptr<DeviceFingerprintProvider> { return nullptr; }),
              replacement);
}

TEST(SimpleDeviceFingerprintProviderTest, EveryCallGivesANewIdentifierInUUIDForm) {
    SimpleDeviceFingerprintProvider provider;
    const auto first = provider.fingerprint();
    const auto second = provider.fingerprint();
    EXPECT_NE(first, second);
    ASSERT_EQ(first.size(), 36u);
    for (std::size_t i : {8u, 13u, 18u, 23u}) EXPECT_EQ(first[i], '-');
    EXPECT_EQ(first[14], '4');                                          // version 4
    EXPECT_NE(std::string("89AB").find(first[19]), std::string::npos);  // RFC variant
}

}  // namespace
}  // namespace corvend
