#pragma once

#include <variant>

#include "CorvendWallet/foundation/Error.hpp"
#include "CorvendWallet/services/money/CustomerDeposit.hpp"
#include "CorvendWallet/ui/flows/card-deposit/CardDetails.hpp"

namespace corvend {

// The one outcome of a card screen (add card, confirm card).
struct CardDepositState {
    // The deposit after its create step, and the card to show on the summary.
    struct Success {
        model::CustomerDeposit deposit;
        CardDetails cardDetails;
    };
    // The create step failed.
    struct Failure {
        Error error;
    };
    // The customer closed the screen.
    struct Cancel {};

    std::variant<Success, Failure, Cancel> value;

    static CardDepositState success(model::CustomerDeposit deposit, CardDetails cardDetails) {
        return {Success{std::move(deposit), std::move(cardDetails)}};
    }
    static CardDepositState failure(Error error) { return {Failure{std::move(error)}}; }
    static CardDepositState cancel() { return {Cancel{}}; }
};

}  // namespace corvend
