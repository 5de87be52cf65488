#include "CorvendWallet/ui/flows/card-deposit/CardDepositError.hpp"

#include <gtest/gtest.h>

#include <unordered_set>

namespace corvend {
namespace {

// A host branches on the case, or looks it up among the cases it handles; the words stay on
// the error for it to show.
TEST(CardDepositErrorTest, AnErrorWithWordsIsItsCase) {
    const auto named = CardDepositError::otherDepositNamed("dep-7", "dep-1");
    EXPECT_TRUE(named == CardDepositError::internalError);
    EXPECT_FALSE(named == CardDepositError::failedToLoadAcceptedCardsError);
    EXPECT_TRUE(named == CardDepositError::otherCardNamed("pi-4", "pi-1"));
    const std::unordered_set<CardDepositError> handled{CardDepositError::internalError};
    EXPECT_TRUE(handled.contains(named));
    EXPECT_FALSE(handled.contains(CardDepositError::failedToLoadAcceptedCardsError));
    EXPECT_STREQ(named.what(), "the reply named deposit dep-7, not deposit dep-1");
    EXPECT_STREQ(CardDepositError::otherCardNamed("pi-4", "pi-1").what(),
                 "the reply named card pi-4, not card pi-1");
}

}  // namespace
}  // namespace corvend
