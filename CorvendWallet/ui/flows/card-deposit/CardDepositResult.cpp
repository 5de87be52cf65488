#include "CorvendWallet/ui/flows/card-deposit/CardDepositResult.hpp"

#include "CorvendWallet/ui/flows/card-deposit/CardDepositError.hpp"

namespace corvend {

namespace {

bool sameError(const Error& lhs, const Error& rhs) {
    if (lhs == rhs) return true;
    const auto left = lhs.as<CardDepositError>();
    const auto right = rhs.as<CardDepositError>();
    return left && right && *left == *right;
}

}  // namespace

bool operator==(const CardDepositResult& lhs, const CardDepositResult& rhs) {
    if (lhs.value.index() != rhs.value.index()) return false;
    if (const auto* failure = std::get_if<CardDepositResult::TerminalFailure>(&lhs.value))
        return sameError(failure->error,
                         std::get<CardDepositResult::TerminalFailure>(rhs.value).error);
    if (const auto* failure = std::get_if<CardDepositResult::NonTerminalFailure>(&lhs.value))
        return sameError(failure->error,
                         std::get<CardDepositResult::NonTerminalFailure>(rhs.value).error);
    return true;
}

}  // namespace corvend
