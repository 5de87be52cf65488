#include "CorvendWallet/ui/foundation/ExpiryDateValidationComponent.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <utility>
#include <vector>

namespace corvend {
namespace {

using Component = ExpiryDateValidationComponent;

TEST(ExpiryDateValidationComponentTest, SplitsOnceAtTheFirstSlashAfterAnyLeadingOnes) {
    const std::vector<std::pair<const char*, std::optional<Component>>> cases = {
        {"12/25", Component{12, 25}},
        {"1/5", Component{1, 5}},
        {"+12/25", Component{12, 25}},
        {"-1/25", Component{-1, 25}},
        {"ab/cd", Component{0, 0}},
        {"12/ab", Component{12, 0}},
        {"+-1/2", Component{0, 2}},
        {"\uff11\uff12/25", Component{0, 25}},
        {"99999999999999999999/1", Component{0, 1}},
        {"/12/25", Component{12, 25}},
        {"//12/25", Component{12, 25}},
        {"12/25/", Component{12, 0}},
        {"12//25", Component{12, 0}},
        {"1225", std::nullopt},
        {"/1225", std::nullopt},
        {"12/", std::nullopt},
        {"/", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(Component::parse(text), expected) << text;
    }
}

}  // namespace
}  // namespace corvend
