#pragma once

#include "CorvendWallet/services/money/PaymentFlowStatusChange.hpp"

namespace corvend::model {

// The confirm step of a created withdrawal, which moves it to "PROCESSING": its identifier
// and the properties sent with the change. It carries no instrument.
class WithdrawalConfirm : public PaymentFlowStatusChange {
  public:
    using PaymentFlowStatusChange::PaymentFlowStatusChange;
};

}  // namespace corvend::model
