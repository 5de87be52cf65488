#pragma once

#include <concepts>
#include <exception>
#include <expected>
#include <functional>
#include <optional>
#include <type_traits>
#include <utility>

#include "CorvendWallet/foundation/Error.hpp"

namespace corvend {

// What a completion receives: the success value or the error that the operation threw.
template <class T>
using Result = std::expected<T, Error>;

// Runs `fn` and captures its value, or whatever it throws, as a Result.
template <class F>
Result<std::invoke_result_t<F>> captureResult(F&& fn) noexcept {
    using T = std::invoke_result_t<F>;
    try {
        if constexpr (std::is_void_v<T>) {
            std::invoke(std::forward<F>(fn));
            return {};
        } else {
            return std::invoke(std::forward<F>(fn));
        }
    } catch (...) {
        return std::unexpected(Error::current());
    }
}

// The value of `result`, or the original exception rethrown (unlike std::expected::value(),
// which would throw a wrapper).
template <class T>
T valueOrThrow(Result<T>&& result) {
    if (!result) result.error().rethrow();
    if constexpr (!std::is_void_v<T>) return std::move(*result);
}

// The error of `result` as an `E` (as Error::as<E>()), or nothing when `result` holds a value
// or another kind of error. A free function, so generic code needs no `.template`:
// `if (auto e = errorAs<Wallet::WalletError>(result)) ...`.
template <class E, class T>
std::optional<E> errorAs(const Result<T>& result) {
    if (result) return std::nullopt;
    return result.error().template as<E>();
}

// The same for a result that holds its error as one exception type by value, as configure's
// completion holds a ConfigurationError: that error as an `E` when it is one (sliced to `E` when
// it derives from it), else nothing.
template <class E, class T, class Failure>
requires std::derived_from<Failure, std::exception> std::optional<E> errorAs(
    const std::expected<T, Failure>& result) {
    if constexpr (std::is_base_of_v<E, Failure>) {
        if (!result) return E(result.error());
    }
    return std::nullopt;
}

}  // namespace corvend
