#pragma once

#include <cstddef>
#include <exception>
#include <functional>

namespace corvend {

// Why the card-deposit flow could not go on with what the service gave it.
class CardDepositError : public std::exception {
  public:
    enum Case {
        // The deposit options named no accepted card scheme.
        failedToLoadAcceptedCardsError,
        // Data the flow cannot use: a saved instrument that is not a card, a redirect without
        // its addresses, an unknown deposit action, a 3-D Secure address that is not a URL.
        internalError,
    };

    CardDepositError(Case value) : case_(value) {}  // NOLINT: a case reads as its type

    Case value() const noexcept { return case_; }
    const char* what() const noexcept override;

    friend bool operator==(const CardDepositError& lhs, const CardDepositError& rhs) noexcept {
        return lhs.case_ == rhs.case_;
    }

  private:
    Case case_;
};

}  // namespace corvend

template <>
struct std::hash<corvend::CardDepositError> {
    std::size_t operator()(const corvend::CardDepositError& error) const noexcept {
        return std::hash<int>{}(error.value());
    }
};
