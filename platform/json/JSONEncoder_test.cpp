#include "platform/json/JSONEncoder.hpp"

#include <gtest/gtest.h>

#include <boost/describe.hpp>
#include <chrono>
#include <cmath>
#include <limits>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/json/JSONDecoder.hpp"

namespace corvend::platform {
namespace {

namespace wire {

struct Line {
    std::string label;
    std::optional<double> rate;
    Decimal amount;
};
BOOST_DESCRIBE_STRUCT(Line, (), (label, rate, amount))

enum class State { open, closed };
BOOST_DESCRIBE_ENUM(State, open, closed)

struct Order {
    std::string zeta;
    std::int64_t alpha = 0;
    std::optional<std::string> note;
    std::optional<std::int32_t> count;
    std::vector<Line> lines;
    std::map<std::string, std::int64_t> totals;
    bool paid = false;
    State state = State::open;
    std::optional<Date> at;
    static constexpr JSONKey jsonKeys[] = {{"zeta", "z_key"}};
};
BOOST_DESCRIBE_STRUCT(Order, (), (zeta, alpha, note, count, lines, totals, paid, state, at))

}  // namespace wire

std::string text(const Data& data) {
    return std::string(data.view());
}

Date referencePlus(std::chrono::microseconds offset) {
    return Date(Date::referenceDate().timePoint() + offset);
}

TEST(JSONEncoderTest, WritesMembersInDeclaredOrderCompactly) {
    const JSONEncoder encoder;
    wire::Order order;
    order.zeta = "z";
    order.count = 0;
    order.lines = {{"a", std::nullopt, Decimal(1)}, {"b", 0.5, *Decimal::fromString("-0.25")}};
    order.totals = {{"y", 2}, {"x", 1}};
    order.state = wire::State::closed;
    EXPECT_EQ(text(encoder.encode(order)),
              R"({"z_key":"z","alpha":0,"count":0,"lines":[{"label":"a","amount":1},)"
              R"({"label":"b","rate":0.5,"amount":-0.25}],"totals":{"x":1,"y":2},)"
              R"("paid":false,"state":"closed"})");

    EXPECT_EQ(text(encoder.encode(wire::Order{})),
              R"({"z_key":"","alpha":0,"lines":[],"totals":{},"paid":false,"state":"open"})");
}

TEST(JSONEncoderTest, WritesScalarsExactly) {
    const JSONEncoder encoder;
    EXPECT_EQ(text(encoder.encode(std::numeric_limits<std::int64_t>::min())),
              "-9223372036854775808");
    EXPECT_EQ(text(encoder.encode(0.1)), "0.1");
    EXPECT_EQ(text(encoder.encode(-0.0)), "-0");
    EXPECT_EQ(text(encoder.encode(1e300)), "1e+300");
    EXPECT_EQ(text(encoder.encode(std::optional<std::int64_t>())), "null");
    EXPECT_EQ(text(encoder.encode(EmptyResponse{})), "{}");
    EXPECT_EQ(text(encoder.encode(std::vector<bool>{true, false})), "[true,false]");
    EXPECT_EQ(text(encoder.encode(std::string("q\"b\\s/\n\t\x01 caf\xc3\xa9"))),
              R"("q\"b\\s/\n\t\u0001 caf)"
              "\xc3\xa9\"");
}

TEST(JSONEncoderTest, RoundTripsThroughTheDecoder) {
    wire::Order order;
    order.note = "";  // present though empty
    order.lines = {{"x", 0.1, *Decimal::fromString("12345678901234567890123456789012345678")},
                   {"y", 1.0 / 3.0, *Decimal::fromString("1.0850")},
                   {"z", -1e-300, *Decimal::fromString("1e-10")}};
    order.at = referencePlus(std::chrono::microseconds(-1'234'567));

    const auto back = JSONDecoder().decode<wire::Order>(JSONEncoder().encode(order));
    EXPECT_EQ(back.note, "");
    ASSERT_EQ(back.lines.size(), order.lines.size());
    for (std::size_t i = 0; i < order.lines.size(); ++i) {
        EXPECT_EQ(back.lines[i].rate, order.lines[i].rate);
        EXPECT_EQ(back.lines[i].amount.toString(), order.lines[i].amount.toString());
    }
    EXPECT_EQ(back.at, order.at);
}

EncodingError encodeFailure(const JSONEncoder& encoder, const wire::Order& order) {
    try {
        (void)encoder.encode(order);
    } catch (const EncodingError& error) {
        return error;
    }
    ADD_FAILURE() << "encoded without error";
    return EncodingError::invalidValue({});
}

TEST(JSONEncoderTest, ValuesJSONCannotHoldAreInvalidValuesAtTheirPath) {
    const auto expectInvalidAt = [](const wire::Order& order, const std::string& path) {
        const EncodingError error = encodeFailure(JSONEncoder(), order);
        EXPECT_EQ(error.kind(), EncodingError::Kind::invalidValue);
        EXPECT_TRUE(std::string(error.what()).starts_with("invalidValue at " + path + ": "))
            << error.what();
    };
    wire::Order order;
    order.lines = {{"ok", 1.0, {}}, {"bad", INFINITY, {}}};
    expectInvalidAt(order, "lines.Index 1.rate");
    order.lines = {{"bad", NAN, {}}};
    expectInvalidAt(order, "lines.Index 0.rate");
    order.lines = {{"\xff", std::nullopt, {}}};  // not UTF-8
    expectInvalidAt(order, "lines.Index 0.label");
    order.lines.clear();
    order.totals = {{"ok", 1}, {"bad\xc3", 2}};
    expectInvalidAt(order, "totals");
    order.totals.clear();
    order.state = static_cast<wire::State>(9);  // no enumerator has this value
    expectInvalidAt(order, "state");
}

TEST(JSONEncoderTest, DateForms) {
    const Date date = referencePlus(std::chrono::seconds(86'400) + std::chrono::milliseconds(500));
    JSONEncoder encoder;
    EXPECT_EQ(text(encoder.encode(date)), "86400.5");

    encoder.setDateEncodingStrategy(JSONEncoder::DateEncodingStrategy::iso8601);
    EXPECT_EQ(text(encoder.encode(date)), "\"2001-01-02T00:00:00Z\"");

    encoder.setDateEncodingStrategy([](const Date& d) -> std::variant<double, std::string> {
        return d.timeIntervalSince1970() * 1000;
    });
    EXPECT_EQ(text(encoder.encode(date)), "978393600500");
    encoder.setDateEncodingStrategy(
        [](const Date&) -> std::variant<double, std::string> { return std::string("soon"); });
    EXPECT_EQ(text(encoder.encode(date)), "\"soon\"");

    encoder.setDateEncodingStrategy(JSONEncoder::CustomDateEncoding());
    EXPECT_EQ(text(encoder.encode(date)), "86400.5");
}

TEST(JSONEncoderTest, DateStrategyFailuresGetThePath) {
    JSONEncoder encoder;
    wire::Order order;
    order.at = Date::referenceDate();
    encoder.setDateEncodingStrategy([](const Date&) -> std::variant<double, std::string> {
        throw EncodingError::invalidValue({{}, "no"});
    });
    EXPECT_STREQ(encodeFailure(encoder, order).what(), "invalidValue at at: no");

    encoder.setDateEncodingStrategy([](const Date&) -> std::variant<double, std::string> {
        throw std::runtime_error("clock");
    });
    const EncodingError error = encodeFailure(encoder, order);
    EXPECT_EQ(error.codingPath(), std::vector<CodingKey>{CodingKey("at")});
    EXPECT_THROW(std::rethrow_exception(error.context().underlyingError), std::runtime_error);
}

}  // namespace
}  // namespace corvend::platform
