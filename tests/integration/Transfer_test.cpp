// Transfers end to end: the kit's repository over a real network manager against the sandbox's
// transfer routes.

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "CorvendWallet/core/foundation/WalletError.hpp"
#include "CorvendWallet/services/money/TransferRepository.hpp"
#include "tests/integration/SandboxTest.hpp"
#include "tests/support/FakeDeviceFingerprintProvider.hpp"
#include "tests/support/WalletErrorMatchers.hpp"

namespace corvend::integration {
namespace {

using model::PaymentStatus;
using model::WalletError;
using Recipient = model::CustomerTransfer::CustomerTransferRecipient;

constexpr std::string_view kTransfersPath = "digitalwallets/v1/profile/transfers";

model::CustomerTransferRequest request(std::int64_t amount) {
    return {amount,    "EUR",        Recipient::withEmail("ana@example.com"),
            "order-7", std::nullopt, {model::TransferDetails::Reason::peerTransfer, "rent"}};
}

class TransferTest : public SandboxTest {
  protected:
    const std::shared_ptr<NetworkManager> manager = configuredManager("user-token-1");
    const std::shared_ptr<TransferRepository> service = TransferRepository::make(
        manager, std::make_shared<testing::FakeDeviceFingerprintProvider>("fp-integration"));
};

TEST_F(TransferTest, PreviewCreateConfirmAndReadBack) {
    const auto previewed = service->preview(request(10'000));
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
    EXPECT_GE(service->getAll(std::nullopt).transfers().size(), 3u);
}

TEST_F(TransferTest, ServiceErrorsArriveAsDataErrors) {
    const auto missing = failureOf([&] { return service->get("no such"); });
    EXPECT_EQ(sandbox.requests().back().target, "/" + std::string(kTransfersPath) + "/no%20such");
    EXPECT_THAT(missing, testing::IsWalletError(
                             WalletError::dataError({.httpStatus = 404,
                                                     .code = "NOT_FOUND",
                                                     .message = "No transfer no such.",
                                                     .errorID = lastRecordedCorrelationId()})));
}

}  // namespace
}  // namespace corvend::integration
