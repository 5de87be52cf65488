#include "CorvendWallet/ui/flows/card-deposit/CardDepositResult.hpp"

#include <functional>
#include <string_view>

#include "CorvendWallet/foundation/ConfigurationError.hpp"
#include "CorvendWallet/foundation/WalletError.hpp"
#include "CorvendWallet/ui/flows/card-deposit/CardDepositError.hpp"

namespace corvend {

namespace {

// Both errors are an `E` and the same as `same` tells.
template <class E, class Same = std::equal_to<>>
bool equalAs(const Error& lhs, const Error& rhs, Same same = {}) {
    const auto left = lhs.as<E>();
    if (!left) return false;
    const auto right = rhs.as<E>();
    return right && same(*left, *right);
}

// A flow error equals its case; a failure also says its words, so those count here.
bool sameWords(const CardDepositError& lhs, const CardDepositError& rhs) {
    return lhs == rhs && std::string_view(lhs.what()) == rhs.what();
}

// The kit's error values compare by value (two failures read from two replies are equal when
// they say the same); any other error only equals itself.
bool sameError(const Error& lhs, const Error& rhs) {
    return lhs == rhs || equalAs<CardDepositError>(lhs, rhs, sameWords) ||
           equalAs<model::WalletError>(lhs, rhs) || equalAs<model::ConfigurationError>(lhs, rhs);
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
