#include "CorvendWallet/core/models/FxAmountModel.hpp"

#include <gtest/gtest.h>

#include "CorvendWallet/networking/SharedCoders.hpp"

namespace corvend {
namespace {

FxAmountModel decode(const char* json) {
    return sharedResponseDecoder().decode<FxAmountModel>(json);
}

TEST(FxAmountModelTest, KeepsTheRateDigitForDigit) {
    const FxAmountModel amount = decode(R"({"amount":1085,"rate":1.0850,"currency":"USD"})");
    EXPECT_EQ(amount.amount, 1085);
    ASSERT_TRUE(amount.rate);
    EXPECT_EQ(amount.rate->toString(), "1.0850");
    EXPECT_EQ(amount.currency, "USD");

    const FxAmountModel precise = decode(R"({"rate":0.12345678901234567890123456789})");
    EXPECT_EQ(precise.rate->toString(), "0.12345678901234567890123456789");

    const model::FxAmount mapped = toFxAmount(amount);
    EXPECT_EQ(mapped.amount, 1085);
    EXPECT_EQ(mapped.rate->toString(), "1.0850");
    EXPECT_EQ(mapped.currency, "USD");
}

TEST(FxAmountModelTest, EveryKeyIsOptional) {
    EXPECT_EQ(decode("{}"), FxAmountModel{});
    EXPECT_EQ(decode(R"({"amount":null,"rate":null,"currency":null})"), FxAmountModel{});
    EXPECT_EQ(toFxAmount({}), model::FxAmount{});
}

TEST(FxAmountModelTest, WrongTypesFailTheReply) {
    for (const char* json : {R"({"rate":"1.08"})", R"({"amount":10.5})", R"({"currency":840})"}) {
        EXPECT_THROW(decode(json), platform::DecodingError) << json;
    }
}

}  // namespace
}  // namespace corvend
