#include "examples/wallet-cli/FailureOutcome.hpp"

namespace corvend::cli {

Outcome failureOutcome(const Error& error) {
    const auto walletError = error.as<Wallet::WalletError>();
    const auto* internal =
        walletError ? walletError->as<Wallet::WalletError::InternalError>() : nullptr;
    return internal && internal->code == model::ErrorCode::invalidURL ? Outcome::misused
                                                                      : Outcome::failed;
}

}  // namespace corvend::cli
