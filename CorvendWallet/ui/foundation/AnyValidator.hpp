#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <utility>

#include "CorvendWallet/ui/foundation/ValidationProtocol.hpp"

namespace corvend {

// A validator with its type erased, as the card screens hold them.
//
//   auto numbers = AnyValidator<std::string_view, CardNumberValidationResult>::of(
//       std::make_shared<CardNumberValidator>(accepted));
template <class Input, class Output>
class AnyValidator {
  public:
    using Value = Input;
    using Result = Output;
    using Closure = std::function<Output(const std::optional<Input>&)>;

    explicit AnyValidator(Closure validate) : validate_(std::move(validate)) {}

    // Holds `validator` strongly and forwards to it.
    template <ValidationProtocol V>
    requires std::same_as<typename V::Result, Output>
    static AnyValidator of(std::shared_ptr<V> validator) {
        return AnyValidator([validator = std::move(validator)](const std::optional<Input>& value) {
            return validator->validate(value);
        });
    }

    Output validate(const std::optional<Input>& value) const { return validate_(value); }

  private:
    Closure validate_;
};

}  // namespace corvend
