#include "CorvendWallet/ui/flows/card-deposit/CardDepositError.hpp"

#include <type_traits>
#include <utility>

namespace corvend {

static_assert(std::is_nothrow_copy_constructible_v<CardDepositError>);

CardDepositError::CardDepositError(Case value, std::string detail)
    : case_(value), detail_(std::make_shared<const std::string>(std::move(detail))) {}

CardDepositError CardDepositError::otherDepositNamed(std::string_view named, std::string_view own) {
    return otherNamed("deposit", named, own);
}

CardDepositError CardDepositError::otherCardNamed(std::string_view named, std::string_view own) {
    return otherNamed("card", named, own);
}

CardDepositError CardDepositError::otherNamed(std::string_view record, std::string_view named,
                                              std::string_view own) {
    const std::string kind(record);
    return {internalError, "the reply named " + kind + " " + std::string(named) + ", not " + kind +
                               " " + std::string(own)};
}

const char* CardDepositError::what() const noexcept {
    if (detail_) return detail_->c_str();
    return case_ == failedToLoadAcceptedCardsError
               ? "CardDepositError.failedToLoadAcceptedCardsError"
               : "CardDepositError.internalError";
}

}  // namespace corvend
