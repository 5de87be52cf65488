#pragma once

#include <exception>
#include <optional>
#include <string>

namespace corvend {

// The failure side of a Result: carries the thrown exception unchanged, so a completion can
// rethrow it, ask for its kind, or show its text.
class Error {
  public:
    // Takes `exception` as is. A null pointer is replaced by an "Unknown error" exception, so
    // exception() is never null and rethrow() is always safe.
    explicit Error(std::exception_ptr exception);

    // An Error holding a copy of `exception`.
    template <class E>
    static Error make(E exception) {
        return Error(std::make_exception_ptr(std::move(exception)));
    }

    // The exception being handled on this thread; call only inside a catch block.
    static Error current();

    const std::exception_ptr& exception() const noexcept { return exception_; }

    [[noreturn]] void rethrow() const;

    // True when the exception is an `E` (or derives from it).
    template <class E>
    bool is() const noexcept;

    // A copy of the exception when it is an `E` (sliced to `E` when it derives from it).
    template <class E>
    std::optional<E> as() const;

    // True when the exception is a platform::CancellationError.
    bool isCancellation() const noexcept;

    // A readable text: the kit errors' own descriptions, what() of any other std::exception,
    // a thrown string's text, and "Unknown error" for anything else.
    std::string description() const;

    // Same exception object.
    friend bool operator==(const Error& lhs, const Error& rhs) noexcept {
        return lhs.exception_ == rhs.exception_;
    }

  private:
    std::exception_ptr exception_;
};

template <class E>
bool Error::is() const noexcept {
    try {
        std::rethrow_exception(exception_);
    } catch (const E&) {
        return true;
    } catch (...) {
        return false;
    }
}

// A copy is returned rather than a pointer: the object caught from a rethrown exception_ptr
// may itself be a copy that ends with the catch block.
template <class E>
std::optional<E> Error::as() const {
    try {
        std::rethrow_exception(exception_);
    } catch (const E& e) {
        return e;
    } catch (...) {
        return std::nullopt;
    }
}

}  // namespace corvend
