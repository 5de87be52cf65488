#pragma once

#include "CorvendWallet/services/money/PaymentFlowStatusChange.hpp"

namespace corvend::model {

// The input of the confirm step: moves the transfer to "PROCESSING", with the transfer's
// identifier and optional payment properties.
class TransferConfirm : public PaymentFlowStatusChange {
  public:
    using PaymentFlowStatusChange::PaymentFlowStatusChange;
};

}  // namespace corvend::model
