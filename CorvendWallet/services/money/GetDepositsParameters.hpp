#pragma once

#include "CorvendWallet/services/money/PaymentFlowListParameters.hpp"

namespace corvend::model {

// The filters and paging of a deposit list: limit, merchantRefNum, offset, slipID. Each present
// value is sent as given, zero, negative and empty values included; absent ones are not sent.
class GetDepositsParameters : public PaymentFlowListParameters {
  public:
    using PaymentFlowListParameters::PaymentFlowListParameters;
};

}  // namespace corvend::model
