#include "CorvendWallet/ui/foundation/CardType.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "tests/support/ThemedTest.hpp"

namespace corvend {
namespace {

const std::vector<std::pair<std::optional<std::string>, CardType>> kDetections = {
    {std::nullopt, CardType::unknown},
    {"", CardType::unknown},
    {"4", CardType::visa},
    {"4111111111111111", CardType::visa},
    {"4012888888881881", CardType::visa},
    {"4abc", CardType::visa},
    {" 4", CardType::unknown},
    {"x4", CardType::unknown},
    {"5", CardType::unknown},
    {"50", CardType::unknown},
    {"51", CardType::masterCard},
    {"55", CardType::masterCard},
    {"56", CardType::unknown},
    {"5555555555554444", CardType::masterCard},
    {"5105105105105100", CardType::masterCard},
    {"2223003122003222", CardType::masterCard},
    // The 2-series needs a digit after its group.
    {"2220000000000000", CardType::unknown},
    {"2221", CardType::unknown},
    {"22210", CardType::masterCard},
    {"2221000000000009", CardType::masterCard},
    {"223", CardType::unknown},
    {"2230", CardType::masterCard},
    {"24", CardType::unknown},
    {"240", CardType::masterCard},
    {"270", CardType::unknown},
    {"2700", CardType::masterCard},
    {"2710", CardType::masterCard},
    {"2720", CardType::unknown},
    {"27200", CardType::masterCard},
    {"2720990000000000", CardType::masterCard},
    {"2721000000000000", CardType::unknown},
    {"2800000000000000", CardType::unknown},
    // Prepaid ranges win over the schemes that also match them.
    {"5391520000000000", CardType::tembroPrepaidMasterCard},
    {"43481600000", CardType::tembroPrepaidMasterCard},
    {"5331490", CardType::masterCard},
};

TEST(CardTypeTest, DetectsTheBrandFromTheLeadingDigits) {
    for (const auto& [number, brand] : kDetections) {
        SCOPED_TRACE(number.value_or("(absent)"));
        EXPECT_EQ(CardType(number), brand);
    }
}

TEST(CardTypeTest, EveryPrepaidPrefixNeedsAllItsDigits) {
    const std::vector<std::pair<CardType, std::vector<std::string>>> ranges = {
        {CardType::tembroPrepaidMasterCard,
         {"539152", "531306", "410837", "434816", "533952", "529559"}},
        {CardType::ombrixPrepaidMasterCard,
         {"528838", "541592", "541591", "539125", "539258", "53314900"}}};
    for (const auto& [brand, prefixes] : ranges) {
        for (const std::string& prefix : prefixes) {
            SCOPED_TRACE(prefix);
            EXPECT_EQ(CardType(prefix), brand);
            EXPECT_EQ(CardType(prefix + "00000000"), brand);
            EXPECT_NE(CardType(prefix.substr(0, prefix.size() - 1)), brand);
        }
    }
}

TEST(CardTypeTest, UnknownMatchesNothing) {
    for (const char* text : {"", "4", "5555555555554444"}) {
        EXPECT_FALSE(CardType(CardType::unknown).matches(text));
    }
}

TEST(CardTypeTest, DetectsFromManyThreadsAtOnce) {
    std::vector<std::thread> threads;
    std::vector<int> wrong(4, 0);
    for (std::size_t t = 0; t < wrong.size(); ++t) {
        threads.emplace_back([&wrong, t] {
            for (int i = 0; i < 500; ++i) {
                const auto& [number, brand] = kDetections[(t + i) % kDetections.size()];
                if (CardType(number) != brand) ++wrong[t];
            }
        });
    }
    for (auto& thread : threads) thread.join();
    EXPECT_EQ(wrong, std::vector<int>(4, 0));
}

using CardTypeLogoTest = components::testing::ThemedTest;

TEST_F(CardTypeLogoTest, BrandsShowTheirLogoAndUnknownTheThemedSymbol) {
    for (CardType type : CardType::allCases) {
        const auto logo = type.logo();
        ASSERT_NE(logo, nullptr);
        EXPECT_EQ(logo->kind() == platform::ui::Image::Kind::system, type == CardType::unknown);
    }
    const auto unknown = CardType(CardType::unknown).logo();
    EXPECT_EQ(unknown->renderingMode(), platform::ui::ImageRenderingMode::alwaysTemplate);
    EXPECT_NE(unknown->description({platform::ui::UserInterfaceStyle::light}),
              unknown->description({platform::ui::UserInterfaceStyle::dark}));
}

}  // namespace
}  // namespace corvend
