// A withdrawal reply is exactly the record that deposits share, so its reading is checked here
// once.

#include "CorvendWallet/services/money/WithdrawalServiceEndpoint.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/support/ReplyDocument.hpp"
#include "tests/support/WireCoding.hpp"

namespace corvend::WithdrawalServiceEndpoint {
namespace {

using model::PaymentOptionType;
using model::PaymentPropertyKey;
using testing::decodedReply;
using testing::decodingFailure;
using testing::ReplyDocument;
using Kind = platform::DecodingError::Kind;

const ReplyDocument kComplete{
    {"amount", "2500"},
    {"currencyCode", R"("EUR")"},
    {"paymentOption", R"("BANK_TRANSFER")"},
    {"paymentInstrumentReference", R"({"id":"pi-1","instrumentType":"SEPA_BANK_ACCOUNT"})"},
    {"merchantRefNum", R"("m-1")"},
    {"paymentProperties", R"([{"key":"CARD_CVV","value":"123"}])"},
    {"id", R"("wd-1")"},
    {"accountId", R"("acc-1")"},
    {"customerId", R"("cus-1")"},
    {"creationTime", R"("2024-03-05T14:07:09Z")"},
    {"expirationTime", R"("2024-03-05T14:17:09.589Z")"},
    {"fees", R"([{"amount":50,"currency":"EUR","paymentReason":"CORVEND_FEE"}])"},
    {"fundingTransactionId", R"("ft-1")"},
    {"slipId", R"("slip-1")"},
    {"status", R"("PREVIEW")"},
    {"statusReason", R"("ok")"},
};

WithdrawalResponse decode(const ReplyDocument& reply) {
    return decodedReply<WithdrawalResponse>(reply.text());
}

TEST(WithdrawalServiceEndpointTest, OptionalKeysMayBeMissingOrNull) {
    const auto complete = decode(kComplete);
    for (const std::string key :
         {"paymentInstrumentReference", "merchantRefNum", "paymentProperties", "expirationTime",
          "fees", "fundingTransactionId", "slipId", "statusReason"}) {
        const auto missing = decode(kComplete.without(key));
        EXPECT_EQ(decode(kComplete.with(key, "null")), missing) << key;
        EXPECT_NE(missing, complete) << key;  // the member was read, and is now absent
    }
    // The request side's spelling of an identifier is just another unknown key in a reply.
    EXPECT_EQ(decode(kComplete.with("slipID", R"("slip-9")")).slipId, "slip-1");
}

TEST(WithdrawalServiceEndpointTest, AnyFaultInARequiredOrTypedMemberFailsTheWholeReply) {
    struct Row {
        ReplyDocument reply;
        Kind kind;
    };
    const std::vector<Row> rows = {
        {kComplete.without("accountId"), Kind::keyNotFound},
        // The public name's spelling is not the wire's.
        {kComplete.without("customerId").with("customerID", R"("cus-1")"), Kind::keyNotFound},
        {kComplete.without("status"), Kind::keyNotFound},
        {kComplete.with("creationTime", "null"), Kind::valueNotFound},
        {kComplete.with("amount", "25.5"), Kind::dataCorrupted},
        {kComplete.with("fees", R"([{"currency":"EUR"}])"), Kind::keyNotFound},
        {kComplete.with("paymentInstrumentReference", R"({"id":"pi-1"})"), Kind::keyNotFound},
        {kComplete.with("expirationTime", R"("2024-03-05")"), Kind::dataCorrupted},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(decodingFailure<WithdrawalResponse>(row.reply.text()), row.kind)
            << row.reply.text();
    }
}

TEST(WithdrawalServiceEndpointTest, ListNeedsItsWithdrawalsButNotItsPaging) {
    const auto list = decodedReply<WithdrawalListResponse>(
        R"({"withdrawals":[)" + kComplete.text() + R"(],"meta":{"limit":2}})");
    ASSERT_EQ(list.withdrawals.size(), 1u);
    EXPECT_EQ(list.meta->limit, 2);
    EXPECT_EQ(decodedReply<WithdrawalListResponse>(R"({"withdrawals":[],"meta":null})").meta,
              std::nullopt);
    EXPECT_EQ(decodingFailure<WithdrawalListResponse>(R"({"meta":{}})"), Kind::keyNotFound);
}

TEST(WithdrawalServiceEndpointTest, PreviewBodyPutsThePropertiesAfterTheDeviceBlock) {
    const auto body = [](std::optional<std::vector<model::PaymentProperty>> properties) {
        return testing::encodedJSON(toWithdrawalRequest(
            {100, "EUR", PaymentOptionType::card, std::nullopt, std::nullopt, properties}, "fp-9"));
    };
    const std::string head = R"({"amount":100,"currencyCode":"EUR","paymentOption":"CARD",)"
                             R"("deviceInfo":{"deviceSessionId":"fp-9","appType":"MOBILE_APP"})";
    EXPECT_EQ(body(std::nullopt), head + "}");
    EXPECT_EQ(body(std::vector<model::PaymentProperty>{}), head + R"(,"paymentProperties":[]})");
    EXPECT_EQ(body(std::vector<model::PaymentProperty>{
                  {PaymentPropertyKey::cardSaveInstrument, "true"}, {std::nullopt, "x"}}),
              head + R"(,"paymentProperties":[{"key":"CARD_SAVE_INSTRUMENT","value":"true"},)"
                     R"({"value":"x"}]})");
}

}  // namespace
}  // namespace corvend::WithdrawalServiceEndpoint
