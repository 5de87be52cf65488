#pragma once

// One way for every test to check that a call failed with a given model::WalletError:
//
//   EXPECT_THAT([&] { repository->get(".."); },
//   ThrowsWalletError(WalletError::internalError("I0001"))); EXPECT_THAT(result,
//   IsWalletError(WalletError::notConfigured()));   // a Result<T> or an Error
//
// Both compare the whole error (case and payload); anything else thrown, or nothing, fails with
// a message that says what happened instead.

#include <gmock/gmock.h>

#include <exception>
#include <ostream>

#include "CorvendWallet/foundation/Result.hpp"
#include "CorvendWallet/foundation/WalletError.hpp"

namespace corvend::model {

// Lets gtest print a WalletError in failure messages.
inline void PrintTo(const WalletError& error, std::ostream* out) {
    *out << "WalletError(" << error.errorDescription() << ")";
}

}  // namespace corvend::model

namespace corvend::testing {

// Matches a callable taking no argument that throws exactly `expected`.
MATCHER_P(ThrowsWalletError, expected, "throws WalletError(" + expected.errorDescription() + ")") {
    try {
        arg();
    } catch (const model::WalletError& error) {
        *result_listener << "threw WalletError(" << error.errorDescription() << ")";
        return error == expected;
    } catch (const std::exception& other) {
        *result_listener << "threw another exception: " << other.what();
        return false;
    }
    *result_listener << "threw nothing";
    return false;
}

// Matches a Result<T> (or an Error) that holds exactly `expected`.
MATCHER_P(IsWalletError, expected, "holds WalletError(" + expected.errorDescription() + ")") {
    const Error* error = nullptr;
    if constexpr (requires { arg.has_value(); }) {
        if (arg.has_value()) {
            *result_listener << "holds a value";
            return false;
        }
        error = &arg.error();
    } else {
        error = &arg;
    }
    const auto walletError = error->template as<model::WalletError>();
    if (!walletError) *result_listener << "holds another error: " << error->description();
    return walletError && *walletError == expected;
}

}  // namespace corvend::testing
