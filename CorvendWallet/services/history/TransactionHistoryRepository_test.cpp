#include "CorvendWallet/services/history/TransactionHistoryRepository.hpp"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "tests/support/FakeNetwork.hpp"
#include "tests/support/WalletErrorMatchers.hpp"
#include "tests/support/WireCoding.hpp"

namespace corvend {
namespace {

using model::PaymentStatus;
using model::TransactionType;
using model::WalletError;

const std::string kTransactions =
    testing::FakeNetwork::kBaseURL.absoluteString() + "digitalwallets/v1/profile/transactions";
constexpr const char* kRecord =
    R"({"id":"t/1","type":"CARD_PAYMENT","status":"COMPLETED","amount":-250,)"
    R"("currencyCode":"EUR","creationTime":"2024-03-05T14:07:09.589Z"})";

class TransactionHistoryRepositoryTest : public ::testing::Test {
  protected:
    std::shared_ptr<testing::FakeNetwork> network = std::make_shared<testing::FakeNetwork>(
        std::string(R"({"transactions":[)") + kRecord + "]}");
    std::shared_ptr<TransactionHistoryRepository> repository =
        TransactionHistoryRepository::make(network);
};

TEST_F(TransactionHistoryRepositoryTest, ListQueryCarriesEachPresentFilterInOrder) {
    repository->getTransactionHistory(std::nullopt);
    repository->getTransactionHistory(
        model::GetTransactionHistoryParameters(20, 40, testing::replyDate("2024-03-01T00:00:00Z"),
                                               testing::replyDate("2024-04-01T12:30:00.5+02:00"),
                                               TransactionType::deposit, PaymentStatus::completed));
    repository->getTransactionHistory(model::GetTransactionHistoryParameters(
        std::nullopt, 0, std::nullopt, std::nullopt, std::nullopt, PaymentStatus::unknown));
    const auto sent = network->sent();
    ASSERT_EQ(sent.size(), 3u);
    EXPECT_EQ(sent[0].url, kTransactions);
    EXPECT_EQ(sent[1].url,
              kTransactions +
                  "?limit=20&offset=40&startDate=2024-03-01T00%3A00%3A00.000Z"
                  "&endDate=2024-04-01T10%3A30%3A00.500Z&type=DEPOSIT&status=COMPLETED");
    EXPECT_EQ(sent[2].url, kTransactions + "?offset=0&status=UNKNOWN");
}

TEST_F(TransactionHistoryRepositoryTest, RepliesMapWithoutFailingAndIdentifiersStayOneSegment) {
    const auto page = repository->getTransactionHistory(std::nullopt);
    ASSERT_EQ(page.transactions().size(), 1u);
    const auto& transaction = page.transactions()[0];
    EXPECT_EQ(transaction.type(), TransactionType::unknown);
    EXPECT_EQ(transaction.status(), PaymentStatus::completed);
    EXPECT_EQ(transaction.amount(), -250);
    EXPECT_TRUE(transaction.fees().empty());
    EXPECT_EQ(transaction.transferDetails(), std::nullopt);
    EXPECT_EQ(page.meta(), model::PagingResultMeta{});
    // An empty page may come without its list, like a page of deposits.
    network->setBody(R"({"meta":{"numberOfRecords":0}})");
    EXPECT_TRUE(repository->getTransactionHistory(std::nullopt).transactions().empty());

    network->setBody(kRecord);
    EXPECT_EQ(repository->getTransaction("t/1"), transaction);
    EXPECT_EQ(network->sent().back().url, kTransactions + "/t%2F1");
    EXPECT_THAT([&] { repository->getTransaction(".."); },
                testing::ThrowsWalletError(WalletError::internalError("I0001")));
    EXPECT_THROW(TransactionHistoryRepository(network, {}), std::invalid_argument);
}

// Every member of a transaction reaches its own field: its fees (in order), its
// foreign-currency amount and its transfer details each from their own block of the reply.
TEST_F(TransactionHistoryRepositoryTest, FeesFxAmountAndTransferDetailsComeFromTheirBlocks) {
    const std::string reply =
        R"({"id":"t-2","type":"TRANSFER","status":"REFUNDED","amount":-1000,)"
        R"("currencyCode":"SEK","creationTime":"2024-03-05T14:07:09Z","paymentId":"p-2",)"
        R"("merchantRefNum":"m-2","fees":[{"amount":30,"currency":"EUR","paymentReason":"FX_FEE"},)"
        R"({"amount":5,"currency":"USD","paymentReason":"ATM_FEE"}],)"
        R"("fxAmount":{"amount":1085,"rate":1.0850,"currency":"NOK"},)"
        R"("transferDetails":{"reason":"PEER_TRANSFER","description":"rent"}})";
    network->setBody(reply);
    const auto transaction = repository->getTransaction("t-2");
    using Reason = model::SimpleFeePayment::FeePaymentReason;
    EXPECT_EQ(transaction.fees(), (std::vector<model::SimpleFeePayment>{
                                      {30, "EUR", Reason::fxFee}, {5, "USD", Reason::atmFee}}));
    EXPECT_EQ(transaction.fxAmount(),
              (model::FxAmount{1085, platform::Decimal::fromString("1.0850"), "NOK"}));
    EXPECT_EQ(transaction.transferDetails(),
              (model::TransferDetails{model::TransferDetails::Reason::peerTransfer, "rent"}));
    EXPECT_EQ(transaction.paymentID(), "p-2");
    EXPECT_EQ(transaction.merchantRefNum(), "m-2");
    EXPECT_EQ(transaction.id(), "t-2");
    EXPECT_EQ(transaction.type(), TransactionType::transfer);
    EXPECT_EQ(transaction.status(), PaymentStatus::refunded);
    EXPECT_EQ(transaction.amount(), -1000);
    EXPECT_EQ(transaction.currencyCode(), "SEK");
    EXPECT_EQ(transaction.creationTime(), testing::replyDate("2024-03-05T14:07:09Z"));

    network->setBody(R"({"transactions":[)" + reply + R"(],"meta":)" + testing::kEveryPagingMember +
                     "}");
    const auto page = repository->getTransactionHistory(std::nullopt);
    EXPECT_EQ(page.transactions(), std::vector{transaction});
    EXPECT_EQ(page.meta(), testing::kEveryPagingField);
}

// The kinds as the service spells them (the service's own stand-in writes the same words).
TEST_F(TransactionHistoryRepositoryTest, TypeReadsEverySpelling) {
    testing::expectEachSpellingRead<TransactionType>(
        {{"DEPOSIT", TransactionType::deposit},
         {"WITHDRAWAL", TransactionType::withdrawal},
         {"TRANSFER", TransactionType::transfer}},
        [this](const std::string& type) {
            network->setBody(R"({"id":"t-1","type":)" + type +
                             R"(,"status":"COMPLETED","amount":1,"currencyCode":"EUR",)"
                             R"("creationTime":"2024-03-05T14:07:09Z"})");
            return repository->getTransaction("t-1").type();
        });
}

}  // namespace
}  // namespace corvend
