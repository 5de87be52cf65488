#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

#include "platform/ui/Image.hpp"

namespace corvend {

// The card brand of a card number, known from its leading digits. Two prepaid Mastercard
// ranges win over the general schemes whose ranges they share.
//
//   CardType(number) == CardType::tembroPrepaidMasterCard   // number "5391520000000000"
//   CardType(CardType::visa).matches("4111")              // true
//
// Values and their patterns are immutable; detection may run on any thread.
class CardType {
  public:
    enum Value : std::uint8_t {
        masterCard,
        visa,
        tembroPrepaidMasterCard,
        ombrixPrepaidMasterCard,
        unknown,
    };

    constexpr CardType(Value value) : value_(value) {}  // NOLINT: a case reads as its type

    // The brand of `cardNumber` (digits only: it is not cleaned here); `unknown` when absent
    // or of no known brand.
    explicit CardType(std::optional<std::string_view> cardNumber);

    static constexpr std::array<Value, 5> allCases{masterCard, visa, tembroPrepaidMasterCard,
                                                   ombrixPrepaidMasterCard, unknown};

    // Whether one of this brand's patterns is found in `text`; never for `unknown`.
    bool matches(std::string_view text) const;

    // The brand's logo from the kit's bundle; for `unknown` the credit-card symbol as a template
    // tinted with the current theme, so a read after a light or dark change shows the new tint.
    // Main thread; a logo missing from the bundle stops the program.
    platform::ui::ImagePtr logo() const;

    constexpr operator Value() const { return value_; }  // NOLINT: switch over the cases

  private:
    Value value_;
};

}  // namespace corvend

template <>
struct std::hash<corvend::CardType> {
    std::size_t operator()(corvend::CardType type) const noexcept {
        return std::hash<int>{}(static_cast<corvend::CardType::Value>(type));
    }
};
