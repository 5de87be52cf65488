#pragma once

#include "CorvendWallet/services/money/PaymentFlowStatusChange.hpp"

namespace corvend::model {

// The create step of a previewed withdrawal, which moves it to "PENDING": its identifier and
// the properties sent with the change. It carries no instrument.
class WithdrawalCreate : public PaymentFlowStatusChange {
  public:
    using PaymentFlowStatusChange::PaymentFlowStatusChange;
};

}  // namespace corvend::model
