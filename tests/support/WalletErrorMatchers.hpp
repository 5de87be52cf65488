#pragma once

// One way for every test to check that a call failed with a given model::WalletError.
//
//   EXPECT_THAT([&] { repository->get(".."); }, ThrowsWalletError(WalletError::internalError("I0001")));
//   EXPECT_THAT(result, IsWalletError(WalletError::notConfigured()));   // a Result<T>
//
// The matchers compare the whole error (case and payload); a call that throws anything else,
// or nothing, fails with a message that names what it did instead.

#include <exception>
#include <functional>
#include <ostream>
#include <string>
#include <utility>

#include <gmock/gmock.h>

#include "CorvendWallet/core/foundation/Result.hpp"
#include "CorvendWallet/core/foundation/WalletError.hpp"

namespace corvend::model {

// Lets gtest print a WalletError in failure messages.
inline void PrintTo(const WalletError& error, std::ostream* out) {
    *out << "WalletError(" << error.errorDescription() << ")";
}

}  // namespace corvend::model

namespace corvend::testing {

// Matches a callable (taking no argument) that throws exactly `expected`.
class ThrowsWalletErrorMatcher {
  public:
    using is_gtest_matcher = void;

    explicit ThrowsWalletErrorMatcher(model::WalletError expected) : expected_(std::move(expected)) {}

    bool MatchAndExplain(const std::function<void()>& call, std::ostream* listener) const {
        try {
            call();
        } catch (const model::WalletError& error) {
            if (error == expected_) return true;
            if (listener) *listener << "threw WalletError(" << error.errorDescription() << ")";
            return false;
        } catch (const std::exception& other) {
            if (listener) *listener << "threw another exception: " << other.what();
            return false;
        } catch (...) {
            if (listener) *listener << "threw a non-standard exception";
            return false;
        }
        if (listener) *listener << "threw nothing";
        return false;
    }

    void DescribeTo(std::ostream* out) const {
        *out << "throws WalletError(" << expected_.errorDescription() << ")";
    }
    void DescribeNegationTo(std::ostream* out) const {
        *out << "does not throw WalletError(" << expected_.errorDescription() << ")";
    }

  private:
    model::WalletError expected_;
};

inline ::testing::Matcher<std::function<void()>> ThrowsWalletError(model::WalletError expected) {
    return ThrowsWalletErrorMatcher(std::move(expected));
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
    if (!walletError) {
        *result_listener << "holds another error: " << error->description();
        return false;
    }
    if (!(*walletError == expected)) {
        *result_listener << "holds WalletError(" << walletError->errorDescription() << ")";
        return false;
    }
    return true;
}

}  // namespace corvend::testing
