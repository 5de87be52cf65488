#include "CorvendWallet/models/FxAmountModel.hpp"

namespace corvend {

model::FxAmount toFxAmount(const FxAmountModel& amount) {
    return {amount.amount, amount.rate, amount.currency};
}

}  // namespace corvend
