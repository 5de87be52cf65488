#pragma once

#include <variant>

#include "CorvendWallet/foundation/Error.hpp"
#include "CorvendWallet/services/money/CustomerDeposit.hpp"

namespace corvend {

// The one outcome of the deposit summary.
struct CardDepositSummaryState {
    // The deposit as its confirm step returned it.
    struct Success {
        model::CustomerDeposit deposit;
    };
    // The confirm step failed.
    struct Failure {
        Error error;
    };
    // The customer closed the screen.
    struct Cancel {};

    std::variant<Success, Failure, Cancel> value;

    static CardDepositSummaryState success(model::CustomerDeposit deposit) {
        return {Success{std::move(deposit)}};
    }
    static CardDepositSummaryState failure(Error error) { return {Failure{std::move(error)}}; }
    static CardDepositSummaryState cancel() { return {Cancel{}}; }
};

}  // namespace corvend
