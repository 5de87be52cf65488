#include "CorvendWallet/models/PaymentPropertyModel.hpp"

#include <gtest/gtest.h>

#include <vector>

#include "tests/support/WireCoding.hpp"

namespace corvend {
namespace {

using model::PaymentProperty;
using model::PaymentPropertyKey;

// A property the host sends with the key `unknown` names it "UNKNOWN" on the wire; only a
// property without any key goes out without one.
TEST(PaymentPropertyModelTest, EveryKeyIsWrittenByItsWireStringUnknownIncluded) {
    const auto written = toPaymentPropertyModels(
        std::vector<PaymentProperty>{{PaymentPropertyKey::cardCVV, "123"},
                                     {PaymentPropertyKey::cardSaveInstrument, "true"},
                                     {PaymentPropertyKey::unknown, "u"},
                                     {std::nullopt, "none"}});
    ASSERT_TRUE(written.has_value());
    EXPECT_EQ(testing::encodedJSON(*written),
              R"([{"key":"CARD_CVV","value":"123"},{"key":"CARD_SAVE_INSTRUMENT","value":"true"},)"
              R"({"key":"UNKNOWN","value":"u"},{"value":"none"}])");
    EXPECT_EQ(toPaymentPropertyModels(std::nullopt), std::nullopt);
    EXPECT_EQ(toPaymentPropertyModels(std::vector<PaymentProperty>{}),
              std::vector<PaymentPropertyModel>{});
}

}  // namespace
}  // namespace corvend
