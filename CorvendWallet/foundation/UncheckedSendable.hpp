#pragma once

#include <concepts>
#include <utility>

namespace corvend {

// Declares a value safe to hand between tasks without adding any protection. Its owner
// guarantees by other means (a serial queue) that no two threads use it at once.
template <class T>
class UncheckedSendable {
  public:
    UncheckedSendable() requires std::default_initializable<T>
    = default;
    explicit UncheckedSendable(T initial) : value(std::move(initial)) {}

    T value{};
};

}  // namespace corvend
