#include "platform/json/JSONDecoder.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <boost/describe.hpp>
#include <chrono>
#include <cstdint>
#include <latch>
#include <limits>
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

struct Keyed {
    std::string type;
    std::string quoted;
    std::string veryLong;
    std::string accountNumber;
    std::optional<std::string> a;
    static constexpr JSONKey jsonKeys[] = {
        {"type", "fee_type"},
        {"quoted", "say \"hi\""},
        {"veryLong", "a_key_that_runs_well_past_the_sixty_four_bytes_of_the_parsers_padding"}};
};
BOOST_DESCRIBE_STRUCT(Keyed, (), (type, quoted, veryLong, accountNumber, a))

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
using Path = std::vector<CodingKey>;
using std::chrono::microseconds;

const auto key = [](const char* name) { return CodingKey(name); };
const auto at = [](std::size_t index) { return CodingKey::index(index); };
const auto sinceReference = [](auto offset) {
    return Date(Date::referenceDate().timePoint() + offset);
};

template <class T>
DecodingError expectFailure(const JSONDecoder& decoder, std::string_view text, Kind kind,
                            const Path& path = {}) {
    try {
        (void)decoder.decode<T>(text);
    } catch (const DecodingError& error) {
        EXPECT_EQ(error.kind(), kind) << text << ": " << error.what();
        EXPECT_EQ(error.codingPath(), path) << text << ": " << error.what();
        return error;
    }
    ADD_FAILURE() << "decoded without error: " << text;
    return DecodingError::dataCorrupted({});
}

TEST(JSONDecoderTest, DecodesNestedModelKeepingTheLastOfRepeatedKeys) {
    const auto transfer = JSONDecoder().decode<wire::Transfer>(Data(R"({"id": "tr-1",
        "amount": 1.0850, "sender": {"name": "Ana", "age": 41}, "receiver": null,
        "fees": [{"type": "old", "amount": 1}],
        "fees": [{"type": "fx", "amount": 12, "currency": "EUR"}, {"type": "flat", "amount": -3}],
        "metadata": {"ref": "x\"y", "note": "caf\u00e9"}, "settled": true, "rate": 0.25,
        "created": 86400.5})"));
    EXPECT_EQ(transfer.amount.toString(), "1.0850");
    ASSERT_EQ(transfer.fees.size(), 2u);
    EXPECT_EQ(transfer.fees[0].type, "fx");
    EXPECT_EQ(transfer.fees[0].currency, "EUR");
    EXPECT_EQ(transfer.fees[1].amount, -3);
    EXPECT_EQ(transfer.fees[1].currency, std::nullopt);
    EXPECT_EQ(transfer.sender.age, 41);
    EXPECT_FALSE(transfer.receiver.has_value());
    EXPECT_EQ(transfer.metadata,
              (std::map<std::string, std::string>{{"note", "caf\xc3\xa9"}, {"ref", "x\"y"}}));
    EXPECT_EQ(transfer.created, sinceReference(microseconds(86'400'500'000)));
}

std::string transferWith(const std::string& members) {
    return std::string(R"({"id":"i","amount":1,"metadata":{},"settled":false,"rate":1,)") +
           members + "}";
}

TEST(JSONDecoderTest, ErrorsReportKindPathAndDetail) {
    const std::string fees = R"("fees":[],)";
    const std::string sender = R"("sender":{"name":"A"},)";
    struct ErrorCase {
        std::string members;  // completed by transferWith()
        Kind kind;
        Path path;
        std::string detail;  // expected type, or the missing key
    };
    const ErrorCase cases[] = {
        {R"("sender":{"name":"A"})", Kind::keyNotFound, Path{}, "fees"},
        {fees + R"("sender":{})", Kind::keyNotFound, Path{key("sender")}, "name"},
        {fees + R"("sender":null)", Kind::valueNotFound, Path{key("sender")},
         "corvend::platform::(anonymous namespace)::wire::Party"},
        {sender + R"("fees":[{"type":"a","amount":1},{"type":"b","amount":"2"}])",
         Kind::typeMismatch, Path{key("fees"), at(1), key("amount")}, "Int64"},
        {sender + R"("fees":{})", Kind::typeMismatch, Path{key("fees")}, "Array"},
        {fees + sender + R"("receiver":{"name":5})", Kind::typeMismatch,
         Path{key("receiver"), key("name")}, "String"},
        {fees + sender + R"("metadata":{"k":true})", Kind::typeMismatch,
         Path{key("metadata"), key("k")}, "String"},
        {fees + sender + R"("created":"2024-01-01T00:00:00Z")", Kind::typeMismatch,
         Path{key("created")}, "Double"}};
    for (const ErrorCase& c : cases) {
        const DecodingError error =
            expectFailure<wire::Transfer>(JSONDecoder(), transferWith(c.members), c.kind, c.path);
        if (c.kind == Kind::keyNotFound) {
            EXPECT_EQ(error.key(), key(c.detail.c_str()));
        } else {
            EXPECT_EQ(error.expectedType(), c.detail);
        }
    }
}

TEST(JSONDecoderTest, UnknownKeysArePassedOverUnread) {
    const auto fee = JSONDecoder().decode<wire::Fee>(R"({
        "huge": 1e400, "long": 123456789012345678901234567890, "type": "fx",
        "nested": {"deep": [1e999, {"x": -0.0000000000000000000000000000000000000000001}]},
        "esc\"aped": "\u0000\ud83d\ude00", "nothing": null, "flag": false, "amount": 5})");
    EXPECT_EQ(fee.type, "fx");
    EXPECT_EQ(fee.amount, 5);
}

std::string amountsWith(const std::string& member, const std::string& number) {
    return R"({"big":0,"small":0,"real":0,"exact":0,")" + member + "\":" + number + "}";
}

TEST(JSONDecoderTest, IntegersAreStrict) {
    const JSONDecoder decoder;
    const std::pair<const char*, std::vector<const char*>> rejected[] = {
        {"big", {"1.0", "1e2", "9223372036854775808", "-9223372036854775809"}},
        {"small", {"2147483648", "-2147483649"}},
        {"real", {"1e400", "-1e400"}}};
    for (const auto& [member, numbers] : rejected) {
        for (const char* number : numbers) {
            const DecodingError error = expectFailure<wire::Amounts>(
                decoder, amountsWith(member, number), Kind::dataCorrupted, {key(member)});
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
    for (const char* number : {"1.0850", "1e-10", "12345678901234567890123456789012345678",
                               "-0.00000000000000000000000000000000000000000001", "1e400"}) {
        EXPECT_EQ(decoder.decode<wire::Amounts>(amountsWith("exact", number)).exact.toString(),
                  Decimal::fromString(number)->toString());
    }
    expectFailure<wire::Amounts>(decoder,
                                 amountsWith("exact", "123456789012345678901234567890123456789"),
                                 Kind::dataCorrupted, {key("exact")});
    EXPECT_EQ(expectFailure<wire::Amounts>(decoder, amountsWith("exact", R"("1.5")"),
                                           Kind::typeMismatch, {key("exact")})
                  .expectedType(),
              "Decimal");
}

TEST(JSONDecoderTest, DefaultDatesAreSecondsSinceReferenceDate) {
    const JSONDecoder decoder;
    const auto dated = decoder.decode<wire::Dated>(R"({"at":-1.25})");
    EXPECT_EQ(dated.at, sinceReference(microseconds(-1'250'000)));
    EXPECT_EQ(dated.maybe, std::nullopt);
    expectFailure<wire::Dated>(decoder, R"({"at":1e300})", Kind::dataCorrupted, {key("at")});
}

TEST(JSONDecoderTest, DateStrategyReadsTextAndItsErrorsGetThePath) {
    JSONDecoder decoder;
    int calls = 0;
    decoder.setDateDecodingStrategy([&calls](std::string_view text) {
        ++calls;
        if (auto date = iso8601::parseInternetDateTime(text)) return *date;
        throw DecodingError::dataCorrupted({{}, "Invalid date format: " + std::string(text)});
    });
    const auto dated = decoder.decode<wire::Dated>(
        R"({"at":"2001-01-01T00:00:10Z","maybe":"2001-01-01T00:00:00Z"})");
    EXPECT_EQ(dated.at, sinceReference(std::chrono::seconds(10)));
    EXPECT_EQ(dated.maybe, Date::referenceDate());
    EXPECT_EQ(expectFailure<wire::Dated>(decoder, R"({"at":"yesterday"})", Kind::dataCorrupted,
                                         {key("at")})
                  .debugDescription(),
              "Invalid date format: yesterday");

    calls = 0;  // numbers and null never reach the strategy
    EXPECT_EQ(expectFailure<wire::Dated>(decoder, R"({"at":12})", Kind::typeMismatch, {key("at")})
                  .expectedType(),
              "String");
    expectFailure<wire::Dated>(decoder, R"({"at":null})", Kind::valueNotFound, {key("at")});
    expectFailure<wire::Dated>(decoder, R"({"at":"2001-01-01T00:00:00Z","maybe":5})",
                               Kind::typeMismatch, {key("maybe")});
    EXPECT_EQ(calls, 1);  // only the valid "at" of the last body

    decoder.setDateDecodingStrategy(
        [](std::string_view) -> Date { throw std::invalid_argument("no calendar"); });
    const DecodingError error =
        expectFailure<wire::Dated>(decoder, R"({"at":"x"})", Kind::dataCorrupted, {key("at")});
    ASSERT_TRUE(error.context().underlyingError);
    EXPECT_THROW(std::rethrow_exception(error.context().underlyingError), std::invalid_argument);
}

TEST(JSONDecoderTest, MalformedBodiesAreDataCorruptedAtTopLevel) {
    const JSONDecoder decoder;
    for (const char* body : {"", "   ", R"({"type":"a","amount":1)", R"({"type":"a" "amount":1})",
                             R"({"type":"a","amount":1} x)", R"({"type":"a\x","amount":1})",
                             R"({"type":"a","amount":tru})", "{\"type\":\"\xff\",\"amount\":1}"}) {
        expectFailure<wire::Fee>(decoder, body, Kind::dataCorrupted);
    }
    const DecodingError arrayError =
        expectFailure<std::vector<std::int64_t>>(decoder, "[1,,2]", Kind::dataCorrupted);
    EXPECT_TRUE(arrayError.context().underlyingError);
}

TEST(JSONDecoderTest, KeysMatchWhateverTheirEscapesAndOnlyWhole) {
    const JSONDecoder decoder;
    const auto fee = decoder.decode<wire::Fee>(R"({"\u0074ype":"a","am\u006funt":2})");
    EXPECT_EQ(fee.type, "a");
    EXPECT_EQ(fee.amount, 2);
    EXPECT_EQ(
        expectFailure<wire::Fee>(decoder, R"({"typeX":"a","amount":1})", Kind::keyNotFound).key(),
        key("type"));

    // Keys sharing a member's first bytes are other keys; a renamed member answers to its own.
    const auto keyed = decoder.decode<wire::Keyed>(
        R"({"fee_type":"x","say \"hi\"":"q","accountNumbe":1,"accountNumberX":2,"":3,"b":4,)"
        R"("accountNumber":"z","type":"no",)"
        R"("a_key_that_runs_well_past_the_sixty_four_bytes_of_the_parsers_paddin":5,)"
        R"("a_key_that_runs_well_past_the_sixty_four_bytes_of_the_parsers_padding_":6,)"
        R"("a_key_that_runs_well_past_the_sixty_four_bytes_of_the_parsers_padding":"v"})");
    EXPECT_EQ(keyed.type, "x");
    EXPECT_EQ(keyed.quoted, "q");
    EXPECT_EQ(keyed.veryLong, "v");
    EXPECT_EQ(keyed.accountNumber, "z");
    EXPECT_EQ(keyed.a, std::nullopt);
    EXPECT_EQ(expectFailure<wire::Keyed>(decoder, R"({"type":"x"})", Kind::keyNotFound).key(),
              key("fee_type"));
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

    expectFailure<std::int64_t>(decoder, "1 2", Kind::dataCorrupted);
    expectFailure<Decimal>(decoder, "1.5 2", Kind::dataCorrupted);
    expectFailure<std::vector<std::int64_t>>(decoder, "[] []", Kind::dataCorrupted);
    expectFailure<std::vector<std::int64_t>>(decoder, "{}", Kind::typeMismatch);
    expectFailure<wire::Fee>(decoder, "[]", Kind::typeMismatch);
    expectFailure<wire::Fee>(decoder, "null", Kind::valueNotFound);
}

TEST(JSONDecoderTest, EmptyResponseReadsNothing) {
    const JSONDecoder decoder;
    for (const char* body : {"", "not json", R"({"a":[1,2]})"}) {
        EXPECT_NO_THROW((void)decoder.decode<EmptyResponse>(Data(body))) << body;
    }
    for (const char* extra : {R"({"a":[1e400,{"b":null}]})", "1e400"}) {
        const std::string body = R"({"extra":)" + std::string(extra) + R"(,"id":"x"})";
        EXPECT_EQ(decoder.decode<wire::WithIgnored>(body).id, "x");
    }
}

TEST(JSONDecoderTest, DescribedEnums) {
    const JSONDecoder decoder;
    const auto tagged = decoder.decode<wire::Tagged>(R"({"status":"completed","kind":"bank"})");
    EXPECT_EQ(tagged.status, wire::Status::completed);
    EXPECT_EQ(tagged.kind, wire::Kind::bank);
    EXPECT_EQ(decoder.decode<wire::Tagged>(R"({"status":"refunded"})").status,
              wire::Status::unknown);
    const DecodingError strict = expectFailure<wire::Tagged>(
        decoder, R"({"status":"pending","kind":"cash"})", Kind::dataCorrupted, {key("kind")});
    EXPECT_NE(strict.debugDescription().find("cash"), std::string::npos);
    expectFailure<wire::Tagged>(decoder, R"({"status":1})", Kind::typeMismatch, {key("status")});
}

TEST(JSONDecoderTest, DecodesFromInsideADecode) {
    JSONDecoder inner;
    JSONDecoder outer;
    outer.setDateDecodingStrategy([&inner](std::string_view text) {
        const auto fee = inner.decode<wire::Fee>(text);
        return sinceReference(std::chrono::seconds(fee.amount));
    });
    const auto dated = outer.decode<wire::Dated>(
        R"({"at":"{\"type\":\"t\",\"amount\":5}","maybe":"{\"type\":\"t\",\"amount\":6}"})");
    EXPECT_EQ(dated.at, sinceReference(std::chrono::seconds(5)));
    EXPECT_EQ(dated.maybe, sinceReference(std::chrono::seconds(6)));
}

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
                    if (error.codingPath() != Path{key("type")}) ++mismatches;
                }
            }
        });
    }
    for (std::thread& thread : threads) thread.join();
    EXPECT_EQ(mismatches, 0);
}

}  // namespace
}  // namespace corvend::platform
