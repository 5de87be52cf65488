#include "CorvendWallet/ui/flows/card-deposit/DepositRootInteractor.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "CorvendWallet/models/CardPaymentOptionSettings.hpp"

namespace corvend {
namespace {

using model::CardScheme;
using model::PaymentOptionDetails;
using model::PaymentOptionType;

PaymentOptionDetails cardOption(std::vector<CardScheme> schemes) {
    return {.paymentOption = PaymentOptionType::card,
            .paymentOptionSettings = std::make_shared<const model::CardPaymentOptionSettings>(
                PaymentOptionType::card, std::move(schemes))};
}

// The accepted cards come from the first card settings only, in their order, duplicates and
// unknown schemes kept; options without card settings are skipped whatever they are called.
TEST(DepositRootInteractorTest, SupportedCardsComeFromTheFirstCardSettingsAsListed) {
    const auto types = [](std::vector<PaymentOptionDetails> options) {
        return DepositRootInteractor::supportedCardTypes(options);
    };
    EXPECT_EQ(types({cardOption({CardScheme::visa}), cardOption({CardScheme::mastercard})}),
              std::vector<CardType>{CardType::visa});
    EXPECT_EQ(
        types({cardOption({CardScheme::mastercard, CardScheme::mastercard, CardScheme::unknown})}),
        (std::vector<CardType>{CardType::masterCard, CardType::masterCard, CardType::unknown}));
    EXPECT_EQ(types({{.paymentOption = PaymentOptionType::card},
                     cardOption({CardScheme::visa, CardScheme::mastercard})}),
              (std::vector<CardType>{CardType::visa, CardType::masterCard}));
    EXPECT_TRUE(types({{.paymentOption = PaymentOptionType::card}}).empty());
    EXPECT_TRUE(types({}).empty());
    EXPECT_TRUE(types({cardOption({})}).empty());
    EXPECT_TRUE(types({cardOption({}), cardOption({CardScheme::visa})}).empty());
}

}  // namespace
}  // namespace corvend
