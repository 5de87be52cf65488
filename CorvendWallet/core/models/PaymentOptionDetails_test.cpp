#include "CorvendWallet/core/models/PaymentOptionDetails.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "CorvendWallet/core/models/CardPaymentOptionSettings.hpp"
#include "CorvendWallet/core/models/FxAmount.hpp"
#include "CorvendWallet/core/models/PagingResultMeta.hpp"
#include "CorvendWallet/core/models/PaymentProperty.hpp"

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
    const auto mastercard = cardSettings({CardScheme::mastercard, CardScheme::unknown});
    struct Row {
        const char* name;
        PaymentOptionDetails a;
        PaymentOptionDetails b;
        bool equal;
    };
    const Row rows[] = {
        {"schemes differ", cardOption(visa), cardOption(mastercard), true},
        {"same settings object", cardOption(visa), cardOption(visa), true},
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
        {"instrument types absent on one side",
         cardOption(visa),
         {std::nullopt, PaymentOptionType::card, visa},
         false},
        {"instrument types in another order",
         {std::vector{InstrumentType::card, InstrumentType::ukBankAccount}, PaymentOptionType::card,
          nullptr},
         {std::vector{InstrumentType::ukBankAccount, InstrumentType::card}, PaymentOptionType::card,
          nullptr},
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

TEST(PaymentOptionDetailsTest, CardSettingsThemselvesCompareEveryField) {
    const CardPaymentOptionSettings visa(PaymentOptionType::card, {CardScheme::visa});
    CardPaymentOptionSettings changed = visa;
    EXPECT_TRUE(visa == changed);
    EXPECT_TRUE(visa.equals(changed));

    changed.setPaymentOption(PaymentOptionType::bankTransfer);
    EXPECT_EQ(changed.paymentOption(), PaymentOptionType::bankTransfer);
    EXPECT_FALSE(visa == changed);

    const CardPaymentOptionSettings twice(PaymentOptionType::card,
                                          {CardScheme::visa, CardScheme::visa});
    EXPECT_FALSE(visa == twice);
    EXPECT_FALSE(visa.equals(twice));
    EXPECT_FALSE(visa.equals(OtherSettings()));
}

TEST(SharedPublicModelsTest, AbsentIsNotTheSameAsAnyValue) {
    EXPECT_NE((PaymentProperty{std::nullopt, "123"}),
              (PaymentProperty{PaymentPropertyKey::unknown, "123"}));
    EXPECT_NE((PaymentProperty{PaymentPropertyKey::cardCVV, std::nullopt}),
              (PaymentProperty{PaymentPropertyKey::cardCVV, ""}));

    EXPECT_EQ(PagingResultMeta{}, PagingResultMeta{});
    EXPECT_NE(PagingResultMeta{}, (PagingResultMeta{.page = 0}));
}

TEST(SharedPublicModelsTest, RatesCompareByValue) {
    const auto rate = [](const char* text) { return platform::Decimal::fromString(text); };
    EXPECT_EQ((FxAmount{100, rate("1.5"), "EUR"}), (FxAmount{100, rate("1.50"), "EUR"}));
    EXPECT_NE((FxAmount{100, rate("1.5"), "EUR"}), (FxAmount{100, rate("1.05"), "EUR"}));
    EXPECT_NE((FxAmount{100, rate("1.5"), "EUR"}), (FxAmount{100, std::nullopt, "EUR"}));
}

}  // namespace
}  // namespace corvend::model
