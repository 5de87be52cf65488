#include "examples/wallet-cli/FailureOutcome.hpp"

namespace corvend::cli {

Outcome failureOutcome(const Error& error) {
    const auto walletError = error.as<Wallet::WalletError>();
    const auto* internal =
        walletError ? walletError->as<Wallet::WalletError::InternalError>() : nullptr;
    const bool refusedBeforeSending =
        internal && (internal->code == model::ErrorCode::invalidURL ||
                     internal->code == model::ErrorCode::unencodableBody);
    return refusedBeforeSending ? Outcome::misused : Outcome::failed;
}

}  // namespace corvend::cli
