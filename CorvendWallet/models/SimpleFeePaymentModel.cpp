#include "CorvendWallet/models/SimpleFeePaymentModel.hpp"

namespace corvend {

model::SimpleFeePayment toSimpleFeePayment(const SimpleFeePaymentModel& fee) {
    return {fee.amount, fee.currency,
            model::fromWire<model::SimpleFeePayment::FeePaymentReason>(fee.paymentReason)};
}

std::vector<model::SimpleFeePayment> toSimpleFeePayments(
    const std::optional<std::vector<SimpleFeePaymentModel>>& fees) {
    std::vector<model::SimpleFeePayment> result;
    if (!fees) return result;
    result.reserve(fees->size());
    for (const SimpleFeePaymentModel& fee : *fees) result.push_back(toSimpleFeePayment(fee));
    return result;
}

}  // namespace corvend
