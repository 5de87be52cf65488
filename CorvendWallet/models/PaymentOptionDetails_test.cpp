#include "CorvendWallet/models/PaymentOptionDetails.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "CorvendWallet/models/CardPaymentOptionSettings.hpp"

namespace corvend::model {
namespace {

// Settings of another kind that report the card option, to see that kinds are told apart.
class OtherSettings final : public PaymentOptionSettings {
  public:
    PaymentOptionType paymentOption() const override { return PaymentOptionType::card; }
    bool equals(const PaymentOptionSettings& other) const override {
        return dynamic_cast<const OtherSettings*>(&other) != nullptr;
    }
};

std::shared_ptr<const PaymentOptionSettings> cardSettings(
    std::vector<CardScheme> schemes, PaymentOptionType option = PaymentOptionType::card) {
    return std::make_shared<const CardPaymentOptionSettings>(option, std::move(schemes));
}

PaymentOptionDetails cardOption(std::shared_ptr<const PaymentOptionSettings> settings) {
    return {std::vector{InstrumentType::card}, PaymentOptionType::card, std::move(settings)};
}

TEST(PaymentOptionDetailsTest, SettingsCountOnlyByTheirPaymentOption) {
    const auto visa = cardSettings({CardScheme::visa});
    struct Row {
        const char* name;
        PaymentOptionDetails a;
        PaymentOptionDetails b;
        bool equal;
    };
    const Row rows[] = {
        {"schemes differ", cardOption(visa),
         cardOption(cardSettings({CardScheme::mastercard, CardScheme::unknown})), true},
        {"settings on one side only", cardOption(visa), cardOption(nullptr), false},
        {"no settings on either side", cardOption(nullptr), cardOption(nullptr), true},
        {"settings of another option", cardOption(visa),
         cardOption(cardSettings({CardScheme::visa}, PaymentOptionType::unknown)), false},
        {"settings of another kind, same option", cardOption(visa),
         cardOption(std::make_shared<const OtherSettings>()), true},
        {"option absent on one side",
         cardOption(visa),
         {std::vector{InstrumentType::card}, std::nullopt, visa},
         false},
        {"empty and absent instrument types",
         {std::vector<InstrumentType>{}, PaymentOptionType::card, nullptr},
         {std::nullopt, PaymentOptionType::card, nullptr},
         false},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(row.a == row.b, row.equal) << row.name;
        EXPECT_EQ(row.b == row.a, row.equal) << row.name;
    }
}

TEST(PaymentOptionDetailsTest, CardSettingsThemselvesCompareTheirSchemesAndKind) {
    const CardPaymentOptionSettings visa(PaymentOptionType::card, {CardScheme::visa});
    EXPECT_TRUE(
        visa.equals(CardPaymentOptionSettings(PaymentOptionType::card, {CardScheme::visa})));
    EXPECT_FALSE(visa.equals(
        CardPaymentOptionSettings(PaymentOptionType::card, {CardScheme::visa, CardScheme::visa})));
    EXPECT_FALSE(visa.equals(
        CardPaymentOptionSettings(PaymentOptionType::bankTransfer, {CardScheme::visa})));
    EXPECT_FALSE(visa.equals(OtherSettings()));
}

}  // namespace
}  // namespace corvend::model
