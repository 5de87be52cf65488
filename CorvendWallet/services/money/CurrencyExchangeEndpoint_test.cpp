#include "CorvendWallet/services/money/CurrencyExchangeEndpoint.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/support/ReplyDocument.hpp"
#include "tests/support/WireCoding.hpp"

namespace corvend::CurrencyExchangeEndpoint {
namespace {

using testing::decodedReply;
using testing::ReplyDocument;
using Kind = platform::DecodingError::Kind;

const ReplyDocument kComplete{
    {"id", R"("fxq-1")"},
    {"sourceCurrency", R"("EUR")"},
    {"targetCurrency", R"("USD")"},
    {"creationTime", R"("2023-03-14T09:26:53Z")"},
    {"expirationTime", R"("2023-03-14T09:36:53.589Z")"},
    {"fxRate", "1.0850"},
    {"sender", R"("customer-7")"},
};

TEST(CurrencyExchangeEndpointTest, IdAndSenderMayBeMissingOrNull) {
    for (const std::string key : {"id", "sender"}) {
        EXPECT_EQ(decodedReply<FXRateResponse>(kComplete.without(key).text()),
                  decodedReply<FXRateResponse>(kComplete.with(key, "null").text()))
            << key;
    }
}

TEST(CurrencyExchangeEndpointTest, AnyFaultInARequiredMemberFailsTheWholeReply) {
    struct Row {
        ReplyDocument reply;
        Kind kind;
    };
    const std::vector<Row> rows = {
        {kComplete.without("sourceCurrency"), Kind::keyNotFound},
        {kComplete.without("targetCurrency"), Kind::keyNotFound},
        {kComplete.without("creationTime"), Kind::keyNotFound},
        {kComplete.without("fxRate"), Kind::keyNotFound},
        {kComplete.with("fxRate", "null"), Kind::valueNotFound},
        {kComplete.with("expirationTime", "null"), Kind::valueNotFound},
        // A rate sent as text is not a number, however exact its digits.
        {kComplete.with("fxRate", R"("1.0850")"), Kind::typeMismatch},
        {kComplete.with("creationTime", R"("2023-03-14")"), Kind::dataCorrupted},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(testing::decodingFailure<FXRateResponse>(row.reply.text()), row.kind)
            << row.reply.text();
    }
}

TEST(CurrencyExchangeEndpointTest, RatesKeepEveryDigitSent) {
    for (const std::string rate :
         {"1.0850", "0.000001", "149.87654321098765432109876543210987654", "1.5e4"}) {
        EXPECT_EQ(
            decodedReply<FXRateResponse>(kComplete.with("fxRate", rate).text()).fxRate.toString(),
            rate);
    }
}

}  // namespace
}  // namespace corvend::CurrencyExchangeEndpoint
