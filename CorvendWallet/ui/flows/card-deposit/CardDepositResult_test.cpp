#include "CorvendWallet/ui/flows/card-deposit/CardDepositResult.hpp"

#include <gtest/gtest.h>

#include <stdexcept>

#include "CorvendWallet/foundation/ConfigurationError.hpp"
#include "CorvendWallet/foundation/WalletError.hpp"
#include "CorvendWallet/ui/flows/card-deposit/CardDepositError.hpp"

namespace corvend {
namespace {

using model::WalletError;
using DepositResult = CardDepositResult;

// Two failures made apart, as two replies of the service would make them.
TEST(CardDepositResultTest, FailuresCarryingEqualKitErrorsAreEqualWhereverTheyWereMade) {
    const auto details = [] {
        return WalletError::ErrorDetails{.httpStatus = 500, .code = "5000", .errorID = "e-1"};
    };
    struct Case {
        const char* name;
        Error lhs;
        Error rhs;
        bool equal;
    };
    const Case cases[] = {
        {"equal internal errors", Error::make(WalletError::internalError("I0005", "e-1")),
         Error::make(WalletError::internalError("I0005", "e-1")), true},
        {"equal data errors", Error::make(WalletError::dataError(details())),
         Error::make(WalletError::dataError(details())), true},
        {"other error ID", Error::make(WalletError::internalError("I0005", "e-1")),
         Error::make(WalletError::internalError("I0005", "e-2")), false},
        {"other case", Error::make(WalletError::tokenExpired()),
         Error::make(WalletError::serviceUnavailable()), false},
        {"equal set-up errors", Error::make(model::ConfigurationError("bad", "C0001")),
         Error::make(model::ConfigurationError("bad", "C0001")), true},
        {"equal flow errors", Error::make(CardDepositError(CardDepositError::internalError)),
         Error::make(CardDepositError(CardDepositError::internalError)), true},
        {"equal details", Error::make(CardDepositError::otherDepositNamed("dep-7", "dep-1")),
         Error::make(CardDepositError::otherDepositNamed("dep-7", "dep-1")), true},
        {"other details", Error::make(CardDepositError::otherDepositNamed("dep-7", "dep-1")),
         Error::make(CardDepositError::otherDepositNamed("dep-8", "dep-1")), false},
        {"a detail and none", Error::make(CardDepositError::otherDepositNamed("dep-7", "dep-1")),
         Error::make(CardDepositError(CardDepositError::internalError)), false},
        {"flow and wallet error", Error::make(CardDepositError(CardDepositError::internalError)),
         Error::make(WalletError::internalError("I0005")), false},
        // Not the kit's own: only the same object is the same error.
        {"two foreign errors", Error::make(std::runtime_error("x")),
         Error::make(std::runtime_error("x")), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(DepositResult::terminalFailure(c.lhs) == DepositResult::terminalFailure(c.rhs),
                  c.equal);
        EXPECT_EQ(
            DepositResult::nonTerminalFailure(c.lhs) == DepositResult::nonTerminalFailure(c.rhs),
            c.equal);
        EXPECT_FALSE(DepositResult::terminalFailure(c.lhs) ==
                     DepositResult::nonTerminalFailure(c.rhs));
        EXPECT_EQ(DepositResult::terminalFailure(c.lhs), DepositResult::terminalFailure(c.lhs));
    }
    EXPECT_EQ(DepositResult::completed(), DepositResult::completed());
    EXPECT_FALSE(DepositResult::completed() == DepositResult::cancelled());
}

}  // namespace
}  // namespace corvend
