// Transfers end to end: the kit's repository over a real network manager against the sandbox's
// transfer routes.

#include <gtest/gtest.h>

#include <memory>
#include <optional>

#include "CorvendWallet/services/money/TransferRepository.hpp"
#include "tests/integration/SandboxTest.hpp"
#include "tests/support/FakeDeviceFingerprintProvider.hpp"

namespace corvend::integration {
namespace {

using model::PaymentStatus;
using Recipient = model::CustomerTransfer::CustomerTransferRecipient;

using TransferTest = SandboxTest;

TEST_F(TransferTest, PreviewCreateConfirmAndReadBack) {
    const auto service = TransferRepository::make(
        configuredManager("user-token-1"),
        std::make_shared<testing::FakeDeviceFingerprintProvider>("fp-integration"));
    const auto previewed =
        service->preview({10'000,
                          "EUR",
                          Recipient::withEmail("ana@example.com"),
                          "order-7",
                          std::nullopt,
                          {model::TransferDetails::Reason::peerTransfer, "rent"}});
    EXPECT_EQ(previewed.status(), PaymentStatus::preview);
    EXPECT_EQ(previewed.amount(), 10'000);
    EXPECT_EQ(previewed.recipient(), Recipient::withEmail("ana@example.com"));
    EXPECT_EQ(previewed.transferDetails().reason, model::TransferDetails::Reason::peerTransfer);
    ASSERT_EQ(previewed.fees().size(), 1u);

    EXPECT_EQ(service->create({previewed.id(), std::nullopt}).status(), PaymentStatus::pending);
    const auto confirmed = service->confirm({previewed.id(), std::nullopt});
    EXPECT_EQ(confirmed.status(), PaymentStatus::completed);
    EXPECT_EQ(service->get(previewed.id()), confirmed);

    const auto page = service->getAll(model::GetTransferParameters(1, "order-7", 0, std::nullopt));
    ASSERT_EQ(page.transfers().size(), 1u);
    EXPECT_EQ(page.transfers()[0], confirmed);
    EXPECT_EQ(page.meta()->numberOfRecords, 1);
}

}  // namespace
}  // namespace corvend::integration
