#pragma once

#include <variant>

#include "CorvendWallet/foundation/Error.hpp"

namespace corvend {

// The one outcome of the card-deposit flow, handed to the host after the flow is dismissed. It
// says how the flow ended, not where the money stands: whatever the case, the deposit read back
// (DepositService::get) tells that.
//
//   if (result.isCompleted()) ...;  // then read the deposit: COMPLETED, PROCESSING or FAILED
//   if (const auto* failure = std::get_if<CardDepositResult::TerminalFailure>(&result.value))
//       show(failure->error.description());
struct CardDepositResult {
    // A step after a card was submitted failed (create, confirm, or the confirmed deposit's
    // next step): money may have been asked for.
    struct TerminalFailure {
        Error error;
    };
    // The flow failed while loading, before any card was submitted.
    struct NonTerminalFailure {
        Error error;
    };
    // The flow ended: the deposit was confirmed and, where asked, the 3-D Secure page reached
    // its return address. No word that the money came: the deposit read back is FAILED when the
    // customer declined on that page, PROCESSING while the service settles it, COMPLETED once it
    // did.
    struct Completed {};
    // The customer left the flow. That may come after a card was submitted (the deposit is then
    // PENDING) or after its confirmation was sent (PROCESSING, or further once the service acts
    // on it): before telling the customer whether anything was charged, read the deposit the
    // flow was started for; only PREVIEW says nothing of it was sent.
    struct Cancelled {};

    std::variant<TerminalFailure, NonTerminalFailure, Completed, Cancelled> value;

    static CardDepositResult terminalFailure(Error error) {
        return {TerminalFailure{std::move(error)}};
    }
    static CardDepositResult nonTerminalFailure(Error error) {
        return {NonTerminalFailure{std::move(error)}};
    }
    static CardDepositResult completed() { return {Completed{}}; }
    static CardDepositResult cancelled() { return {Cancelled{}}; }

    bool isCompleted() const noexcept { return std::holds_alternative<Completed>(value); }
    bool isCancelled() const noexcept { return std::holds_alternative<Cancelled>(value); }

    // Same case; failures also carry equal errors: the same exception, or two errors of the
    // kit's own kinds (CardDepositError, model::WalletError, model::ConfigurationError) that
    // are equal as values, a CardDepositError by its words as well as its case.
    friend bool operator==(const CardDepositResult& lhs, const CardDepositResult& rhs);
};

}  // namespace corvend
