#include "CorvendWallet/core/models/FxAmountModel.hpp"

#include <utility>

namespace corvend {

model::FxAmount toFxAmount(const FxAmountModel& amount) {
    return {amount.amount, amount.rate, amount.currency};
}

model::FxAmount toFxAmount(FxAmountModel&& amount) {
    return {amount.amount, amount.rate, std::move(amount.currency)};
}

}  // namespace corvend
