// A withdrawal is exactly the record that deposits share, so its reading and mapping are checked
// here once.

#include "CorvendWallet/services/money/WithdrawalRepository.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/support/FakeNetwork.hpp"
#include "tests/support/ReplyDocument.hpp"
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
using testing::decodingFailure;
using testing::replyDate;
using testing::ReplyDocument;
using Kind = platform::DecodingError::Kind;
using WithdrawalServiceEndpoint::WithdrawalListResponse;
using WithdrawalServiceEndpoint::WithdrawalResponse;

const ReplyDocument kReply{
    {"amount", "2500"},
    {"currencyCode", R"("EUR")"},
    {"paymentOption", R"("BANK_TRANSFER")"},
    {"paymentInstrumentReference", R"({"id":"pi-1","instrumentType":"SEPA_BANK_ACCOUNT"})"},
    {"merchantRefNum", R"("m-1")"},
    {"paymentProperties", R"([{"key":"CARD_CVV","value":"123"},{"value":"v"}])"},
    {"id", R"("wd-1")"},
    {"accountId", R"("acc-1")"},
    {"customerId", R"("cus-1")"},
    {"creationTime", R"("2024-03-05T14:07:09Z")"},
    {"expirationTime", R"("2024-03-05T14:17:09.589Z")"},
    {"fees", R"([{"amount":50,"currency":"EUR","paymentReason":"CORVEND_FEE"},{"amount":7}])"},
    {"fundingTransactionId", R"("ft-1")"},
    {"slipId", R"("slip-1")"},
    {"status", R"("PROCESSING")"},
    {"statusReason", R"("queued")"},
};

// The least a reply can carry.
const std::string kBareReply =
    R"({"amount":1,"currencyCode":"USD","paymentOption":"VELNO","id":"wd-2",)"
    R"("accountId":"a","customerId":"c","creationTime":"2024-03-05T14:07:09Z",)"
    R"("status":"pending")";

model::Withdrawal mapped(const std::string& text) {
    return WithdrawalRepository::withdrawal(decodedReply<WithdrawalResponse>(text));
}

TEST(WithdrawalMappingTest, ReplyMapsEveryFieldByItsRule) {
    const auto withdrawal = mapped(kReply.text());
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
    // The request side's spelling of an identifier is just another unknown key in a reply.
    EXPECT_EQ(mapped(kReply.with("slipID", R"("slip-9")").text()).slipID(), "slip-1");
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

TEST(WithdrawalMappingTest, AnyFaultInARequiredOrTypedMemberFailsTheWholeReply) {
    struct Row {
        ReplyDocument reply;
        Kind kind;
    };
    const std::vector<Row> rows = {
        {kReply.without("accountId"), Kind::keyNotFound},
        // The public name's spelling is not the wire's.
        {kReply.without("customerId").with("customerID", R"("cus-1")"), Kind::keyNotFound},
        {kReply.without("status"), Kind::keyNotFound},
        {kReply.with("creationTime", "null"), Kind::valueNotFound},
        {kReply.with("amount", "25.5"), Kind::dataCorrupted},
        {kReply.with("fees", R"([{"currency":"EUR"}])"), Kind::keyNotFound},
        {kReply.with("paymentInstrumentReference", R"({"id":"pi-1"})"), Kind::keyNotFound},
        {kReply.with("expirationTime", R"("2024-03-05")"), Kind::dataCorrupted},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(decodingFailure<WithdrawalResponse>(row.reply.text()), row.kind)
            << row.reply.text();
    }
}

TEST(WithdrawalMappingTest, ListNeedsItsWithdrawalsKeepsOrderAndAlwaysHasPaging) {
    const auto list = WithdrawalRepository::withdrawalList(decodedReply<WithdrawalListResponse>(
        R"({"withdrawals":[)" + kBareReply + "}," + kReply.text() + "]}"));
    ASSERT_EQ(list.withdrawals().size(), 2u);
    EXPECT_EQ(list.withdrawals()[0].id(), "wd-2");
    EXPECT_EQ(list.withdrawals()[1].id(), "wd-1");
    EXPECT_EQ(list.meta(), model::PagingResultMeta{});
    EXPECT_EQ(decodingFailure<WithdrawalListResponse>(R"({"meta":{}})"), Kind::keyNotFound);
    EXPECT_EQ(WithdrawalRepository::withdrawalList(
                  decodedReply<WithdrawalListResponse>(R"({"withdrawals":[],"meta":)" +
                                                       testing::kEveryPagingMember + "}"))
                  .meta(),
              testing::kEveryPagingField);
}

// The shared head, and absent or empty properties: DepositServiceEndpoint_test.
TEST(WithdrawalServiceEndpointTest, PreviewBodyPutsThePropertiesAfterTheDeviceBlock) {
    EXPECT_EQ(testing::encodedJSON(WithdrawalServiceEndpoint::toWithdrawalRequest(
                  {100, "EUR", PaymentOptionType::card, std::nullopt, std::nullopt,
                   std::vector<PaymentProperty>{{PaymentPropertyKey::cardSaveInstrument, "true"}}},
                  "fp-9")),
              R"({"amount":100,"currencyCode":"EUR","paymentOption":"CARD",)"
              R"("deviceInfo":{"threatMetrixSessionId":"fp-9","appType":"MOBILE_APP"},)"
              R"("paymentProperties":[{"key":"CARD_SAVE_INSTRUMENT","value":"true"}]})");
}

TEST(WithdrawalServiceEndpointTest, EachCallHasItsBuilder) {
    namespace Endpoints = WithdrawalServiceEndpoint;
    using testing::FakeNetwork;
    const auto root =
        FakeNetwork::kBaseURL.absoluteString() + "digitalwallets/v1/profile/withdrawals";
    EXPECT_EQ(FakeNetwork::requestLine(Endpoints::paymentOptions()), "GET " + root + "/options ");
    EXPECT_EQ(&Endpoints::paymentOptions(), &Endpoints::paymentOptions());
    EXPECT_EQ(FakeNetwork::requestLine(Endpoints::withdrawals(std::nullopt)), "GET " + root + " ");
    EXPECT_EQ(FakeNetwork::requestLine(Endpoints::withdrawals(
                  model::GetWithdrawalsParameters(0, "", std::nullopt, std::nullopt))),
              "GET " + root + "?limit=0&merchantRefNum= ");
    EXPECT_EQ(FakeNetwork::requestLine(Endpoints::withdrawal("w?1")), "GET " + root + "/w%3F1 ");
    EXPECT_EQ(
        FakeNetwork::requestLine(Endpoints::previewWithdrawal(
            {100, "EUR", PaymentOptionType::bankTransfer, std::nullopt, std::nullopt, std::nullopt},
            "fp")),
        "POST " + root +
            R"( {"amount":100,"currencyCode":"EUR","paymentOption":"BANK_TRANSFER",)"
            R"("deviceInfo":{"threatMetrixSessionId":"fp","appType":"MOBILE_APP"}})");
    EXPECT_EQ(FakeNetwork::requestLine(Endpoints::updateWithdrawalStatus(
                  "w-1", Endpoints::WithdrawalStatusUpdateRequest::Status::processing,
                  std::vector<PaymentPropertyModel>{})),
              "POST " + root + R"(/w-1/status {"status":"PROCESSING","paymentProperties":[]})");
}

}  // namespace
}  // namespace corvend
