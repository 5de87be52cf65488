#include "CorvendWallet/ui/foundation/CvvValidator.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace corvend {
namespace {

TEST(CvvValidatorTest, AsksThreeDecimalDigitsOfAnyScriptForEveryBrand) {
    const std::vector<std::pair<std::optional<std::string>, bool>> cases = {
        {"123", true},
        {"\u0661\u0662\u0663", true},  // Arabic-Indic
        {"\uff11\uff12\uff13", true},  // full-width
        {"12", false},
        {"1234", false},
        {"12a", false},
        {"", false},
        {std::nullopt, false},
        {"1\u03012\u03013", false},     // digits carrying marks
        {"\u00b9\u00b2\u00b3", false},  // superscripts are no decimal digits
        {"12\xff", false},
    };
    for (CardType type : CardType::allCases) {
        const CvvValidator validator(type);
        for (const auto& [code, valid] : cases) {
            EXPECT_EQ(validator.validate(code), valid) << code.value_or("(absent)");
        }
    }
}

}  // namespace
}  // namespace corvend
