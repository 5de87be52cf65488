#include "CorvendWallet/core/models/PaymentPropertyModel.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/WireCoding.hpp"

namespace corvend {
namespace {

using Key = model::PaymentPropertyKey;
using testing::encodedJSON;

TEST(PaymentPropertyModelTest, WritesAbsentKeysAndValuesAsLeftOut) {
    EXPECT_EQ(
        encodedJSON(*toPaymentPropertyModels(
            std::vector<model::PaymentProperty>{{Key::cardSaveInstrument, "false"},
                                                {std::nullopt, "x"},
                                                {Key::unknown, std::nullopt},
                                                {std::nullopt, std::nullopt}})),
        R"([{"key":"CARD_SAVE_INSTRUMENT","value":"false"},{"value":"x"},{"key":"UNKNOWN"},{}])");
    EXPECT_EQ(toPaymentPropertyModels(std::nullopt), std::nullopt);
    EXPECT_EQ(encodedJSON(*toPaymentPropertyModels(std::vector<model::PaymentProperty>{})), "[]");
}

TEST(PaymentPropertyModelTest, ReadsAMissingKeyAsUnknownNotAbsent) {
    const auto read = [](const char* json) {
        return toPaymentProperty(testing::decodedReply<PaymentPropertyModel>(json));
    };
    EXPECT_EQ(read(R"({"key":"CARD_CVV","value":"123"})"),
              (model::PaymentProperty{Key::cardCVV, "123"}));
    EXPECT_EQ(read(R"({"value":"123"})"), (model::PaymentProperty{Key::unknown, "123"}));
    EXPECT_EQ(read(R"({"key":null,"value":null})"),
              (model::PaymentProperty{Key::unknown, std::nullopt}));
    EXPECT_EQ(toPaymentProperties(std::nullopt), std::nullopt);
    EXPECT_EQ(toPaymentProperties(std::vector<PaymentPropertyModel>{}),
              std::vector<model::PaymentProperty>{});
}

}  // namespace
}  // namespace corvend
