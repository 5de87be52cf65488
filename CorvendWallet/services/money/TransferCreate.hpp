#pragma once

#include "CorvendWallet/services/money/PaymentFlowStatusChange.hpp"

namespace corvend::model {

// The input of the create step: moves the transfer to "PENDING", with the transfer's
// identifier and optional payment properties.
class TransferCreate : public PaymentFlowStatusChange {
  public:
    using PaymentFlowStatusChange::PaymentFlowStatusChange;
};

}  // namespace corvend::model
