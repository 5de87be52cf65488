// Withdrawals end to end: the kit's repository over a real network manager against the
// sandbox's withdrawal routes.

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

#include "CorvendWallet/foundation/WalletError.hpp"
#include "CorvendWallet/setup/SimpleDeviceFingerprintProvider.hpp"
#include "CorvendWallet/services/money/WithdrawalRepository.hpp"
#include "tests/integration/SandboxTest.hpp"
#include "tests/support/WalletErrorMatchers.hpp"

namespace corvend::integration {
namespace {

using model::PaymentOptionType;
using model::PaymentProperty;
using model::PaymentPropertyKey;
using model::PaymentStatus;
using model::WalletError;

model::WithdrawalRequest bankTransfer(std::string merchantRefNum) {
    return {2'500,
            "EUR",
            PaymentOptionType::bankTransfer,
            model::PaymentInstrumentReference{"pi-sandbox-sepa",
                                              model::InstrumentType::sepaBankAccount},
            std::move(merchantRefNum),
            std::nullopt};
}

class WithdrawalTest : public SandboxTest {
  protected:
    const std::shared_ptr<NetworkManager> manager = configuredManager("user-token-1");
    const std::shared_ptr<WithdrawalRepository> service =
        WithdrawalRepository::make(manager, std::make_shared<SimpleDeviceFingerprintProvider>());
};

TEST_F(WithdrawalTest, PreviewCreateConfirmWalksTheLifeCycleAndTheListFindsIt) {
    const auto options = service->getOptions();
    ASSERT_FALSE(options.empty());
    EXPECT_EQ(options.front().paymentOption, PaymentOptionType::bankTransfer);

    const auto previewed = service->preview(bankTransfer("life-1"));
    EXPECT_EQ(previewed.status(), PaymentStatus::preview);
    EXPECT_EQ(previewed.amount(), 2'500);
    EXPECT_EQ(previewed.merchantRefNum(), "life-1");
    EXPECT_FALSE(previewed.fees().empty());

    const std::vector<PaymentProperty> properties = {{PaymentPropertyKey::unknown, "note"}};
    const auto created = service->create({previewed.id(), properties});
    EXPECT_EQ(created.status(), PaymentStatus::pending);
    EXPECT_EQ(created.paymentProperties(), properties);
    const auto confirmed = service->confirm({previewed.id(), std::nullopt});
    EXPECT_EQ(confirmed.status(), PaymentStatus::processing);
    EXPECT_TRUE(confirmed.fundingTransactionID().has_value());
    EXPECT_EQ(service->get(previewed.id()), confirmed);

    const auto list =
        service->getAll(model::GetWithdrawalsParameters(5, "life-1", 0, std::nullopt));
    ASSERT_EQ(list.withdrawals().size(), 1u);
    EXPECT_EQ(list.withdrawals().front(), confirmed);
    EXPECT_EQ(list.meta(), (model::PagingResultMeta{1, 5, 0, 1}));
}

TEST_F(WithdrawalTest, ServiceErrorDocumentsReachTheCallerAsDataErrors) {
    const auto invalid = failureOf([&] {
        return service->preview(
            {0, "EURO", PaymentOptionType::unknown, std::nullopt, std::nullopt, std::nullopt});
    });
    EXPECT_THAT(invalid,
                testing::IsWalletError(WalletError::dataError(
                    {.httpStatus = 400,
                     .code = "BAD_REQUEST",
                     .message = "The withdrawal request is not valid.",
                     .fieldErrors = {{{"amount", "must be a whole number of minor units above 0"},
                                      {"currencyCode", "must be ISO 4217"},
                                      {"paymentOption", "is not a withdrawal option"}}},
                     .errorID = lastRecordedCorrelationId()})));
}

}  // namespace
}  // namespace corvend::integration
