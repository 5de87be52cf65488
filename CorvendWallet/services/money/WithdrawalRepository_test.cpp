// A withdrawal is exactly the record that deposits share, so its mapping is checked here once.

#include "CorvendWallet/services/money/WithdrawalRepository.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/WireCoding.hpp"

namespace corvend {
namespace {

using model::InstrumentType;
using model::PaymentOptionType;
using model::PaymentProperty;
using model::PaymentPropertyKey;
using model::PaymentStatus;
using model::SimpleFeePayment;
using testing::decodedReply;
using testing::replyDate;
using WithdrawalServiceEndpoint::WithdrawalListResponse;
using WithdrawalServiceEndpoint::WithdrawalResponse;

constexpr std::string_view kReply =
    R"({"amount":2500,"currencyCode":"EUR","paymentOption":"BANK_TRANSFER",)"
    R"("paymentInstrumentReference":{"id":"pi-1","instrumentType":"SEPA_BANK_ACCOUNT"},)"
    R"("merchantRefNum":"m-1","paymentProperties":[{"key":"CARD_CVV","value":"123"},)"
    R"({"value":"v"}],"id":"wd-1","accountId":"acc-1","customerId":"cus-1",)"
    R"("creationTime":"2024-03-05T14:07:09Z","expirationTime":"2024-03-05T14:17:09.589Z",)"
    R"("fees":[{"amount":50,"currency":"EUR","paymentReason":"CORVEND_FEE"},{"amount":7}],)"
    R"("fundingTransactionId":"ft-1","slipId":"slip-1","status":"PROCESSING",)"
    R"("statusReason":"queued"})";

// The least a reply can carry.
const std::string kBareReply =
    R"({"amount":1,"currencyCode":"USD","paymentOption":"VELNO","id":"wd-2",)"
    R"("accountId":"a","customerId":"c","creationTime":"2024-03-05T14:07:09Z",)"
    R"("status":"pending")";

model::Withdrawal mapped(std::string_view text) {
    return WithdrawalRepository::withdrawal(decodedReply<WithdrawalResponse>(text));
}

TEST(WithdrawalMappingTest, ReplyMapsEveryFieldByItsRule) {
    const auto withdrawal = mapped(kReply);
    EXPECT_EQ(withdrawal.amount(), 2500);
    EXPECT_EQ(withdrawal.currencyCode(), "EUR");
    EXPECT_EQ(withdrawal.paymentOption(), PaymentOptionType::bankTransfer);
    EXPECT_EQ(withdrawal.paymentInstrumentReference(),
              (model::PaymentInstrumentReference{"pi-1", InstrumentType::sepaBankAccount}));
    EXPECT_EQ(withdrawal.merchantRefNum(), "m-1");
    // A property without a key comes back with the key `unknown`, never absent.
    EXPECT_EQ(withdrawal.paymentProperties(),
              (std::vector<PaymentProperty>{{PaymentPropertyKey::cardCVV, "123"},
                                            {PaymentPropertyKey::unknown, "v"}}));
    EXPECT_EQ(withdrawal.id(), "wd-1");
    EXPECT_EQ(withdrawal.accountID(), "acc-1");
    EXPECT_EQ(withdrawal.customerID(), "cus-1");
    EXPECT_EQ(withdrawal.creationTime(), replyDate("2024-03-05T14:07:09Z"));
    EXPECT_EQ(withdrawal.expirationTime(), replyDate("2024-03-05T14:17:09.589Z"));
    EXPECT_EQ(withdrawal.fees(),
              (std::vector<SimpleFeePayment>{
                  {50, "EUR", SimpleFeePayment::FeePaymentReason::corvendFee},
                  {7, std::nullopt, SimpleFeePayment::FeePaymentReason::unknown}}));
    EXPECT_EQ(withdrawal.fundingTransactionID(), "ft-1");
    EXPECT_EQ(withdrawal.slipID(), "slip-1");
    EXPECT_EQ(withdrawal.status(), PaymentStatus::processing);
    EXPECT_EQ(withdrawal.statusReason(), "queued");
}

TEST(WithdrawalMappingTest, BareReplyReadsUnknownValuesAndKeepsAbsence) {
    const auto withdrawal = mapped(kBareReply + "}");
    EXPECT_EQ(withdrawal.paymentOption(), PaymentOptionType::unknown);
    EXPECT_EQ(withdrawal.status(), PaymentStatus::unknown);  // case counts
    EXPECT_EQ(withdrawal.paymentInstrumentReference(), std::nullopt);
    EXPECT_EQ(withdrawal.paymentProperties(), std::nullopt);
    EXPECT_EQ(withdrawal.expirationTime(), std::nullopt);
    EXPECT_TRUE(withdrawal.fees().empty());
    EXPECT_EQ(withdrawal.statusReason(), std::nullopt);
    // Absent fees and an empty list read alike; an absent reason and an empty one do not.
    EXPECT_EQ(mapped(kBareReply + R"(,"fees":[]})"), withdrawal);
    EXPECT_NE(mapped(kBareReply + R"(,"statusReason":""})"), withdrawal);
}

TEST(WithdrawalMappingTest, ListKeepsOrderAndAlwaysHasPaging) {
    const auto list = WithdrawalRepository::withdrawalList(decodedReply<WithdrawalListResponse>(
        R"({"withdrawals":[)" + kBareReply + "}," + std::string(kReply) + "]}"));
    ASSERT_EQ(list.withdrawals().size(), 2u);
    EXPECT_EQ(list.withdrawals()[0].id(), "wd-2");
    EXPECT_EQ(list.withdrawals()[1].id(), "wd-1");
    EXPECT_EQ(list.meta(), model::PagingResultMeta{});
}

}  // namespace
}  // namespace corvend
