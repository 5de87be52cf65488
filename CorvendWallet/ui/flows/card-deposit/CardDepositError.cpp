#include "CorvendWallet/ui/flows/card-deposit/CardDepositError.hpp"

namespace corvend {

const char* CardDepositError::what() const noexcept {
    return case_ == failedToLoadAcceptedCardsError
               ? "CardDepositError.failedToLoadAcceptedCardsError"
               : "CardDepositError.internalError";
}

}  // namespace corvend
