#include "CorvendWallet/services/money/WithdrawalServiceEndpoint.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "CorvendWallet/networking/SharedCoders.hpp"
#include "platform/json/DecodingError.hpp"

namespace corvend::WithdrawalServiceEndpoint {
namespace {

using platform::DecodingError;
using Kind = DecodingError::Kind;
using model::InstrumentType;
using model::PaymentOptionType;
using model::PaymentPropertyKey;

// A reply's members as raw JSON text, in order.
using Members = std::vector<std::pair<std::string, std::string>>;

const Members kComplete = {
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

// kComplete with `key` replaced (or added) by `raw`, or dropped when `raw` is absent.
Members with(const std::string& key, std::optional<std::string> raw) {
    Members members = kComplete;
    auto at = std::ranges::find(members, key, &Members::value_type::first);
    if (!raw) {
        if (at != members.end()) members.erase(at);
    } else if (at != members.end()) {
        at->second = *raw;
    } else {
        members.emplace_back(key, *raw);
    }
    return members;
}

std::string document(const Members& members) {
    std::string text = "{";
    for (const auto& [key, raw] : members) {
        if (text.size() > 1) text += ",";
        text += "\"" + key + "\":" + raw;
    }
    return text + "}";
}

WithdrawalResponse decode(const Members& members) {
    return sharedResponseDecoder().decode<WithdrawalResponse>(document(members));
}

std::string encode(const auto& value) {
    return std::string(sharedRequestEncoder().encode(value).view());
}

TEST(WithdrawalServiceEndpointTest, OptionalKeysMayBeMissingOrNull) {
    const std::vector<std::string> optional = {"paymentInstrumentReference",
                                               "merchantRefNum",
                                               "paymentProperties",
                                               "expirationTime",
                                               "fees",
                                               "fundingTransactionId",
                                               "slipId",
                                               "statusReason"};
    const auto complete = decode(kComplete);
    for (const auto& key : optional) {
        SCOPED_TRACE(key);
        const auto missing = decode(with(key, std::nullopt));
        EXPECT_EQ(decode(with(key, "null")), missing);
        EXPECT_NE(missing, complete);  // the member was read, and is now absent
    }
    // The request side's spelling of an identifier is just another unknown key in a reply.
    EXPECT_EQ(decode(with("slipId", std::nullopt)).slipId, std::nullopt);
    EXPECT_EQ(decode(with("slipID", R"("slip-9")")).slipId, "slip-1");
    EXPECT_EQ(decode(with("extra", R"({"n":1e400})")), complete);
}

TEST(WithdrawalServiceEndpointTest, AnyFaultInARequiredOrTypedMemberFailsTheWholeReply) {
    struct Row {
        Members members;
        Kind kind;
    };
    const std::vector<Row> rows = {
        {with("accountId", std::nullopt), Kind::keyNotFound},
        // The public name's spelling is not the wire's.
        {[] {
             auto members = with("accountId", std::nullopt);
             members.emplace_back("accountID", R"("acc-1")");
             return members;
         }(),
         Kind::keyNotFound},
        {with("customerId", std::nullopt), Kind::keyNotFound},
        {with("id", std::nullopt), Kind::keyNotFound},
        {with("status", std::nullopt), Kind::keyNotFound},
        {with("creationTime", "null"), Kind::valueNotFound},
        {with("amount", "null"), Kind::valueNotFound},
        {with("amount", "25.5"), Kind::dataCorrupted},  // integers are strict
        {with("amount", R"("2500")"), Kind::typeMismatch},
        {with("paymentOption", "3"), Kind::typeMismatch},
        {with("fees", "{}"), Kind::typeMismatch},
        {with("fees", R"([{"currency":"EUR"}])"), Kind::keyNotFound},
        {with("paymentInstrumentReference", R"({"id":"pi-1"})"), Kind::keyNotFound},
        {with("paymentProperties", R"([{"key":1}])"), Kind::typeMismatch},
        {with("expirationTime", R"("2024-03-05")"), Kind::dataCorrupted},
    };
    for (const auto& row : rows) {
        const auto text = document(row.members);
        SCOPED_TRACE(text);
        try {
            sharedResponseDecoder().decode<WithdrawalResponse>(text);
            ADD_FAILURE() << "decoded";
        } catch (const DecodingError& error) {
            EXPECT_EQ(error.kind(), row.kind) << error.what();
        }
    }
}

TEST(WithdrawalServiceEndpointTest, ListNeedsItsWithdrawalsButNotItsPaging) {
    const std::string one = document(kComplete);
    const auto& decoder = sharedResponseDecoder();
    const auto list = decoder.decode<WithdrawalListResponse>(
        R"({"withdrawals":[)" + one + "," + one + R"(],"meta":{"limit":2,"offset":0}})");
    ASSERT_EQ(list.withdrawals.size(), 2u);
    ASSERT_TRUE(list.meta.has_value());
    EXPECT_EQ(list.meta->limit, 2);
    EXPECT_EQ(list.meta->numberOfRecords, std::nullopt);

    EXPECT_EQ(decoder.decode<WithdrawalListResponse>(R"({"withdrawals":[]})").meta, std::nullopt);
    EXPECT_EQ(decoder.decode<WithdrawalListResponse>(R"({"withdrawals":[],"meta":null})").meta,
              std::nullopt);
    for (const char* text : {R"({"meta":{}})", R"({"withdrawals":null})", R"({"withdrawals":{}})",
                             R"({"withdrawals":[{"id":"wd-1"}]})"}) {
        EXPECT_THROW(decoder.decode<WithdrawalListResponse>(text), DecodingError) << text;
    }
}

TEST(WithdrawalServiceEndpointTest, PreviewBodyWritesOnlyWhatIsPresentPlusTheDeviceBlock) {
    struct Row {
        const char* name;
        model::WithdrawalRequest request;
        std::string expected;
    };
    const std::vector<Row> rows = {
        {"bare",
         {100, "EUR", PaymentOptionType::unknown, std::nullopt, std::nullopt, std::nullopt},
         R"({"amount":100,"currencyCode":"EUR","paymentOption":"UNKNOWN",)"
         R"("deviceInfo":{"deviceSessionId":"fp-9","appType":"MOBILE_APP"}})"},
        {"full",
         {-5, "", PaymentOptionType::offlineBankTransfer,
          model::PaymentInstrumentReference{"pi-2", InstrumentType::usBankAccount}, "",
          std::vector<model::PaymentProperty>{{PaymentPropertyKey::cardSaveInstrument, "true"},
                                              {std::nullopt, "x"},
                                              {PaymentPropertyKey::unknown, std::nullopt}}},
         R"({"amount":-5,"currencyCode":"","paymentOption":"OFFLINE_BANK_TRANSFER",)"
         R"("paymentInstrumentReference":{"id":"pi-2","instrumentType":"US_BANK_ACCOUNT"},)"
         R"("merchantRefNum":"","deviceInfo":{"deviceSessionId":"fp-9","appType":"MOBILE_APP"},)"
         R"("paymentProperties":[{"key":"CARD_SAVE_INSTRUMENT","value":"true"},{"value":"x"},)"
         R"({"key":"UNKNOWN"}]})"},
        {"empty properties",
         {1, "GBP", PaymentOptionType::velnoTransfer,
          model::PaymentInstrumentReference{"pi-3", InstrumentType::unknown}, std::nullopt,
          std::vector<model::PaymentProperty>{}},
         R"({"amount":1,"currencyCode":"GBP","paymentOption":"VELNO_TRANSFER",)"
         R"("paymentInstrumentReference":{"id":"pi-3","instrumentType":"UNKNOWN"},)"
         R"("deviceInfo":{"deviceSessionId":"fp-9","appType":"MOBILE_APP"},)"
         R"("paymentProperties":[]})"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(encode(toWithdrawalRequest(row.request, "fp-9")), row.expected);
    }
}

}  // namespace
}  // namespace corvend::WithdrawalServiceEndpoint
