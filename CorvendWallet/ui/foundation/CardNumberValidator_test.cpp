#include "CorvendWallet/ui/foundation/CardNumberValidator.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "CorvendWallet/ui/foundation/AnyValidator.hpp"

namespace corvend {
namespace {

using Result = CardNumberValidationResult;

TEST(CardNumberValidatorTest, ChecksBrandThenSupportThenLengthThenLuhn) {
    const auto validator =
        AnyValidator<std::string_view, Result>::of(std::make_shared<CardNumberValidator>(
            std::vector<CardType>{CardType::masterCard, CardType::visa}));
    const std::vector<std::pair<std::optional<std::string>, Result>> cases = {
        {std::nullopt, Result::invalid},
        {"", Result::invalid},
        {"4111111111111111", Result::valid},
        {"5555555555554444", Result::valid},
        {"2223003122003222", Result::valid},
        {"4111111111111112", Result::invalid},
        {"411111111111111", Result::tooShort},
        {"41111111111111111", Result::tooLong},
        {"5391520000000000", Result::notSupported},
        // Support is asked before the length.
        {"539152", Result::notSupported},
        {"9111111111111111", Result::invalid},
        {"4111-1111-1111-1111", Result::tooLong},
    };
    for (const auto& [number, expected] : cases) {
        SCOPED_TRACE(number.value_or("(absent)"));
        EXPECT_EQ(validator.validate(number), expected);
    }
    EXPECT_EQ(CardNumberValidator({}).validate("4111111111111111"), Result::notSupported);
}

TEST(CardNumberValidatorTest, LuhnSkipsNonDigitsButCountsThemTowardsNineCharacters) {
    const std::vector<std::pair<std::string, bool>> cases = {
        {"0000000000", true},
        {"00000000", false},
        {"79927398713", true},
        {"79927398710", false},
        {"4111-1111-1111-1111", true},
        {"0000-0000", true},
        {"00000-00", false},
        {"abcdefghij", false},
        {"", false},
        // A digit carrying a mark is no digit.
        {"4111111111111111\u0301", false},
    };
    for (const auto& [text, passes] : cases) {
        EXPECT_EQ(CardNumberValidator::passesLuhnCheck(text), passes) << text;
    }
}

}  // namespace
}  // namespace corvend
