// The transaction and card authorization histories end to end: the kit's repositories over a
// real network manager against the sandbox's history routes.

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "CorvendWallet/foundation/WalletError.hpp"
#include "CorvendWallet/services/history/AuthorizationHistoryRepository.hpp"
#include "CorvendWallet/services/history/TransactionHistoryRepository.hpp"
#include "CorvendWallet/services/money/DepositRepository.hpp"
#include "platform/foundation/ISO8601.hpp"
#include "tests/integration/SandboxTest.hpp"
#include "tests/support/FakeDeviceFingerprintProvider.hpp"
#include "tests/support/WalletErrorMatchers.hpp"

namespace corvend::integration {
namespace {

using model::AuthorizationStatus;
using model::PaymentStatus;
using model::TransactionType;
using model::WalletError;

class HistoryTest : public SandboxTest {
  protected:
    const std::shared_ptr<NetworkManager> manager = configuredManager("user-token-1");
};

TEST_F(HistoryTest, CompletedDepositsPageThroughTwoPagesOfTheTypeFilter) {
    const auto deposits = DepositRepository::make(
        manager, std::make_shared<testing::FakeDeviceFingerprintProvider>());
    for (const char* ref : {"h-1", "h-2"}) {
        const auto preview = deposits->preview(
            model::DepositRequest(1'000, "EUR", model::PaymentOptionType::bankTransfer,
                                  std::nullopt, ref, std::nullopt, std::nullopt));
        deposits->create(model::DepositCreate(preview.id(), std::nullopt, nullptr));
        deposits->confirm(model::DepositConfirm(preview.id(), std::nullopt));
    }
    const auto history = TransactionHistoryRepository::make(manager);
    const auto page = [&](std::int64_t offset) {
        return history->getTransactionHistory(model::GetTransactionHistoryParameters(
            2, offset, std::nullopt, std::nullopt, TransactionType::deposit,
            PaymentStatus::completed));
    };
    const auto first = page(0);
    const auto second = page(2);
    EXPECT_EQ(first.meta(), (model::PagingResultMeta{3, 2, 0, 1}));
    EXPECT_EQ(second.meta(), (model::PagingResultMeta{3, 2, 2, 2}));
    ASSERT_EQ(first.transactions().size(), 2u);
    ASSERT_EQ(second.transactions().size(), 1u);
    EXPECT_EQ(first.transactions()[0].merchantRefNum(), "h-2");  // newest first
    EXPECT_EQ(first.transactions()[0].amount(), 1'000);
    EXPECT_EQ(second.transactions()[0].paymentID(), "dep-seed-1");
    EXPECT_EQ(history->getTransaction(first.transactions()[1].id()), first.transactions()[1]);

    const auto refused = failureOf([&] {
        return history->getTransactionHistory(model::GetTransactionHistoryParameters(
            std::nullopt, std::nullopt, std::nullopt, std::nullopt, TransactionType::unknown,
            std::nullopt));
    });
    EXPECT_THAT(refused,
                testing::IsWalletError(WalletError::dataError(
                    {.httpStatus = 400,
                     .code = "BAD_REQUEST",
                     .message = "The history parameters are not valid.",
                     .fieldErrors = {{{"type", "must be DEPOSIT, WITHDRAWAL or TRANSFER"}}},
                     .errorID = lastRecordedCorrelationId()})));
}

TEST_F(HistoryTest, AuthorizationsPageThroughTwoPagesOfTheStatusFilter) {
    const auto history = AuthorizationHistoryRepository::make(manager);
    const auto page = [&](std::int64_t offset, std::optional<platform::Date> from) {
        return history->getAuthorizationHistory(model::GetAuthorizationHistoryParameters(
            10, offset, from, std::nullopt, AuthorizationStatus::approved));
    };
    const auto first = page(0, std::nullopt);
    const auto second = page(10, std::nullopt);
    EXPECT_EQ(first.meta(), (model::PagingResultMeta{14, 10, 0, 1}));
    EXPECT_EQ(second.authorizations().size(), 4u);
    std::set<std::string> ids;
    for (const auto* list : {&first, &second}) {
        for (const auto& authorization : list->authorizations()) {
            EXPECT_EQ(authorization.status(), AuthorizationStatus::approved);
            ids.insert(authorization.id());
        }
    }
    EXPECT_EQ(ids.size(), 14u);
    EXPECT_EQ(page(0, platform::iso8601::parseFullDate("2024-03-20")).meta().numberOfRecords, 6);
    EXPECT_EQ(history->getAuthorization("auth-02"), first.authorizations()[1]);
    EXPECT_EQ(history->getAuthorizationHistory().authorizations().size(), 10u);
}

}  // namespace
}  // namespace corvend::integration
