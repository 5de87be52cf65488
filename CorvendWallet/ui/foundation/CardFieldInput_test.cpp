#include "CorvendWallet/ui/foundation/CardFieldInput.hpp"

#include <gtest/gtest.h>

#include <vector>

#include "CorvendWallet/ui/foundation/LocalizedStrings.hpp"
#include "tests/support/ThemedTest.hpp"

namespace corvend {
namespace {

using CardFieldInputTest = components::testing::ThemedTest;

TEST_F(CardFieldInputTest, SecurityCodeHintNamesTheBrandsThatHaveAName) {
    const std::vector<CardType> unknown = {CardType::unknown};
    const auto plain = cvvHintText(unknown);
    ASSERT_EQ(plain.runs().size(), 1u);
    const std::vector<CardType> masterCard = {CardType::masterCard};
    const auto named = cvvHintText(masterCard);
    ASSERT_EQ(named.runs().size(), 3u);
    EXPECT_EQ(named.runs()[0].text, plain.runs()[0].text);
    EXPECT_EQ(named.runs()[1].text, "\n\nMastercard:\n");
    EXPECT_NE(named.runs()[1].attributes.font, named.runs()[2].attributes.font);
    EXPECT_EQ(named.runs()[2].text, localizedFormatted("deposit_cvv_hint_visa"));
}

}  // namespace
}  // namespace corvend
