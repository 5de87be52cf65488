#include "CorvendWallet/services/money/CurrencyExchangeEndpoint.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "CorvendWallet/networking/SharedCoders.hpp"
#include "platform/json/DecodingError.hpp"

namespace corvend::CurrencyExchangeEndpoint {
namespace {

using platform::Decimal;
using platform::DecodingError;
using Kind = DecodingError::Kind;

// A reply's members as raw JSON text, in order; edits replace, add or drop one.
using Members = std::vector<std::pair<std::string, std::string>>;

const Members kComplete = {
    {"id", R"("fxq-1")"},
    {"sourceCurrency", R"("EUR")"},
    {"targetCurrency", R"("USD")"},
    {"creationTime", R"("2023-03-14T09:26:53Z")"},
    {"expirationTime", R"("2023-03-14T09:36:53.589Z")"},
    {"fxRate", "1.0850"},
    {"sender", R"("customer-7")"},
};

// kComplete with each edit applied in turn: a key with text replaces (or adds) that member, a
// key without text drops it.
Members edited(const std::vector<std::pair<std::string, std::optional<std::string>>>& edits) {
    Members members = kComplete;
    for (const auto& [key, raw] : edits) {
        auto at = std::ranges::find(members, key, &Members::value_type::first);
        if (!raw) {
            if (at != members.end()) members.erase(at);
        } else if (at != members.end()) {
            at->second = *raw;
        } else {
            members.emplace_back(key, *raw);
        }
    }
    return members;
}

Members with(const std::string& key, std::optional<std::string> raw) {
    return edited({{key, std::move(raw)}});
}

std::string document(const Members& members) {
    std::string text = "{";
    for (const auto& [key, raw] : members) {
        if (text.size() > 1) text += ",";
        text += "\"" + key + "\":" + raw;
    }
    return text + "}";
}

FXRateResponse decode(const Members& members) {
    return sharedResponseDecoder().decode<FXRateResponse>(document(members));
}

TEST(CurrencyExchangeEndpointTest, OptionalKeysMayBeMissingOrNullAndUnknownKeysAreIgnored) {
    struct Row {
        const char* name;
        Members members;
        std::optional<std::string> id;
        std::optional<std::string> sender;
    };
    const std::vector<Row> rows = {
        {"no id", with("id", std::nullopt), std::nullopt, "customer-7"},
        {"null id", with("id", "null"), std::nullopt, "customer-7"},
        {"no sender", with("sender", std::nullopt), "fxq-1", std::nullopt},
        {"null sender", with("sender", "null"), "fxq-1", std::nullopt},
        // Keys are case-sensitive: "ID" is just another unknown key.
        {"other case", edited({{"id", std::nullopt}, {"ID", R"("x")"}}), std::nullopt,
         "customer-7"},
        {"odd unknown members",
         with("extra", R"({"n":1e400,"big":123456789012345678901234567890})"), "fxq-1",
         "customer-7"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const auto reply = decode(row.members);
        EXPECT_EQ(reply.id, row.id);
        EXPECT_EQ(reply.sender, row.sender);
        EXPECT_EQ(reply.fxRate, Decimal::fromString("1.085"));
    }
}

TEST(CurrencyExchangeEndpointTest, AnyFaultInARequiredOrTypedMemberFailsTheWholeReply) {
    struct Row {
        Members members;
        Kind kind;
        std::string path;  // the failing member's key
    };
    const std::vector<Row> rows = {
        {with("sourceCurrency", std::nullopt), Kind::keyNotFound, ""},
        {with("targetCurrency", std::nullopt), Kind::keyNotFound, ""},
        {with("creationTime", std::nullopt), Kind::keyNotFound, ""},
        {with("expirationTime", std::nullopt), Kind::keyNotFound, ""},
        {with("fxRate", std::nullopt), Kind::keyNotFound, ""},
        {with("fxRate", "null"), Kind::valueNotFound, "fxRate"},
        {with("expirationTime", "null"), Kind::valueNotFound, "expirationTime"},
        {with("sourceCurrency", "null"), Kind::valueNotFound, "sourceCurrency"},
        // A rate sent as text is not a number, however exact its digits.
        {with("fxRate", R"("1.0850")"), Kind::typeMismatch, "fxRate"},
        {with("targetCurrency", "840"), Kind::typeMismatch, "targetCurrency"},
        {with("id", "7"), Kind::typeMismatch, "id"},
        {with("sender", "{}"), Kind::typeMismatch, "sender"},
        {with("creationTime", "700000000"), Kind::typeMismatch, "creationTime"},
        // Dates: RFC 3339 date-times only.
        {with("creationTime", R"("2023-03-14")"), Kind::dataCorrupted, "creationTime"},
        {with("expirationTime", R"("2023-03-14 09:26:53Z")"), Kind::dataCorrupted,
         "expirationTime"},
        {with("creationTime", R"("2023-03-14T09:26:53")"), Kind::dataCorrupted, "creationTime"},
        {with("creationTime", R"("2023-02-30T09:26:53Z")"), Kind::dataCorrupted, "creationTime"},
        // One digit more than a decimal holds.
        {with("fxRate", "1.23456789012345678901234567890123456789"), Kind::dataCorrupted, "fxRate"},
    };
    for (const auto& row : rows) {
        const auto text = document(row.members);
        SCOPED_TRACE(text);
        try {
            sharedResponseDecoder().decode<FXRateResponse>(text);
            ADD_FAILURE() << "decoded";
        } catch (const DecodingError& error) {
            EXPECT_EQ(error.kind(), row.kind) << error.what();
            EXPECT_EQ(platform::describeCodingPath(error.codingPath()), row.path) << error.what();
        }
    }
}

TEST(CurrencyExchangeEndpointTest, RatesKeepEveryDigitSent) {
    const std::vector<std::string> rates = {
        "1.0850",
        "0",
        "0.000001",
        "-0.5",
        "1200",
        "149.87654321098765432109876543210987654",  // 38 significant digits
        "1.2345e-43",
        "1e-10",
        "1.5e4",
    };
    for (const auto& rate : rates) {
        const auto reply = decode(with("fxRate", rate));
        EXPECT_EQ(reply.fxRate.toString(), rate);
    }
    // Equality is by value: the same rate written with more zeros is the same reply.
    EXPECT_EQ(decode(with("fxRate", "1.5")), decode(with("fxRate", "1.50")));
    EXPECT_NE(decode(with("fxRate", "1.5")), decode(with("fxRate", "1.05")));
}

}  // namespace
}  // namespace corvend::CurrencyExchangeEndpoint
