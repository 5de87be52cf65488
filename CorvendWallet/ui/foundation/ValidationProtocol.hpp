#pragma once

#include <concepts>
#include <optional>

namespace corvend {

// A check of a typed value: `Value` is what it reads, `Result` its answer. An absent value is a
// legal input that every validator answers.
template <class V>
concept ValidationProtocol = requires(const V& validator,
                                      const std::optional<typename V::Value>& value) {
    { validator.validate(value) } -> std::same_as<typename V::Result>;
};

}  // namespace corvend
