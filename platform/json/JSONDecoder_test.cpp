#include "platform/json/JSONDecoder.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <boost/describe.hpp>
#include <chrono>
#include <cstdint>
#include <latch>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "platform/foundation/ISO8601.hpp"

namespace corvend::platform {
namespace {

namespace wire {

struct Fee {
    std::string type;
    std::int64_t amount = 0;
    std::optional<std::string> currency;
};
BOOST_DESCRIBE_STRUCT(Fee, (), (type, amount, currency))

struct Party {
    std::string name;
    std::optional<std::int32_t> age;
};
BOOST_DESCRIBE_STRUCT(Party, (), (name, age))

struct Transfer {
    std::string id;
    Decimal amount;
    std::vector<Fee> fees;
    Party sender;
    std::optional<Party> receiver;
    std::map<std::string, std::string> metadata;
    bool settled = false;
    double rate = 0;
    std::optional<Date> created;
};
BOOST_DESCRIBE_STRUCT(Transfer, (),
                      (id, amount, fees, sender, receiver, metadata, settled, rate, created))

struct Amounts {
    std::int64_t big = 0;
    std::int32_t small = 0;
    double real = 0;
    Decimal exact;
};
BOOST_DESCRIBE_STRUCT(Amounts, (), (big, small, real, exact))

struct Renamed {
    std::string type;
    std::int64_t amount = 0;
    std::string quoted;
    static constexpr JSONKey jsonKeys[] = {{"type", "fee_type"}, {"quoted", "say \"hi\""}};
};
BOOST_DESCRIBE_STRUCT(Renamed, (), (type, amount, quoted))

struct LongKeys {
    std::string accountNumber;
    std::string veryLong;
    std::optional<std::string> a;
    static constexpr JSONKey jsonKeys[] = {
        {"veryLong", "a_key_that_runs_well_past_the_sixty_four_bytes_of_the_parsers_padding"}};
};
BOOST_DESCRIBE_STRUCT(LongKeys, (), (accountNumber, veryLong, a))

struct Dated {
    Date at;
    std::optional<Date> maybe;
};
BOOST_DESCRIBE_STRUCT(Dated, (), (at, maybe))

struct WithIgnored {
    std::string id;
    EmptyResponse extra;
};
BOOST_DESCRIBE_STRUCT(WithIgnored, (), (id, extra))

enum class Status { pending, completed, unknown };
BOOST_DESCRIBE_ENUM(Status, pending, completed, unknown)

enum class Kind { card, bank };
BOOST_DESCRIBE_ENUM(Kind, card, bank)

struct Tagged {
    Status status = Status::pending;
    std::optional<Kind> kind;
};
BOOST_DESCRIBE_STRUCT(Tagged, (), (status, kind))

}  // namespace wire

using Kind = DecodingError::Kind;

std::vector<CodingKey> path(std::initializer_list<CodingKey> keys) {
    return keys;
}
CodingKey key(const char* name) {
    return CodingKey(name);
}
CodingKey at(std::size_t index) {
    return CodingKey::index(index);
}

template <class T>
DecodingError decodeFailure(const JSONDecoder& decoder, std::string_view text) {
    try {
        (void)decoder.decode<T>(text);
    } catch (const DecodingError& error) {
        return error;
    }
    ADD_FAILURE() << "decoded without error: " << text;
    return DecodingError::dataCorrupted({});
}

constexpr const char* kTransfer = R"({
  "id": "tr-1",
  "amount": 1.0850,
  "fees": [{"type": "fx", "amount": 12, "currency": "EUR"}, {"type": "flat", "amount": -3}],
  "sender": {"name": "Ana", "age": 41},
  "receiver": null,
  "metadata": {"ref": "x\"y", "note": "caf\u00e9"},
  "settled": true,
  "rate": 0.25,
  "created": 86400.5
})";

TEST(JSONDecoderTest, DecodesNestedModel) {
    const JSONDecoder decoder;
    const auto transfer = decoder.decode<wire::Transfer>(Data(kTransfer));
    EXPECT_EQ(transfer.id, "tr-1");
    EXPECT_EQ(transfer.amount.toString(), "1.0850");
    ASSERT_EQ(transfer.fees.size(), 2u);
    EXPECT_EQ(transfer.fees[0].type, "fx");
    EXPECT_EQ(transfer.fees[0].amount, 12);
    EXPECT_EQ(transfer.fees[0].currency, "EUR");
    EXPECT_EQ(transfer.fees[1].amount, -3);
    EXPECT_EQ(transfer.fees[1].currency, std::nullopt);
    EXPECT_EQ(transfer.sender.name, "Ana");
    EXPECT_EQ(transfer.sender.age, 41);
    EXPECT_EQ(transfer.receiver.has_value(), false);
    EXPECT_EQ(transfer.metadata.at("ref"), "x\"y");
    EXPECT_EQ(transfer.metadata.at("note"), "caf\xc3\xa9");
    EXPECT_TRUE(transfer.settled);
    EXPECT_EQ(transfer.rate, 0.25);
    ASSERT_TRUE(transfer.created.has_value());
    EXPECT_EQ(*transfer.created,
              Date(Date::referenceDate().timePoint() + std::chrono::microseconds(86'400'500'000)));
}

std::string transferWith(const std::string& members) {
    return std::string(R"({"id":"i","amount":1,"metadata":{},"settled":false,"rate":1,)") +
           members + "}";
}

TEST(JSONDecoderTest, ErrorsReportKindPathAndDetail) {
    const std::string fees = R"("fees":[],)";
    const std::string sender = R"("sender":{"name":"A"},)";
    struct ErrorCase {
        const char* name;
        std::string members;  // completed by transferWith()
        Kind kind;
        std::vector<CodingKey> path;
        std::string detail;  // expected type, or the missing key
    };
    const ErrorCase cases[] = {
        {"missingRequired", R"("sender":{"name":"A"})", Kind::keyNotFound, {}, "fees"},
        {"missingNested", fees + R"("sender":{})", Kind::keyNotFound, path({key("sender")}),
         "name"},
        {"nullNested", fees + R"("sender":null)", Kind::valueNotFound, path({key("sender")}),
         "corvend::platform::(anonymous namespace)::wire::Party"},
        {"wrongTypeInArray",
         sender + R"("fees":[{"type":"a","amount":1},{"type":"b","amount":"2"}])",
         Kind::typeMismatch, path({key("fees"), at(1), key("amount")}), "Int64"},
        {"objectForArray", sender + R"("fees":{})", Kind::typeMismatch, path({key("fees")}),
         "Array"},
        {"optionalStructUnreadable", fees + sender + R"("receiver":{"name":5})", Kind::typeMismatch,
         path({key("receiver"), key("name")}), "String"},
        {"optionalWrongType", fees + R"("sender":{"name":"A","age":"41"})", Kind::typeMismatch,
         path({key("sender"), key("age")}), "Int32"},
        {"optionalOutOfRange", fees + R"("sender":{"name":"A","age":2147483648})",
         Kind::dataCorrupted, path({key("sender"), key("age")}), ""},
        {"mapValue", fees + sender + R"("metadata":{"k":true})", Kind::typeMismatch,
         path({key("metadata"), key("k")}), "String"},
        {"textForDefaultDate", fees + sender + R"("created":"2024-01-01T00:00:00Z")",
         Kind::typeMismatch, path({key("created")}), "Double"},
    };
    for (const ErrorCase& c : cases) {
        SCOPED_TRACE(c.name);
        const DecodingError error =
            decodeFailure<wire::Transfer>(JSONDecoder(), transferWith(c.members));
        EXPECT_EQ(error.kind(), c.kind) << error.what();
        EXPECT_EQ(error.codingPath(), c.path) << error.what();
        if (c.kind == Kind::keyNotFound) {
            ASSERT_TRUE(error.key().has_value());
            EXPECT_EQ(error.key()->stringValue, c.detail);
        } else {
            EXPECT_EQ(error.expectedType(), c.detail);
        }
    }
}

TEST(JSONDecoderTest, UnknownKeysArePassedOverUnread) {
    const JSONDecoder decoder;
    const char* text = R"({
        "huge": 1e400, "long": 123456789012345678901234567890,
        "type": "fx",
        "nested": {"deep": [1e999, {"x": -0.0000000000000000000000000000000000000000001}]},
        "esc\"aped": "\u0000\ud83d\ude00", "nothing": null, "flag": false,
        "amount": 5
    })";
    const auto fee = decoder.decode<wire::Fee>(text);
    EXPECT_EQ(fee.type, "fx");
    EXPECT_EQ(fee.amount, 5);
}

TEST(JSONDecoderTest, IntegersAreStrict) {
    const JSONDecoder decoder;
    const std::pair<const char*, std::vector<const char*>> rejected[] = {
        {"big", {"1.0", "1e2", "9223372036854775808", "-9223372036854775809"}},
        {"small", {"2147483648", "-2147483649"}},
        {"real", {"1e400", "-1e400"}}};
    for (const auto& [member, numbers] : rejected) {
        for (const char* number : numbers) {
            SCOPED_TRACE(std::string(member) + " = " + number);
            const std::string text = std::string(R"({"big":0,"small":0,"real":0,"exact":0,")") +
                                     member + "\":" + number + "}";
            const DecodingError error = decodeFailure<wire::Amounts>(decoder, text);
            EXPECT_EQ(error.kind(), Kind::dataCorrupted) << error.what();
            EXPECT_EQ(error.codingPath(), path({key(member)}));
            EXPECT_NE(error.debugDescription().find(number), std::string::npos);
        }
    }
    const auto limits = decoder.decode<wire::Amounts>(
        R"({"big":-9223372036854775808,"small":-2147483648,"real":-0,"exact":0})");
    EXPECT_EQ(limits.big, std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(limits.small, std::numeric_limits<std::int32_t>::min());
    const auto highs = decoder.decode<wire::Amounts>(
        R"({"big":9223372036854775807,"small":2147483647,"real":123456789012345678901234567890,"exact":0})");
    EXPECT_EQ(highs.big, std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(highs.small, std::numeric_limits<std::int32_t>::max());
    EXPECT_DOUBLE_EQ(highs.real, 1.2345678901234568e29);
}

TEST(JSONDecoderTest, DecimalsKeepTheirDigits) {
    const JSONDecoder decoder;
    const char* exact[] = {"1.0850", "1e-10", "12345678901234567890123456789012345678",
                           "-0.00000000000000000000000000000000000000000001", "1e400"};
    for (const char* number : exact) {
        SCOPED_TRACE(number);
        const auto amounts = decoder.decode<wire::Amounts>(
            std::string(R"({"big":0,"small":0,"real":0,"exact":)") + number + "}");
        EXPECT_EQ(amounts.exact, *Decimal::fromString(number));
        EXPECT_EQ(amounts.exact.toString(), Decimal::fromString(number)->toString());
    }

    const DecodingError tooLong = decodeFailure<wire::Amounts>(
        decoder, R"({"big":0,"small":0,"real":0,"exact":123456789012345678901234567890123456789})");
    EXPECT_EQ(tooLong.kind(), Kind::dataCorrupted);
    EXPECT_EQ(tooLong.codingPath(), path({key("exact")}));

    const DecodingError text =
        decodeFailure<wire::Amounts>(decoder, R"({"big":0,"small":0,"real":0,"exact":"1.5"})");
    EXPECT_EQ(text.kind(), Kind::typeMismatch);
    EXPECT_EQ(text.expectedType(), "Decimal");
}

TEST(JSONDecoderTest, DefaultDatesAreSecondsSinceReferenceDate) {
    const JSONDecoder decoder;
    const auto dated = decoder.decode<wire::Dated>(R"({"at":-1.25})");
    EXPECT_EQ(dated.at,
              Date(Date::referenceDate().timePoint() - std::chrono::microseconds(1'250'000)));
    EXPECT_EQ(dated.maybe, std::nullopt);
    const DecodingError outOfRange = decodeFailure<wire::Dated>(decoder, R"({"at":1e300})");
    EXPECT_EQ(outOfRange.kind(), Kind::dataCorrupted);
    EXPECT_EQ(outOfRange.codingPath(), path({key("at")}));
}

TEST(JSONDecoderTest, DateStrategyReadsTextAndItsErrorsGetThePath) {
    JSONDecoder decoder;
    std::atomic<int> calls = 0;
    decoder.setDateDecodingStrategy([&calls](std::string_view text) {
        ++calls;
        if (auto date = iso8601::parseInternetDateTime(text)) return *date;
        throw DecodingError::dataCorrupted({{}, "Invalid date format: " + std::string(text)});
    });

    const auto dated = decoder.decode<wire::Dated>(
        R"({"at":"2001-01-01T00:00:10Z","maybe":"2001-01-01T00:00:00Z"})");
    EXPECT_EQ(dated.at, Date(Date::referenceDate().timePoint() + std::chrono::seconds(10)));
    EXPECT_EQ(dated.maybe, Date::referenceDate());
    EXPECT_EQ(calls, 2);

    const DecodingError refused = decodeFailure<wire::Dated>(decoder, R"({"at":"yesterday"})");
    EXPECT_EQ(refused.kind(), Kind::dataCorrupted);
    EXPECT_EQ(refused.codingPath(), path({key("at")}));
    EXPECT_EQ(refused.debugDescription(), "Invalid date format: yesterday");

    calls = 0;
    const DecodingError number = decodeFailure<wire::Dated>(decoder, R"({"at":12})");
    EXPECT_EQ(number.kind(), Kind::typeMismatch);
    EXPECT_EQ(number.expectedType(), "String");
    const DecodingError null = decodeFailure<wire::Dated>(decoder, R"({"at":null})");
    EXPECT_EQ(null.kind(), Kind::valueNotFound);
    const DecodingError optionalNumber =
        decodeFailure<wire::Dated>(decoder, R"({"at":"2001-01-01T00:00:00Z","maybe":5})");
    EXPECT_EQ(optionalNumber.kind(), Kind::typeMismatch);
    EXPECT_EQ(optionalNumber.codingPath(), path({key("maybe")}));
    EXPECT_EQ(calls, 1);  // only the valid "at" of the last body
}

TEST(JSONDecoderTest, DateStrategyExceptionsBecomeDataCorrupted) {
    JSONDecoder decoder;
    decoder.setDateDecodingStrategy(
        [](std::string_view) -> Date { throw std::invalid_argument("no calendar"); });
    const DecodingError error = decodeFailure<wire::Dated>(decoder, R"({"at":"x"})");
    EXPECT_EQ(error.kind(), Kind::dataCorrupted);
    EXPECT_EQ(error.codingPath(), path({key("at")}));
    ASSERT_TRUE(error.context().underlyingError);
    EXPECT_THROW(std::rethrow_exception(error.context().underlyingError), std::invalid_argument);
}

TEST(JSONDecoderTest, MalformedBodiesAreDataCorruptedAtTopLevel) {
    const JSONDecoder decoder;
    const char* bodies[] = {"",
                            "   ",
                            R"({"type":"a","amount":1)",
                            R"({"type":"a" "amount":1})",
                            R"({"type":"a","amount":1} x)",
                            R"({"type":"a\x","amount":1})",
                            R"({"type":"a","amount":tru})",
                            "{\"type\":\"\xff\",\"amount\":1}"};
    for (const char* body : bodies) {
        SCOPED_TRACE(body);
        const DecodingError error = decodeFailure<wire::Fee>(decoder, body);
        EXPECT_EQ(error.kind(), Kind::dataCorrupted) << error.what();
        EXPECT_TRUE(error.codingPath().empty()) << error.what();
    }
    const DecodingError arrayError = decodeFailure<std::vector<std::int64_t>>(decoder, "[1,,2]");
    EXPECT_TRUE(arrayError.codingPath().empty());
    ASSERT_TRUE(arrayError.context().underlyingError);
}

TEST(JSONDecoderTest, EscapedKeysMatch) {
    const JSONDecoder decoder;
    const auto fee = decoder.decode<wire::Fee>(R"({"\u0074ype":"a","am\u006funt":2})");
    EXPECT_EQ(fee.type, "a");
    EXPECT_EQ(fee.amount, 2);

    const auto renamed = decoder.decode<wire::Renamed>(
        R"({"fee_type":"x","amount":3,"say \"hi\"":"q","type":"ignored"})");
    EXPECT_EQ(renamed.type, "x");
    EXPECT_EQ(renamed.amount, 3);
    EXPECT_EQ(renamed.quoted, "q");

    const DecodingError missing =
        decodeFailure<wire::Renamed>(decoder, R"({"type":"x","amount":3,"say \"hi\"":"q"})");
    EXPECT_EQ(missing.kind(), Kind::keyNotFound);
    EXPECT_EQ(missing.key()->stringValue, "fee_type");

    // Keys that share a member's first bytes, short or long, are other keys.
    const auto longKeys = decoder.decode<wire::LongKeys>(
        R"({"accountNumbe":1,"accountNumberX":2,"":3,"accountNumber":"z","b":4,)"
        R"("a_key_that_runs_well_past_the_sixty_four_bytes_of_the_parsers_paddin":5,)"
        R"("a_key_that_runs_well_past_the_sixty_four_bytes_of_the_parsers_padding_":6,)"
        R"("a_key_that_runs_well_past_the_sixty_four_bytes_of_the_parsers_padding":"v"})");
    EXPECT_EQ(longKeys.accountNumber, "z");
    EXPECT_EQ(longKeys.veryLong, "v");
    EXPECT_EQ(longKeys.a, std::nullopt);
    // A key that only starts like a member is another key.
    const DecodingError prefix = decodeFailure<wire::Fee>(decoder, R"({"typeX":"a","amount":1})");
    EXPECT_EQ(prefix.kind(), Kind::keyNotFound);
    EXPECT_EQ(prefix.key()->stringValue, "type");
}

TEST(JSONDecoderTest, TopLevelArraysMapsAndScalars) {
    const JSONDecoder decoder;
    const auto fees = decoder.decode<std::vector<wire::Fee>>(
        R"([{"type":"a","amount":1},{"type":"b","amount":2,"currency":"EUR"}])");
    ASSERT_EQ(fees.size(), 2u);
    EXPECT_EQ(fees[1].currency, "EUR");
    EXPECT_TRUE(decoder.decode<std::vector<std::int64_t>>(" [ ] ").empty());
    EXPECT_EQ(decoder.decode<std::vector<bool>>("[true,false]"), (std::vector<bool>{true, false}));
    EXPECT_EQ((decoder.decode<std::map<std::string, std::int64_t>>(R"({"a":1,"b":2})")),
              (std::map<std::string, std::int64_t>{{"a", 1}, {"b", 2}}));
    EXPECT_EQ(decoder.decode<std::int64_t>(" 42 "), 42);
    EXPECT_EQ(decoder.decode<std::optional<std::int64_t>>("null"), std::nullopt);

    // Anything after the one top-level value is corrupted data, whatever the type read.
    EXPECT_EQ(decodeFailure<std::int64_t>(decoder, "1 2").kind(), Kind::dataCorrupted);
    EXPECT_EQ(decodeFailure<Decimal>(decoder, "1.5 2").kind(), Kind::dataCorrupted);
    EXPECT_EQ(decodeFailure<std::vector<std::int64_t>>(decoder, "[] []").kind(),
              Kind::dataCorrupted);
    EXPECT_EQ(decodeFailure<std::vector<std::int64_t>>(decoder, "{}").kind(), Kind::typeMismatch);
    EXPECT_EQ(decodeFailure<wire::Fee>(decoder, "[]").kind(), Kind::typeMismatch);
    EXPECT_EQ(decodeFailure<wire::Fee>(decoder, "null").kind(), Kind::valueNotFound);
}

TEST(JSONDecoderTest, EmptyResponseReadsNothing) {
    const JSONDecoder decoder;
    for (const char* body : {"", "{}", "not json", R"({"a":[1,2]})"}) {
        SCOPED_TRACE(body);
        EXPECT_NO_THROW((void)decoder.decode<EmptyResponse>(Data(body)));
    }
    for (const char* extra : {R"({"a":[1e400,{"b":null}]})", "1e400"}) {
        SCOPED_TRACE(extra);
        const auto value = decoder.decode<wire::WithIgnored>(std::string(R"({"extra":)") + extra +
                                                             R"(,"id":"x"})");
        EXPECT_EQ(value.id, "x");
    }
}

TEST(JSONDecoderTest, DescribedEnums) {
    const JSONDecoder decoder;
    const auto tagged = decoder.decode<wire::Tagged>(R"({"status":"completed","kind":"bank"})");
    EXPECT_EQ(tagged.status, wire::Status::completed);
    EXPECT_EQ(tagged.kind, wire::Kind::bank);
    EXPECT_EQ(decoder.decode<wire::Tagged>(R"({"status":"refunded"})").status,
              wire::Status::unknown);

    const DecodingError strict =
        decodeFailure<wire::Tagged>(decoder, R"({"status":"pending","kind":"cash"})");
    EXPECT_EQ(strict.kind(), Kind::dataCorrupted);
    EXPECT_EQ(strict.codingPath(), path({key("kind")}));
    EXPECT_NE(strict.debugDescription().find("cash"), std::string::npos);

    EXPECT_EQ(decodeFailure<wire::Tagged>(decoder, R"({"status":1})").kind(), Kind::typeMismatch);
}

TEST(JSONDecoderTest, RepeatedKeysKeepTheLastValue) {
    const JSONDecoder decoder;
    const auto transfer = decoder.decode<wire::Transfer>(
        transferWith(R"("sender":{"name":"A"},"fees":[{"type":"a","amount":1}],)"
                     R"("fees":[{"type":"b","amount":2}])"));
    ASSERT_EQ(transfer.fees.size(), 1u);
    EXPECT_EQ(transfer.fees[0].type, "b");
}

TEST(JSONDecoderTest, DecodesFromInsideADecode) {
    // A date strategy that decodes a document of its own on the same thread.
    JSONDecoder inner;
    JSONDecoder outer;
    outer.setDateDecodingStrategy([&inner](std::string_view text) {
        const auto fee = inner.decode<wire::Fee>(text);
        return Date(Date::referenceDate().timePoint() + std::chrono::seconds(fee.amount));
    });
    const auto dated = outer.decode<wire::Dated>(
        R"({"at":"{\"type\":\"t\",\"amount\":5}","maybe":"{\"type\":\"t\",\"amount\":6}"})");
    EXPECT_EQ(dated.at, Date(Date::referenceDate().timePoint() + std::chrono::seconds(5)));
    EXPECT_EQ(dated.maybe, Date(Date::referenceDate().timePoint() + std::chrono::seconds(6)));
}

// Each thread parses with a parser of its own: replies decoded at once, dates and failures
// included, never see each other's values or coding paths.
TEST(JSONDecoderTest, ConcurrentDecodesUseTheirOwnParsers) {
    JSONDecoder decoder;
    decoder.setDateDecodingStrategy([](std::string_view text) {
        if (auto date = iso8601::parseInternetDateTime(text)) return *date;
        throw DecodingError::dataCorrupted({{}, "bad date"});
    });
    constexpr int kThreads = 6;
    std::latch start(kThreads);
    std::atomic<int> mismatches = 0;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            const std::string text = "2024-03-0" + std::to_string(t + 1) + "T10:00:00Z";
            const std::string body = R"({"at":")" + text + R"("})";
            start.arrive_and_wait();
            for (int round = 0; round < 200; ++round) {
                if (iso8601::format(decoder.decode<wire::Dated>(body).at) != text) ++mismatches;
                if (round % 10 != 0) continue;
                try {
                    (void)decoder.decode<wire::Fee>(R"({"type":1})");
                    ++mismatches;
                } catch (const DecodingError& error) {
                    if (error.codingPath() != path({key("type")})) ++mismatches;
                }
            }
        });
    }
    for (std::thread& thread : threads) thread.join();
    EXPECT_EQ(mismatches, 0);
}

}  // namespace
}  // namespace corvend::platform
