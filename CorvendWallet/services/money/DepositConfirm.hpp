#pragma once

#include "CorvendWallet/services/money/PaymentFlowStatusChange.hpp"

namespace corvend::model {

// What the host confirms a created deposit with (it moves to "PROCESSING"): its identifier and
// the properties sent with the change.
class DepositConfirm : public PaymentFlowStatusChange {
  public:
    using PaymentFlowStatusChange::PaymentFlowStatusChange;
};

}  // namespace corvend::model
