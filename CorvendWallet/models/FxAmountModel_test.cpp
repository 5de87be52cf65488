#include "CorvendWallet/models/FxAmountModel.hpp"

#include <gtest/gtest.h>

#include "tests/support/WireCoding.hpp"

namespace corvend {
namespace {

using testing::decodedReply;

TEST(FxAmountModelTest, ReadsEveryKeyAsOptionalAndKeepsTheRateDigitForDigit) {
    const auto mapped = toFxAmount(
        decodedReply<FxAmountModel>(R"({"amount":1085,"rate":1.0850,"currency":"USD"})"));
    EXPECT_EQ(mapped.amount, 1085);
    EXPECT_EQ(mapped.rate->toString(), "1.0850");
    EXPECT_EQ(mapped.currency, "USD");
    EXPECT_EQ(decodedReply<FxAmountModel>(R"({"amount":null,"rate":null})"), FxAmountModel{});
    EXPECT_TRUE(testing::decodingFailure<FxAmountModel>(R"({"rate":"1.08"})"));
}

}  // namespace
}  // namespace corvend
